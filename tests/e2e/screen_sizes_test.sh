#!/usr/bin/env bash
# The game on screens of other sizes: the window fits the screen and shows the 1366 x 768 picture
# scaled, the pointer hits the same logical bounds, F11 fills the screen with the picture letterboxed,
# and a game played to its end in fullscreen comes back to the window as it was.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
E2E_SCREEN=1366x768x24 e2e_prepare "$1"
reference="$E2E_DIR/reference.png"
nowhere="1300 740"  # a logical point far from every button
replaced_window=""  # the window that F11 has just replaced
horizon_y=648       # logical row of the game's horizon line

# Each row: screen size, then the window (width height x y) and the fullscreen picture (width height x y).
sizes=(
    "1024x768 1024 576 0 96 1024 576 0 96"
    "1280x720 1280 720 0 0 1280 720 0 0"
    "1920x1080 1366 768 277 156 1920 1080 0 0"
)

# The picture's place on the screen: its width, height and top-left corner.
picture=(1366 768 0 0)

# A logical point ($1, $2) in screen pixels, through the picture's scale and place.
to_screen() {
    awk -v x="$1" -v y="$2" -v w="${picture[0]}" -v h="${picture[1]}" -v left="${picture[2]}" -v top="${picture[3]}" \
        'BEGIN { printf "%d %d", int(left + x * w / 1366 + 0.5), int(top + y * h / 768 + 0.5) }'
}

# A logical region ($1 wide, $2 high, at $3, $4) as an ImageMagick geometry on the screen.
region_on_screen() {
    local corner end
    corner=$(to_screen "$3" "$4")
    end=$(to_screen $(($3 + $1)) $(($4 + $2)))
    awk -v c="$corner" -v e="$end" 'BEGIN { split(c, a, " "); split(e, b, " "); printf "%dx%d+%d+%d", b[1] - a[1], b[2] - a[2], a[1], a[2] }'
}

point_at() {
    xdotool mousemove --sync $(to_screen "$1" "$2")
    e2e_wait_for_frames
}

# The darkest grey in a logical region of the last screenshot, 0 (black) to 1 (white).
darkest() {
    convert "$shot" -crop "$(region_on_screen "$@")" +repage -colorspace Gray -format '%[fx:minima]' info:
}

# True when a comparison value ($1) is below a limit ($2).
below() {
    awk -v value="$1" -v limit="$2" 'BEGIN { exit !(value < limit) }'
}

# Normalised root-mean-square difference between the picture on the screen and the reference scaled to its size.
difference_from_reference() {
    convert "$reference" -resize "${picture[0]}x${picture[1]}!" "$E2E_DIR/expected.png"
    convert "$shot" -crop "${picture[0]}x${picture[1]}+${picture[2]}+${picture[3]}" +repage "$E2E_DIR/actual.png"
    # compare's status tells whether the pictures differ at all; the number is what counts here.
    { compare -metric RMSE "$E2E_DIR/expected.png" "$E2E_DIR/actual.png" null: 2>&1 || true; } | sed 's/.*(\(.*\))/\1/'
}

# The mean grey of the picture in the last screenshot: a menu or a game is mostly white, a window
# that has not shown its first frame is black.
picture_brightness() {
    convert "$shot" -crop "${picture[0]}x${picture[1]}+${picture[2]}+${picture[3]}" +repage -colorspace Gray \
        -format '%[fx:mean]' info:
}

# True when everything of the screen outside the picture is white.
bars_are_white() {
    local mean
    mean=$(convert "$shot" -fill black -draw "rectangle ${picture[2]},${picture[3]} \
        $((picture[2] + picture[0] - 1)),$((picture[3] + picture[1] - 1))" -colorspace Gray -format '%[fx:mean]' info:)
    # The picture is painted black; what stays white is the bars' share of the screen.
    awk -v mean="$mean" -v share="$(awk -v w="$screen_width" -v h="$screen_height" -v pw="${picture[0]}" \
        -v ph="${picture[1]}" 'BEGIN { print 1 - pw * ph / (w * h) }')" 'BEGIN { exit !(mean > share - 0.0001) }'
}

# The newest visible game window other than the one just replaced.
game_window() {
    xdotool search --onlyvisible --name "^Kvelmora$" 2>/dev/null | grep -vxF "${replaced_window:-none}" | tail -n 1
}

window_geometry() {
    local window
    window=$(game_window)
    [ -n "$window" ] && xwininfo -id "$window" |
        awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
             END {print w, h, x, y}'
}

# Waits for a window of the geometry "$1" (width height x y); the picture then lies at "$2".
expect_window() {
    expected_geometry=$1
    e2e_wait_for '[ "$(window_geometry)" = "$expected_geometry" ]' 10 ||
        e2e_fail "$size: the window is at $(window_geometry), expected $1"
    picture=($2)
    E2E_WINDOW=$(game_window)
    # Without a window manager nobody gives a new window the focus; the keys follow the pointer.
    e2e_focus_window
}

