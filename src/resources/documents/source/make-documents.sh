#!/bin/sh
# Regenerates the guidance documents (../*.rtf) from the HTML sources here,
# with LibreOffice Writer's RTF export (Debian: libreoffice-writer-nogui).
#   usage: ./make-documents.sh [source.html ...]   (default: every source)
# Writer orders the colour table differently from run to run, so regenerate
# only the documents whose source changed.
# Two touches afterwards, so that the files look like a word processor's on
# Windows and stay small:
#  - the header gets \ansicpg1252 (Writer leaves the code page implicit);
#  - the {\nonshppict ...} fallback of the picture is dropped: Writer stores
#    an uncompressed metafile copy there, many times the size of the PNG.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
cd "$here"
# The band picture is drawn afresh for the bands of the catalogue, in the record's colours, which
# the scorebands tool of a build prints (by default the dev preset's; SCOREBANDS names another).
# The same tool checks at the end that the documents state those bands.
scorebands=${SCOREBANDS:-../../../../build/dev/bin/scorebands}
bands=$("$scorebands") || { echo "no scorebands tool: build the dev preset first" >&2; exit 1; }
# shellcheck disable=SC2086 # one word per band
./make-band-bar.sh band-bar.png $bands
[ $# -gt 0 ] || set -- *.html

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
soffice -env:UserInstallation="file://$work/profile" --headless \
  --convert-to 'rtf:Rich Text Format' --outdir "$work/out" "$@" >"$work/log" 2>&1 ||
  { cat "$work/log" >&2; exit 1; }

for source in "$@"; do
  name=$(basename "$source" .html).rtf
  [ -s "$work/out/$name" ] || { echo "no output for $source" >&2; cat "$work/log" >&2; exit 1; }
  perl -0777 -pe '
    s/^\{\\rtf1\\ansi(?!\\ansicpg)/{\\rtf1\\ansi\\ansicpg1252/;
    s/\{\\nonshppict(?:[^{}]++|(\{(?:[^{}]++|(?1))*\}))*\}//g;
  ' "$work/out/$name" >"../$name"
  echo "$name: $(wc -c <"../$name") bytes"
done
"$scorebands" --check ..
