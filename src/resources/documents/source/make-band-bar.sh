#!/bin/sh
# Draws the picture of the four score bands shown in the full guidelines:
# 6 pixels per point across the possible totals 18 to 98.
set -eu
out=${1:-band-bar.png}
segment() { # width, background, text colour, text
  convert -size "$1x36" -background "$2" -fill "$3" -font Liberation-Sans-Bold -pointsize 11 \
    -gravity center "label:$4" miff:-
}
{
  segment 228 '#2e7d32' white '18–55
lower'
  segment 60 '#f2c200' black '56–65
moderate'
  segment 54 '#e06c00' white '66–74
high'
  segment 144 '#b71c1c' white '75–98
extreme'
} | convert miff:- +append -strip -define png:exclude-chunks=date,time -colors 64 "png8:$out"
