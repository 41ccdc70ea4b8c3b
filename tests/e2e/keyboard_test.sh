#!/usr/bin/env bash
# The keyboard alone, the pointer never moved: the start menu's focus, the info menu's topics and
# "Zpět", a game with Up, the start menu again from the game-over view, a second game by Space.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"

e2e_open_game
pointer=$(xdotool getmouselocation)
e2e_wait_for 'looks + "$playButton" + "$infoButton"' 5 || e2e_fail "a button is grey before any key"

e2e_key Right
e2e_wait_for 'looks - "$playButton" + "$infoButton"' 5 || e2e_fail "the first key did not show the focus on \"Hrát hru\""
e2e_key Left
e2e_wait_for 'looks + "$playButton" - "$infoButton"' 5 || e2e_fail "Left did not move the focus"
e2e_key Return
e2e_wait_for 'looks - "${topics[0]}" + "${topics[1]}" + "$pageText"' 5 || e2e_fail "Enter did not open the info menu"

# Down moves the focus to the next topic and Enter shows its page; the menu tests try every topic.
page=$(region_sum "$pageText")
e2e_key Down Return
e2e_wait_for 'looks - "${topics[1]}" + "${topics[0]}" && [ "$(region_sum "$pageText")" != "$page" ]' 5 ||
    e2e_fail "Down and Enter did not show the next page"
e2e_key Down Down Down Return
e2e_wait_for '[ "$(start_menus_built)" -eq 2 ]' 5 || e2e_fail "\"Zpět\" by Enter did not return to the start menu"

e2e_key Return Return
e2e_wait_for 'looks + "$instructions"' 5 || e2e_fail "Enter twice did not start a game"
e2e_key Up
e2e_wait_for 'looks + "$gameOverHint" + "$resultsCaption" + "$playAgainButton" + "$startMenuButton"' 20 ||
    e2e_fail "the game did not end on a flower with its best results and two buttons"
e2e_key Return
e2e_wait_for '[ "$(start_menus_built)" -eq 3 ]' 5 || e2e_fail "a key other than Space did not go to the start menu"
e2e_key space space
e2e_wait_for 'looks + "$instructions"' 5 || e2e_fail "Space twice did not start a second game"
[ "$(start_menus_built)" -eq 3 ] || e2e_fail "the start menu came back"

[ "$(xdotool getmouselocation)" = "$pointer" ] || e2e_fail "the pointer moved"
e2e_escape
echo "ok"
