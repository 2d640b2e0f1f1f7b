#!/usr/bin/env bash
# Draws Kestrun's images with ImageMagick. The PNGs are committed; run this
# again only to change the pictures (apt-get install imagemagick).
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A hovering kestrel in white on a rufous rounded square, drawn at 256 px and
# scaled down for every use.
convert -size 256x256 xc:none \
    -fill '#c2531f' -stroke '#8a3410' -strokewidth 8 \
    -draw 'roundrectangle 8,8 247,247 48,48' \
    -stroke none -fill white \
    -draw 'circle 128,60 128,44' \
    -draw 'polygon 120,48 136,48 128,30' \
    -draw 'polygon 112,72 144,72 152,140 128,164 104,140' \
    -draw 'path "M 118,84 C 84,76 40,86 10,122 C 48,112 84,118 114,140 Z"' \
    -draw 'path "M 138,84 C 172,76 216,86 246,122 C 208,112 172,118 142,140 Z"' \
    -draw 'polygon 110,150 146,150 164,222 128,232 92,222' \
    "$work/kestrel.png"

# A warning sign: black exclamation mark on a yellow triangle.
convert -size 256x256 xc:none \
    -fill '#f7c31a' -stroke '#3a2a00' -strokewidth 12 -draw 'stroke-linejoin round polygon 128,20 244,228 12,228' \
    -stroke none -fill '#1a1a1a' \
    -draw 'roundrectangle 110,76 146,168 14,14' \
    -draw 'circle 128,200 128,181' \
    "$work/danger.png"

scale() { convert "$1" -filter Lanczos -resize "$2x$2" -strip "PNG32:$3"; }

scale "$work/kestrel.png" 32 image/SystemTrayIcon.png
scale "$work/danger.png" 32 image/danger.png
for size in 16 32 48 64 128 256; do
    mkdir -p "icons/${size}x${size}"
    scale "$work/kestrel.png" "$size" "icons/${size}x${size}/kestrun.png"
done
# The Windows programs' icon, with the sizes Explorer and the taskbar use.
convert icons/16x16/kestrun.png icons/32x32/kestrun.png icons/48x48/kestrun.png \
    icons/256x256/kestrun.png icons/kestrun.ico
