#!/usr/bin/env bash
# The mouse alone: the info menu and each of its pages, "Zpět", a game started and jumped by a
# click, and both game-over buttons, "Hrát znovu" for a second game and "Úvodní menu".
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"

e2e_start_game
e2e_wait_for_window
e2e_point $infoButtonAt click
e2e_wait_for 'looks - "${topics[0]}" + "$pageText"' 5 || e2e_fail "a click did not open the info menu"
page=$(region_sum "$pageText")
for topic in 1 2 3; do
    e2e_point ${topicAt[topic]} click
    e2e_wait_for 'looks - "${topics[topic]}" && [ "$(region_sum "$pageText")" != "$page" ]' 5 ||
        e2e_fail "a click did not show page $topic"
    page=$(region_sum "$pageText")
done
e2e_point ${topicAt[4]} click
e2e_wait_for '[ "$(start_menus_built)" -eq 2 ]' 5 || e2e_fail "a click on \"Zpět\" did not return to the start menu"

e2e_point $playButtonAt click
e2e_wait_for 'looks + "$instructions"' 5 || e2e_fail "a click on \"Hrát hru\" did not start a game"
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

e2e_key Escape
e2e_wait_for_exit 10
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Escape"
echo "ok"
