#!/usr/bin/env bash
# Renders the emblem's bitmaps from the two drawings. The PNGs are kept in the repository,
# so building needs neither this script nor its tools; run it after changing a drawing.
#   emblem.svg        the full drawing: start-up window, large icons, the scalable icon
#   emblem-small.svg  bolder and plainer, for 48 pixels and less, where details turn to mud
# Usage: render-icons.sh [FOLDER]   (default: the icons folder beside this script)
# Needs rsvg-convert (librsvg2-bin) and ImageMagick's convert (imagemagick).
set -euo pipefail
out=$(realpath -m "${1:-$(dirname "$0")/icons}")
cd "$(dirname "$0")"
mkdir -p "$out"

for tool in rsvg-convert convert; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done

# render DRAWING SIZE OUTPUT [white]
render() {
    local drawing=$1 size=$2 output=$3 background=${4:-}
    local tmp
    tmp=$(mktemp --suffix=.png)
    rsvg-convert --width "$size" --height "$size" "$drawing" -o "$tmp"
    if [ "$background" = white ]; then
        # An opaque 24-bit picture for the white panel of the start-up window.
        convert "$tmp" -background white -alpha remove -alpha off -strip "PNG24:$output"
    else
        convert "$tmp" -strip "PNG32:$output"
    fi
    rm -f "$tmp"
}

render emblem.svg 90 "$out"/emblem-90.png white
render emblem-small.svg 48 "$out"/emblem-48.png
render emblem-small.svg 32 "$out"/icon-32.png
render emblem.svg 256 "$out"/icon-256.png
