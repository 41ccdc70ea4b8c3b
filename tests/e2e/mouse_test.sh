#!/usr/bin/env bash
# The mouse alone: the info menu and its "Zpět", a game started and jumped by a
# click, and both game-over buttons, "Hrát znovu" for a second game and "Úvodní menu"; both results
# are in the best-results file after Escape.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"
printf '%s\n' "$low_results" >"$E2E_DIR/assets/high_scores.txt"

e2e_open_game
e2e_point $infoButtonAt click
e2e_wait_for 'looks - "${topics[0]}" + "$pageText"' 5 || e2e_fail "a click did not open the info menu"
# The menu tests click every topic with the real pointer; here "Zpět" shows the pointer reaches them.
e2e_point $backTopicAt click
e2e_wait_for '[ "$(start_menus_built)" -eq 2 ]' 5 || e2e_fail "a click on \"Zpět\" did not return to the start menu"

start_a_game
e2e_point 683 600 click
e2e_wait_for 'looks - "$instructions"' 5 || e2e_fail "a click did not start the game with a jump"
e2e_wait_for 'looks + "$gameOverHint" + "$playAgainButton"' 20 || e2e_fail "the game did not end on a flower"

# Clicks count only half a second after the crash: click until one does.
e2e_wait_for 'e2e_point $playAgainAt click; looks - "$gameOverHint"' 5 || e2e_fail "\"Hrát znovu\" did not start a new game"
[ "$(start_menus_built)" -eq 2 ] || e2e_fail "\"Hrát znovu\" went to the start menu"
e2e_point 683 600 click
e2e_wait_for 'looks + "$gameOverHint" + "$startMenuButton"' 20 || e2e_fail "the second game did not end on a flower"
e2e_wait_for 'e2e_point $startMenuAt click; [ "$(start_menus_built)" -eq 3 ]' 5 ||
    e2e_fail "\"Úvodní menu\" did not return to the start menu"

e2e_escape
# The runner may catch an item before its flower, so a result is any score, not only zero.
e2e_expect_games_kept "$E2E_DIR/assets/high_scores.txt" 2
echo "ok"
