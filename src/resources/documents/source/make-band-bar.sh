#!/bin/sh
# Draws the picture of the four score bands shown in the full guidelines: 6 pixels per point
# across the possible totals. The bands, their colours and names come from the program
# (make-documents.sh asks the scorebands tool); the picture records the bands as its
# "Score bands" text for scorebands --check.
#   usage: ./make-band-bar.sh OUT.png BAND BAND BAND BAND   (lowest first; BAND: LOW-HIGH,#FILL,#TEXT,NAME)
set -eu
[ $# -eq 5 ] || { echo "usage: $0 OUT.png LOW-HIGH,#FILL,#TEXT,NAME (four times)" >&2; exit 2; }
out=$1
shift
ranges=
segment() { # LOW-HIGH,#FILL,#TEXT,NAME
  IFS=, read -r range fill text name <<BAND
$1
BAND
  low=${range%-*} high=${range#*-}
  convert -size "$(((high - low + 1) * 6))x36" -background "$fill" -fill "$text" -font Liberation-Sans-Bold \
    -pointsize 11 -gravity center "label:$low–$high
$name" miff:-
}
for band; do ranges="$ranges${ranges:+ }${band%%,*}"; done
for band; do segment "$band"; done |
  convert miff:- +append -strip +set label -set 'Score bands' "$ranges" -define png:exclude-chunks=date,time \
    -define png:include-chunk=tEXt -colors 64 "png8:$out"
