#!/bin/sh
# Runs the given test program on a virtual X server, with a stand-in for xdg-open first on PATH
# that records each address it is handed. Exit code 77 (skipped) when no virtual X server exists.
set -eu
program="$1"

if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v xauth >/dev/null 2>&1; then
    echo "xvfb-run or xauth not found: skipped"
    exit 77
fi

stand_in=$(mktemp -d)
trap 'rm -rf "$stand_in"' EXIT
cat >"$stand_in/xdg-open" <<'OPENER'
#!/bin/sh
printf '%s\n' "$1" >>"$SWELTRA_OPENED_LOG"
OPENER
chmod +x "$stand_in/xdg-open"

export PATH="$stand_in:$PATH"
export SWELTRA_OPENED_LOG="$stand_in/opened.log"
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$stand_in/runtime"
export XDG_RUNTIME_DIR="$stand_in/runtime"
# Outside a Flatpak or Snap sandbox Qt hands web addresses to the first xdg-open on PATH, session
# bus or not; the sandbox's portal and a session manager are kept out all the same.
unset SNAP DBUS_SESSION_BUS_ADDRESS BROWSER DEFAULT_BROWSER SESSION_MANAGER
xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
