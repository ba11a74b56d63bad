#!/usr/bin/env bash
# Draws the program's icon, res/program.ico: a ledger page with a turned
# corner and a round badge with an arrow (the figures handed on), in slate,
# white and teal. Each size is drawn on its own pixel grid (lines on pixel
# centres, which ImageMagick puts on integer coordinates) rather than scaled down, so 16 px stays sharp.
# Needs ImageMagick 6 (apt-get install imagemagick). The same version gives
# the same bytes; the .ico is committed, the build does not run this.
# Usage: bash res/make-icon.sh [out.ico] [preview.png]
set -euo pipefail
cd "$(dirname "$0")"
out=${1:-program.ico}
preview=${2:-}
magick=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

ink='#34495e'   # outline and header
rule='#a9b8c8'  # ledger rules
fold='#d5dee8'  # turned corner
teal='#1e7f6e'  # badge

# draw SIZE PAGE FOLD HEADER RULES BADGE ARROW: polygons and lines in -draw syntax.
draw() {
    local size=$1 page=$2 corner=$3 header=$4 rules=$5 badge=$6 arrow=$7
    "$magick" -size "${size}x${size}" xc:none -antialias \
        -stroke "$ink" -strokewidth 1 -fill white -draw "polygon $page" \
        -fill "$fold" -draw "polygon $corner" \
        -stroke none -fill "$ink" -draw "$header" \
        -stroke "$rule" -fill none -draw "$rules" \
        -stroke white -strokewidth 1 -fill "$teal" -draw "$badge" \
        -stroke none -fill white -draw "$arrow" \
        -define png:exclude-chunks=date,time "$work/$size.png"
}

draw 16 '1,0 9,0 12,3 12,15 1,15' '9,0 9,3 12,3' \
    'rectangle 3,2 6,2' \
    'line 3,5 9,5 line 3,8 9,8 line 3,11 5,11 line 3,13 5,13' \
    'circle 11,11 11,6.5' \
    'polygon 8,10 10,10 10,8 13,11 10,14 10,12 8,12'
draw 32 '4,2 19,2 25,8 25,29 4,29' '19,2 19,8 25,8' \
    'rectangle 7,5 15,6' \
    'line 7,11 22,11 line 7,15 22,15 line 7,19 15,19 line 7,23 15,23 line 17,10 17,17' \
    'circle 23,23 23,15' \
    'polygon 19,22 23,22 23,19 28,24 23,28 23,25 19,25'
draw 48 '6,3 28,3 37,12 37,44 6,44' '28,3 28,12 37,12' \
    'rectangle 10,7 22,9' \
    'line 10,16 33,16 line 10,22 33,22 line 10,28 24,28 line 10,34 22,34 line 10,40 22,40 line 26,14 26,25' \
    'circle 35,35 35,24' \
    'polygon 29,33 35,33 35,29 42,35 35,42 35,37 29,37'

"$magick" "$work/16.png" "$work/32.png" "$work/48.png" "$out"
if [ -n "$preview" ]; then
    # The three images of the icon side by side, 8 times enlarged, on light grey.
    "$magick" "$out" -background '#e8e8e8' -gravity south +append +repage \
        -filter point -resize 800% -flatten "$preview"
fi
