#!/usr/bin/env bash
# The card about the flower that ended the game: the log names one of the three flowers, and a click
# on its "Více o květinách" opens the info menu on "Vegetace".
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"

# The card's button is its last line of text, under a sentence of one to four lines: the centre of
# its left part, found on the screenshot $shot as the lowest dark row of the card's text column.
card_button_at() {
    local left=165 top=123 lowest
    lowest=$(convert "$shot" -crop "350x238+$left+$top" +repage -colorspace Gray -threshold 30% -scale '1x238!' \
        -depth 8 txt:- | awk -F'[,:]' '!/^#/ && !/#FFFFFF/ { lowest = $2 } END { print lowest }')
    [ -n "$lowest" ] && echo "$((left + 40)) $((top + lowest - 8))"
}

e2e_open_game
play_until_a_flower
e2e_wait_for 'grep -qE "^flower card: (len|hvezdnice|sasanka), sentence [0-9]+\.$" "$E2E_DIR/assets/log.txt"' 5 ||
    e2e_fail "the log names no flower's card"
button=$(card_button_at) || e2e_fail "the card's button was not found"
# Clicks count only half a second after the crash: click until one does.
e2e_wait_for 'e2e_point $button click; e2e_log_has "info menu: open on page 2."' 5 ||
    e2e_fail "\"Více o květinách\" at $button did not open the info menu on \"Vegetace\""
e2e_wait_for 'looks + "${topics[0]}" - "${topics[2]}" + "$pageText"' 5 || e2e_fail "\"Vegetace\" is not the page shown"
e2e_escape
echo "ok"
