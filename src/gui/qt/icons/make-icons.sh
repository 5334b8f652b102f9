#!/usr/bin/env bash
# Renders the application icon (a small scrolling bar graph in the five level colours on a dark panel) and the
# red close mark. Run once by hand when the design changes; the PNGs are committed. Needs ImageMagick.
set -euo pipefail
cd "$(dirname "$0")"
magick=convert
$magick -size 256x256 xc:none \
  -fill '#1d2733' -stroke '#0b1118' -strokewidth 8 -draw 'roundrectangle 8,8 247,247 40,40' \
  -stroke none \
  -fill '#2f8f2f' -draw 'rectangle 36,176 66,220' \
  -fill '#00bfff' -draw 'rectangle 76,132 106,220' \
  -fill '#ffd700' -draw 'rectangle 116,92 146,220' \
  -fill '#ff8c00' -draw 'rectangle 156,62 186,220' \
  -fill '#ff2020' -draw 'rectangle 196,36 226,220' \
  -stroke '#ececec' -strokewidth 10 -fill none -draw 'polyline 40,150 90,112 130,124 172,70 222,46' \
  icon-256.png
for size in 16 32 48 64; do
  $magick icon-256.png -filter Lanczos -resize ${size}x${size} -depth 8 -define png:color-type=6 quorell-${size}.png
done
rm icon-256.png
# The close mark: a red X on a transparent 16 x 16 square.
$magick -size 16x16 xc:none -stroke '#e00000' -strokewidth 3 -draw 'line 3,3 12,12' -draw 'line 12,3 3,12' \
  -depth 8 -define png:color-type=6 close-mark.png
# The Windows program's icon: the four sizes above as 32-bit images with alpha in one .ico.
$magick quorell-16.png quorell-32.png quorell-48.png quorell-64.png -depth 8 -type TrueColorAlpha \
  ../../win32/resources/quorell.ico
