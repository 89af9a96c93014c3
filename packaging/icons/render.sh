#!/usr/bin/env bash
# Renders the program's icon, mirva.svg, into the PNG sizes the desktop menus pick from
# (Debian package librsvg2-bin). Run it again after a change of the drawing.
set -euo pipefail
cd "$(dirname "$0")"
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" ../mirva.svg -o "mirva-$size.png"
done
