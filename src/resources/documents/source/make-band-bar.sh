#!/bin/sh
# Draws the picture of the four score bands shown in the full guidelines: 6 pixels per point
# across the possible totals. The bands come from the catalogue (make-documents.sh asks the
# scorebands tool); the picture records them as its "Score bands" text for scorebands --check.
#   usage: ./make-band-bar.sh OUT.png LOW-HIGH LOW-HIGH LOW-HIGH LOW-HIGH   (lowest band first)
set -eu
[ $# -eq 5 ] || { echo "usage: $0 OUT.png LOW-HIGH LOW-HIGH LOW-HIGH LOW-HIGH" >&2; exit 2; }
out=$1
shift
segment() { # band, background, text colour, risk
  low=${1%-*} high=${1#*-}
  convert -size "$(((high - low + 1) * 6))x36" -background "$2" -fill "$3" -font Liberation-Sans-Bold \
    -pointsize 11 -gravity center "label:$low–$high
$4" miff:-
}
{
  segment "$1" '#2e7d32' white lower
  segment "$2" '#f2c200' black moderate
  segment "$3" '#e06c00' white high
  segment "$4" '#b71c1c' white extreme
} | convert miff:- +append -strip +set label -set 'Score bands' "$*" -define png:exclude-chunks=date,time \
  -define png:include-chunk=tEXt -colors 64 "png8:$out"
