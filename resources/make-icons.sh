#!/usr/bin/env bash
# Draws the toolbar pictures (16x16, 16 colours) with ImageMagick and renders
# the program icon from its drawing. Run once; the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p toolbar
cd toolbar
C="convert -size 16x16 xc:none -strokewidth 1"
$C -fill white -stroke black -draw "polygon 3,1 10,1 13,4 13,14 3,14" -fill none -draw "polyline 10,1 10,4 13,4" PNG32:new.png
$C -fill '#e0c040' -stroke '#604000' -draw "polygon 1,4 6,4 7,5 14,5 14,13 1,13" -fill '#f8e080' -draw "polygon 3,7 15,7 13,13 1,13" PNG32:open.png
$C -fill '#3050a0' -stroke '#102040' -draw "rectangle 1,1 14,14" -fill white -stroke none -draw "rectangle 4,2 11,7" -fill '#c0c0c0' -draw "rectangle 4,10 11,14" -fill '#3050a0' -draw "rectangle 9,11 10,13" PNG32:save.png
$C -fill white -stroke black -draw "rectangle 4,1 11,6" -fill '#a0a0a0' -draw "rectangle 1,6 14,11" -fill white -draw "rectangle 4,10 11,14" -stroke '#00a000' -draw "point 12,8" PNG32:print.png
$C -fill none -stroke '#1060c0' -strokewidth 2 -draw "arc 3,4 13,14 180,360" -fill '#1060c0' -stroke none -draw "polygon 0,9 6,9 3,13" PNG32:undo.png
$C -fill none -stroke black -draw "line 4,1 10,10" -draw "line 11,1 5,10" -stroke '#c00000' -draw "circle 4,12 4,14" -draw "circle 11,12 11,14" PNG32:cut.png
$C -fill white -stroke black -draw "rectangle 1,1 9,11" -draw "rectangle 6,4 14,14" -stroke '#808080' -draw "line 8,7 12,7" -draw "line 8,9 12,9" -draw "line 8,11 12,11" PNG32:copy.png
$C -fill '#b07030' -stroke '#503010' -draw "rectangle 2,2 12,14" -fill '#c0c0c0' -stroke black -draw "rectangle 5,1 9,3" -fill white -draw "rectangle 7,6 14,15" PNG32:paste.png
$C -fill white -stroke black -draw "rectangle 1,2 14,13" -stroke '#808080' -draw "line 1,5 14,5" -draw "line 1,8 14,8" -draw "line 1,11 14,11" -stroke '#e00000' -strokewidth 2 -draw "line 4,4 12,12" -draw "line 12,4 4,12" PNG32:delete.png
$C -fill '#2040a0' -stroke '#102050' -draw "rectangle 2,1 13,14" -fill white -stroke none -draw "rectangle 4,1 5,14" -fill '#ffe000' -font DejaVu-Sans-Bold -pointsize 11 -draw "text 6,12 '?'" PNG32:help.png
$C -fill '#e0f0ff' -stroke black -draw "circle 6,6 6,11" -strokewidth 2 -draw "line 10,10 14,14" -fill '#2040a0' -stroke none -font DejaVu-Sans-Bold -pointsize 9 -draw "text 4,9 '?'" PNG32:help2.png
for f in *.png; do convert "$f" -colors 16 "PNG8:$f"; done
cd ..
# The program icon: one drawing, icons/purslet.svg, rendered at the usual
# sizes of the icon theme (rsvg-convert from librsvg2-bin); the 48 pixel one
# is also the window icon.
for size in 16 22 24 32 48 64 128 256; do
  mkdir -p "icons/${size}x${size}"
  rsvg-convert -w "$size" -h "$size" icons/purslet.svg | convert - -strip PNG32:"icons/${size}x${size}/purslet.png"
done
cp icons/48x48/purslet.png purslet.png
