#!/bin/sh
# Redraws the line status icons of the communication dialog (offline: a dark red lamp,
# online: a lit green one) with ImageMagick. Run from this folder.
set -e
lamp() {
    convert -size 22x22 xc:none \
        -fill "$2" -stroke "$3" -strokewidth 1.5 -draw 'circle 11,11 11,2.5' \
        -fill "$4" -stroke none -draw 'circle 8.5,8 8.5,5.5' \
        -depth 8 -strip "$1"
}
lamp line-offline.png '#b02020' '#5a0c0c' '#e88080'
lamp line-online.png '#2cc040' '#0c5018' '#c8ffd0'
