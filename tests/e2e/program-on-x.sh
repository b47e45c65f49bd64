#!/bin/sh
# Runs program_on_x.py against the built program on its own virtual X server and session bus.
# Exit code 77 (skipped) when the X server, xdotool, ImageMagick or the AT-SPI bindings are
# missing. Screenshots and the program's output go to the folder given second.
#   program-on-x.sh PROGRAM OUTPUT_FOLDER
set -u
program="$1"
out="$2"
here=$(dirname "$0")

for tool in xdotool xwininfo import /usr/bin/python3; do
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
env -u QT_SCALE_FACTOR "$here/../../tools/with-x.sh" --atspi -- \
    /usr/bin/python3 "$here/program_on_x.py" "$program" "$out"
status=$?
echo "screenshots in $out"
exit $status
