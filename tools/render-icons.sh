#!/usr/bin/env bash
# Renders the icon's larger sizes from resources/icons/tellwick.svg, for HiDPI
# window icons, task switchers and docks:
#   tools/render-icons.sh        (needs rsvg-convert: apt-get install librsvg2-bin)
# The 16 and 32 pixel images are kept as they are. The PNGs are committed, so
# building needs no SVG renderer; run this again when the SVG changes.
set -euo pipefail
cd "$(dirname "$0")/../resources/icons"
for size in 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" tellwick.svg --output "tellwick-$size.png"
done
