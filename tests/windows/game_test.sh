#!/usr/bin/env bash
# Two runs of real play: "Hrát hru", Up, the runner meets the first flower and "KONEC HRY"
# shows; the result is on disk right away; Space starts a new game; Escape ends with status 0.
# The second run must replace the file the first one wrote. Screenshots go to the folder that
# WINDOWS_SCREENSHOTS names, if any.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"
printf -- '-1\n-2\n-3\n-4\n-5\n' >"$WIN_DATA/high_scores.txt"

keep_screenshots() {
    [ -n "${WINDOWS_SCREENSHOTS:-}" ] || return 0
    cp "$WIN_ROOT/waiting.png" "$WINDOWS_SCREENSHOTS/windows_game_waiting.png"
    cp "$WIN_ROOT/running.png" "$WINDOWS_SCREENSHOTS/windows_game_running.png"
    cp "$WIN_ROOT/game_over.png" "$WINDOWS_SCREENSHOTS/windows_game_over.png"
}

win_start_game
win_wait_for_window
win_play_to_game_over
keep_screenshots
[ "$(win_best_results)" = "0 -1 -2 -3 -4 " ] ||
    win_fail "the result is not on disk right after the game over: $(win_best_results)"
win_key space
win_wait_for_frames
win_game_over_shown && win_fail "Space did not start a new game"
win_escape

# A second run replaces the file the first one left.
win_start_game
win_wait_for_window
win_play_to_game_over
[ "$(win_best_results)" = "0 0 -1 -2 -3 " ] || win_fail "the second run's result was not saved: $(win_best_results)"
win_escape
echo "ok"