# F11 replaces the window by a new one, which may have the same geometry.
switch_to() {
    replaced_window=$E2E_WINDOW
    e2e_key F11
    expect_window "$@"
    replaced_window=""
    # A new window stays black until its first frames have come through the software renderer. Each
    # screenshot holds the X server up, so they are taken at a leisurely pace.
    e2e_wait_for 'sleep 0.3 && e2e_screenshot "$shot" && ! below "$(picture_brightness)" 0.5' 10 ||
        e2e_fail "$size: the new window shows no picture"
}

game_over_shown() {
    sleep 0.3 && e2e_screenshot "$shot" && below "$(darkest $gameOverHint)" 0.5
}

restart_x_server() {
    kill "$E2E_XVFB_PID" 2>/dev/null || true
    wait "$E2E_XVFB_PID" 2>/dev/null || true
    E2E_SCREEN="$1x24" e2e_start_xvfb
}

# The start menu as it is drawn at the logical size, with the pointer on no button.
e2e_open_game
point_at $nowhere
e2e_screenshot "$reference"
# The bounds of "Hrát hru" as drawn: the dark pixels right of the middle at the buttons' height.
read -r button_width button_height button_x button_y < <(convert "$reference" -crop 683x100+683+320 +repage \
    -colorspace Gray -threshold 50% -format '%@' info: | tr 'x+' '  ' | awk '{print $1, $2, $3 + 683, $4 + 320}')
[ "${button_width:-0}" -gt 50 ] || e2e_fail "no play button found on the reference start menu"
button_middle_y=$((button_y + button_height / 2))
e2e_escape

for row in "${sizes[@]}"; do
    read -r size window_width window_height window_x window_y full_width full_height full_x full_y <<<"$row"
    screen_width=${size%x*}
    screen_height=${size#*x}
    restart_x_server "$size"
    e2e_open_game

    # The window fits the screen and shows the reference scaled.
    expect_window "$window_width $window_height $window_x $window_y" "$window_width $window_height $window_x $window_y"
    point_at $nowhere
    e2e_screenshot "$shot"
    difference=$(difference_from_reference)
    below "$difference" 0.06 || e2e_fail "$size: the window's start menu differs from the reference by $difference"

    # Hover follows the logical bounds: just inside each side the button is grey, just outside black.
    for probe in "$((button_x + 3)) grey" "$((button_x + button_width - 4)) grey" \
        "$((button_x - 8)) black" "$((button_x + button_width + 8)) black"; do
        read -r x expected <<<"$probe"
        point_at "$x" "$button_middle_y"
        e2e_screenshot "$shot"
        tone=$(darkest "$button_width" "$button_height" "$button_x" "$button_y")
        if [ "$expected" = grey ]; then below "$tone" 0.5 && e2e_fail "$size: not grey with the pointer at logical x $x"; fi
        if [ "$expected" = black ]; then below "$tone" 0.5 || e2e_fail "$size: grey with the pointer at logical x $x"; fi
    done

    # F11 fills the screen, the picture scaled and centred between white bars; F11 again returns.
    point_at $nowhere
    switch_to "$screen_width $screen_height 0 0" "$full_width $full_height $full_x $full_y"
    e2e_screenshot "$shot"
    difference=$(difference_from_reference)
    below "$difference" 0.06 || e2e_fail "$size: the fullscreen start menu differs from the reference by $difference"
    bars_are_white || e2e_fail "$size: the bars beside the fullscreen picture are not white"
    switch_to "$window_width $window_height $window_x $window_y" "$window_width $window_height $window_x $window_y"

    # A click at the scaled middle of "Hrát hru" starts a game.
    point_at $((button_x + button_width / 2)) "$button_middle_y"
    xdotool click 1
    e2e_wait_for '! tail -n 20 "$E2E_DIR/assets/log.txt" | grep -q "start_menu: Draw"' 5 ||
        e2e_fail "$size: a click on the scaled play button did not start a game"

    # A paused game stays paused through the switch.
    e2e_key p
    switch_to "$screen_width $screen_height 0 0" "$full_width $full_height $full_x $full_y"
    e2e_screenshot "$shot" && cp "$shot" "$E2E_DIR/before.png"
    e2e_wait_for_frames
    e2e_wait_for_frames
    e2e_screenshot "$shot"
    [ "$(compare -metric AE "$E2E_DIR/before.png" "$shot" null: 2>&1)" = 0 ] ||
        e2e_fail "$size: the paused game moved after F11"
    # The game keeps to the picture too: its horizon is where the picture puts it.
    below "$(darkest 600 6 400 $((horizon_y - 2)))" 0.9 || e2e_fail "$size: the fullscreen game is not letterboxed"

    # Played to its end in fullscreen; F11 then returns to the window, still on the game's end.
    e2e_key p
    e2e_key Up
    e2e_wait_for game_over_shown 30 || e2e_fail "$size: the game in fullscreen did not end on a flower"
    switch_to "$window_width $window_height $window_x $window_y" "$window_width $window_height $window_x $window_y"
    game_over_shown || e2e_fail "$size: the game's end is not shown after F11"
    [ "$(start_menus_built)" -eq 1 ] || e2e_fail "$size: F11 after the game's end left for the start menu"

    e2e_escape "$size"
done
echo "ok"
