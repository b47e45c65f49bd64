#!/bin/sh
# Runs the viewer test on a virtual X server, with a stand-in for xdg-open first on PATH that
# records each address it is handed. Exit code 77 (skipped) when no virtual X server exists.
set -eu
stand_in=$(mktemp -d)
trap 'rm -rf "$stand_in"' EXIT
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"$SWELTRA_OPENED_LOG"\n' >"$stand_in/xdg-open"
chmod +x "$stand_in/xdg-open"
export PATH="$stand_in:$PATH" SWELTRA_OPENED_LOG="$stand_in/opened.log"
# Outside a Flatpak or Snap sandbox Qt hands web addresses to the first xdg-open on PATH.
unset SNAP BROWSER DEFAULT_BROWSER
"$(dirname "$0")/../../tools/with-x.sh" -- "$1"
