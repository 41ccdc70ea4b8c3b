#!/usr/bin/env bash
# Lays every picture from assets/ out, unscaled, on a white 1366x768 canvas (the
# game's window) to docs/assets_contact_sheet.png, for checking them by eye the
# way the game shows them: on white, sprites standing on a thin black ground line.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
t=$root/assets/textures
bold=$root/assets/fonts/texgyreadventor-bold.otf
regular=$root/assets/fonts/texgyreadventor-regular.otf
CONVERT=${CONVERT:-$(command -v /usr/bin/convert || command -v convert)}
mkdir -p "$root/docs"

ground=430
sheet=$t/Player/player_spritesheet_74.png
fw=$(( $("$CONVERT" "$sheet" -format '%w' info:) / 5 ))
fh=74

args=(-size 1366x768 xc:white)
place() { # file x y
    args+=("$1" -geometry "+$2+$3" -composite)
}
on_ground() { # file x  (bottom edge on the ground line)
    local h
    h=$("$CONVERT" "$1" -format '%h' info:)
    place "$1" "$2" $((ground - h))
}
frame() { # col row x y
    args+=(\( "$sheet" -crop "${fw}x${fh}+$(($1 * fw))+$(($2 * fh))" +repage \) -geometry "+$3+$4" -composite)
}
label() { # x y text
    args+=(-font "$regular" -pointsize 14 -fill '#555555' -annotate "+$1+$2" "$3")
}

args+=(-font "$bold" -pointsize 40 -fill black -gravity north -annotate +0+8 "Kvelmora" -gravity northwest)
korvel_w=$("$CONVERT" "$t/Logos/korvel_50.png" -format '%w' info:)
place "$t/Logos/korvel_50.png" $(((1366 - korvel_w) / 2)) 69

place "$t/Clouds/256x256/Cloud_1.png" 10 110
place "$t/Clouds/128x128/Cloud_1.png" 290 150
place "$t/Clouds/256x256/Cloud_2.png" 430 100
place "$t/Clouds/128x128/Cloud_2.png" 640 170

args+=(-fill black -draw "rectangle 0,$ground 770,$ground")
for c in 0 1 2 3 4; do frame "$c" 0 $((20 + c * (fw + 10))) $((ground - fh)); done
frame 0 1 310 $((ground - fh - 50))
frame 0 2 380 $((ground - fh))
on_ground "$t/Flowers/len_larger.png" 460
on_ground "$t/Flowers/hvezdnice_larger.png" 520
on_ground "$t/Flowers/sasanka_larger.png" 585
on_ground "$t/Garbage/can_small_thinnest.v2.png" 640
on_ground "$t/Garbage/coke_can_small_thinnest.v2.png" 675
on_ground "$t/Garbage/glass_bottle_small_thinnest.v2.png" 710
on_ground "$t/Garbage/plastic_bottle_small_thinnest.v2.png" 745
label 20 $((ground + 24)) "běh (5 snímků)"
label 300 $((ground + 24)) "skok, pád"
label 460 $((ground + 24)) "len, hvězdnice, sasanka"
label 640 $((ground + 44)) "odpadky"

place "$t/vegetace_20.jpg" 778 190
place "$t/morfologie_2_20.jpg" 1060 190
logos_w=$("$CONVERT" "$t/Logos/logos_combined_60.png" -format '%w' info:)
place "$t/Logos/logos_combined_60.png" $(((1366 - logos_w) / 2)) 584

"$CONVERT" "${args[@]}" -alpha off -strip -define png:exclude-chunks=date,time,tEXt,zTXt,iTXt \
    "PNG24:$root/docs/assets_contact_sheet.png"
echo "make_contact_sheet: done"
