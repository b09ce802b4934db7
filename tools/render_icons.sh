#!/usr/bin/env bash
# Renders the program's icon, packaging/icons/quorvix.svg, to the PNG sizes
# the package installs (packaging/icons/quorvix-N.png). The PNGs are kept in
# the repository, so a build needs no SVG renderer; run this after changing
# the SVG. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
for size in 16 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --format png quorvix.svg --output "quorvix-$size.png"
done
