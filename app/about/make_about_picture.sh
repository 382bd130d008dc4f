#!/usr/bin/env bash
# Regenerates about_picture.jpg, the 128 by 128 colour picture of the About
# dialog: a blue radial gradient with a white "Z". Metadata is stripped so
# the same ImageMagick version writes the same bytes every time.
set -euo pipefail
cd "$(dirname "$0")"
convert -size 128x128 radial-gradient:'#5b9bff'-'#0b1d4a' \
  -fill '#ffd166' -draw 'circle 64,64 64,8' \
  -fill '#0b1d4a' -draw 'circle 64,64 64,14' \
  -font DejaVu-Sans-Bold -pointsize 72 -fill white -gravity center -annotate +0+2 'Z' \
  -strip -quality 90 -sampling-factor 4:2:0 about_picture.jpg
