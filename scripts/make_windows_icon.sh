#!/usr/bin/env bash
# Makes the Windows program icon from the round badge of the organisation's logo in art/.
# Needs rsvg-convert (librsvg2-bin) and ImageMagick; the result is committed, so building
# the game needs neither.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
badgeSize=50 # the badge fills the first 50 x 50 units of the logo's drawing
CONVERT=${CONVERT:-$(command -v /usr/bin/convert || command -v convert)}

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

frames=()
for size in 256 48 32 16; do
    rsvg-convert -z "$(echo "scale=4; $size / $badgeSize" | bc)" "$root/art/logos/korvel.svg" -o "$tmp/logo.png"
    "$CONVERT" "$tmp/logo.png" -crop "${size}x${size}+0+0" +repage -strip "PNG32:$tmp/$size.png"
    frames+=("$tmp/$size.png")
done
"$CONVERT" "${frames[@]}" "$root/windows/kvelmora.ico"
