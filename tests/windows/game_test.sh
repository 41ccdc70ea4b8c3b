#!/usr/bin/env bash
# Two runs of real play: "Hrát hru", Up, the runner meets the first flower and "KONEC HRY"
# shows; the result is on disk right away; Space starts a new game; Escape ends with status 0.
# The second run must replace the file the first one wrote. Screenshots go to the folder that
# WINDOWS_SCREENSHOTS names, if any.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"
printf -- '-1\n-2\n-3\n-4\n-5\n' >"$WIN_DIR/assets/high_scores.txt"
shot="$WIN_ROOT/shot.png"

# True when the region ($1 wide, $2 high, at $3, $4) holds dark pixels: text, not sky.
has_text() {
    local mean
    mean=$(convert "$shot" -crop "$1x$2+$3+$4" +repage -colorspace Gray -threshold 30% -format '%[fx:mean]' info:)
    awk -v mean="$mean" 'BEGIN { exit !(mean < 0.999) }'
}

# The hint line at half the window's height appears only on the game-over view.
game_over_shown() {
    win_screenshot "$shot" && has_text 900 24 233 388
}

keep_screenshot() {
    [ -n "${WINDOWS_SCREENSHOTS:-}" ] && cp "$shot" "$WINDOWS_SCREENSHOTS/$1" || true
}

best_results() {
    tr -d '\r' <"$WIN_DIR/assets/high_scores.txt" | tr '\n' ' '
}

play_until_a_flower() {
    win_key Up
    sleep 0.4
    win_screenshot "$shot"
    keep_screenshot windows_game_running.png
    win_wait_for game_over_shown 30 || win_fail "the game did not end on a flower"
    keep_screenshot windows_game_over.png
}

play_one_run() {
    win_start_game
    win_wait_for_window
    # "Hrát hru" ends near the right margin, at 45 % of the window's height.
    win_point 1130 365 click
    sleep 1
    win_screenshot "$shot"
    keep_screenshot windows_game_waiting.png
    game_over_shown && win_fail "the game-over view before the game"
    play_until_a_flower
}

play_one_run
[ "$(best_results)" = "0 -1 -2 -3 -4 " ] ||
    win_fail "the result is not on disk right after the game over: $(best_results)"
win_key space
sleep 1
win_screenshot "$shot"
game_over_shown && win_fail "Space did not start a new game"
win_key Escape
win_wait_for_exit 15
[ "$WIN_STATUS" -eq 0 ] || win_fail "exit status $WIN_STATUS after Escape"

# A second run replaces the file the first one left.
play_one_run
[ "$(best_results)" = "0 0 -1 -2 -3 " ] || win_fail "the second run's result was not saved: $(best_results)"
win_key Escape
win_wait_for_exit 15
[ "$WIN_STATUS" -eq 0 ] || win_fail "exit status $WIN_STATUS after Escape"
echo "ok"
