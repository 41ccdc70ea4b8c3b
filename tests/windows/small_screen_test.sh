#!/usr/bin/env bash
# On a 1366 x 768 screen, the size of the game's picture, Wine's window and its frame would not
# fit: the game opens scaled down, wholly on the screen with room for the title bar, shows the
# start menu as the Linux reference scaled, and a click at the scaled "Hrát hru" starts a game.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"
reference="$(dirname "$0")/../../docs/screenshot_start_menu.png"
shot="$WIN_ROOT/shot.png"
readonly screenWidth=1366 screenHeight=768 titleBar=20
maxDifference=0.06 # normalised RMSE against the reference scaled: edges of scaled letters

win_use_own_screen "${screenWidth}x${screenHeight}"
win_start_game
win_wait_for 'WIN_WINDOW=$(xdotool search --name "^Kvelmora$" 2>/dev/null | head -n 1); [ -n "$WIN_WINDOW" ]' 30 ||
    win_fail "the game window did not appear"
win_wait_for 'win_log_has "start_menu: Draw end."' 30 || win_fail "the start menu was never drawn"
win_wait_for_frames
read -r x y width height < <(xwininfo -id "$WIN_WINDOW" |
    awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
echo "window ${width}x${height} at $x,$y on a ${screenWidth}x${screenHeight} screen"
[ "$x" -ge 0 ] && [ "$y" -ge "$titleBar" ] && [ $((x + width)) -le "$screenWidth" ] &&
    [ $((y + height)) -le "$screenHeight" ] || win_fail "the window and its title bar are not wholly on the screen"

# The client area keeps the picture's shape, so it is the picture itself, scaled.
import -window root -crop "${width}x${height}+${x}+${y}" +repage "$shot"
convert "$reference" -resize "${width}x${height}!" "$WIN_ROOT/expected.png"
difference=$({ compare -metric RMSE "$WIN_ROOT/expected.png" "$shot" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/')
echo "difference from the Linux start menu scaled: $difference"
awk -v d="$difference" -v max="$maxDifference" 'BEGIN { exit !(d < max) }' ||
    win_fail "the scaled start menu differs from the reference by $difference"

# "Hrát hru" ends near the right margin, at 45 % of the picture's height; the game's instructions
# then fill the empty band under the logo.
scaled() {
    echo $(($1 * width / 1366)) $(($2 * height / 768))
}
instructions_shown() {
    import -window root -crop "${width}x${height}+${x}+${y}" +repage "$shot" &&
        region_has_text "$shot" $(scaled 800 30) $(scaled 280 148)
}
instructions_shown && win_fail "the start menu has text where the instructions go"
read -r buttonX buttonY < <(scaled 1130 365)
xdotool windowfocus --sync "$WIN_WINDOW"
xdotool mousemove --sync $((x + buttonX)) $((y + buttonY)) click 1
win_wait_for instructions_shown 10 || win_fail "a click at the scaled \"Hrát hru\" did not start a game"
win_escape
echo "ok"
