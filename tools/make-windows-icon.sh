#!/usr/bin/env bash
# Remakes data/veyra-setup.ico, the Windows program's own icon, from ui/resources/icons/app.svg, the
# picture the windows carry and Linux installs: every size Explorer and the task bar ask for, drawn
# by librsvg, packed by ImageMagick. The .ico is committed, so a build needs neither; run this after
# changing the SVG (a test fails while the two differ).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh librsvg2-bin imagemagick
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pictures=()
for size in 16 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" ui/resources/icons/app.svg -o "$work/$size.png"
  pictures+=("$work/$size.png")
done
convert "${pictures[@]}" data/veyra-setup.ico
identify data/veyra-setup.ico
