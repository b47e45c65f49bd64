#!/bin/sh
# Runs the given test program on a virtual X server, with a stand-in for xdg-open first on PATH
# that records each address it is handed. Exit code 77 (skipped) when no virtual X server exists.
set -eu
program="$1"
here=$(dirname "$0")

stand_in=$(mktemp -d)
trap 'rm -rf "$stand_in"' EXIT
cat >"$stand_in/xdg-open" <<'OPENER'
#!/bin/sh
printf '%s\n' "$1" >>"$SWELTRA_OPENED_LOG"
OPENER
chmod +x "$stand_in/xdg-open"

export PATH="$stand_in:$PATH"
export SWELTRA_OPENED_LOG="$stand_in/opened.log"
# Outside a Flatpak or Snap sandbox Qt hands web addresses to the first xdg-open on PATH, session
# bus or not; the sandbox's portal is kept out all the same (tools/with-x.sh starts none).
unset SNAP BROWSER DEFAULT_BROWSER
"$here/../../tools/with-x.sh" -- "$program"
