#!/usr/bin/env bash
# Renders the game's icon from art/icon/kvelmora.svg: the hicolor PNGs that Linux menus show and
# the multi-size .ico that Windows shows for the executable and its shortcuts; the larger ones that a
# browser shows for the installed web game; and the side picture
# of the Windows installer from art/icon/installer_side.svg.
#
# Needs rsvg-convert (librsvg2-bin) and ImageMagick. The results are committed, so building the
# game needs neither; rerun this after changing the SVG.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
svg=$root/art/icon/kvelmora.svg
out=$root/packaging/icons
sizes=(16 32 48 64 128 256)
webSizes=(192 512)

mkdir -p "$out"
for size in "${sizes[@]}" "${webSizes[@]}"; do
    rsvg-convert -w "$size" -h "$size" "$svg" -o "$out/tmp.png"
    convert "$out/tmp.png" -strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt "PNG32:$out/kvelmora-$size.png"
done
rm -f "$out/tmp.png"
(cd "$out" && convert $(printf 'kvelmora-%s.png ' "${sizes[@]}") kvelmora.ico)

# The side picture of the Windows installer: a 24-bit BMP, the only kind NSIS shows.
rsvg-convert "$root/art/icon/installer_side.svg" -o "$out/tmp.png"
convert "$out/tmp.png" -background white -flatten -strip BMP3:"$out/installer_side.bmp"
rm -f "$out/tmp.png"
