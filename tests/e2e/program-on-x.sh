#!/bin/sh
# Runs program_on_x.py against the built program on its own virtual X server and session bus.
# Exit code 77 (skipped) when the X server, xdotool, ImageMagick or the AT-SPI bindings are
# missing. Screenshots and the program's output go to the folder given second.
#   program-on-x.sh PROGRAM OUTPUT_FOLDER
set -u
program="$1"
out="$2"
here=$(dirname "$0")

for tool in Xvfb xdotool import dbus-run-session /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool not found: skipped"
        exit 77
    fi
done
if ! /usr/bin/python3 -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
    echo "the AT-SPI bindings for Python (python3-gi, gir1.2-atspi-2.0) are missing: skipped"
    exit 77
fi

rm -rf "$out" && mkdir -p "$out"
runtime=$(mktemp -d)
chmod 700 "$runtime"
# The server picks a free display itself and writes its number to us, so runs side by side
# cannot race for one.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$runtime/display" >"$out/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$runtime/display" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
done
if [ ! -s "$runtime/display" ]; then
    echo "the virtual X server did not start: skipped"
    kill "$xvfb" 2>/dev/null
    rm -rf "$runtime"
    exit 77
fi

DISPLAY=:$(cat "$runtime/display") XDG_RUNTIME_DIR=$runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
    QT_QPA_PLATFORM=xcb env -u SESSION_MANAGER -u DBUS_SESSION_BUS_ADDRESS -u XAUTHORITY \
    -u QT_ACCESSIBILITY -u NO_AT_BRIDGE -u QT_SCALE_FACTOR \
    dbus-run-session -- /usr/bin/python3 "$here/program_on_x.py" "$program" "$out"
status=$?
kill "$xvfb" 2>/dev/null
wait "$xvfb" 2>/dev/null
rm -rf "$runtime"
echo "screenshots in $out"
exit $status
