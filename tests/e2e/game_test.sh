#!/usr/bin/env bash
# A whole game through the real program: "Hrát hru", Up, the runner meets the first flower and
# the game-over view appears; Space starts a new game, which also ends on a flower; another key
# goes back to the start menu, Escape exits, and both results are in the best-results file.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"
printf -- '-1\n-2\n-3\n-4\n-5\n' >"$E2E_DIR/assets/high_scores.txt"
shot="$E2E_DIR/shot.png"

# The hint line at half the window's height appears only on the game-over view.
game_over_shown() {
    e2e_screenshot "$shot" && has_text 900 24 233 388
}

start_menu_count() {
    grep -cxF "start_menu: Constructor end." "$E2E_DIR/assets/log.txt" || true
}

play_until_a_flower() {
    e2e_key Up
    e2e_wait_for game_over_shown 20 || e2e_fail "the game did not end on a flower"
    has_text 140 30 613 44 || e2e_fail "no caption above the best results"
}

e2e_start_game
e2e_wait_for_window
# "Hrát hru" ends near the right margin, at 45 % of the window's height.
e2e_point 1130 365 click
[ "$(start_menu_count)" -eq 1 ] || e2e_fail "the start menu came back"
e2e_screenshot "$shot"
game_over_shown && e2e_fail "the game-over view before the game"
play_until_a_flower

e2e_key space
e2e_wait_for_frames
e2e_screenshot "$shot"
game_over_shown && e2e_fail "Space did not start a new game"
[ "$(start_menu_count)" -eq 1 ] || e2e_fail "Space went to the start menu"
play_until_a_flower

e2e_key Return
e2e_wait_for '[ "$(start_menu_count)" -eq 2 ]' 5 || e2e_fail "another key did not return to the start menu"
e2e_key Escape
e2e_wait_for_exit 10
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Escape"
# The runner may catch an item before its flower, so a result is any score, not only zero.
results=$(tr '\n' ' ' <"$E2E_DIR/assets/high_scores.txt")
[[ "$results" =~ ^[0-9]+\ [0-9]+\ -1\ -2\ -3\ $ ]] ||
    e2e_fail "the two results are not above the older ones in the best-results file: $results"
echo "ok"
