#!/bin/sh
# Redraws the status strip images (offline: grey with a red lamp, online: green) with
# ImageMagick. Run from this folder.
set -e
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
convert -size 240x16 gradient:'#a4a4a4'-'#6a6a6a' \
    -fill '#d82020' -stroke '#701010' -draw 'circle 10,8 10,4' -stroke none \
    -font "$font" -pointsize 11 -fill white -gravity west -annotate +22+0 'Offline' \
    -depth 8 -strip offline.png
convert -size 240x16 gradient:'#46c856'-'#1c8028' \
    -fill '#b8ffc0' -stroke '#0c5018' -draw 'circle 10,8 10,4' -stroke none \
    -font "$font" -pointsize 11 -fill white -gravity west -annotate +22+0 'Online' \
    -depth 8 -strip online.png
