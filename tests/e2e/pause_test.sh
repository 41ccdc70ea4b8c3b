#!/usr/bin/env bash
# The pause band, and which pauses the focus ends: one made by losing the focus ends when it comes
# back; one made with P outlasts the focus going to another window and back, until P again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"
other=""
trap '[ -z "$other" ] || kill "$other" 2>/dev/null; e2e_cleanup' EXIT

world_sum() {
    e2e_screenshot "$shot" && region_sum "1366 768 0 0"
}

e2e_open_game
xmessage -geometry +900+600 "jinde" &
other=$!
e2e_wait_for 'otherWindow=$(xdotool search --name "^xmessage$" 2>/dev/null | head -n 1); [ -n "$otherWindow" ]' 10 ||
    e2e_fail "no other window to give the focus to"
e2e_focus_window
start_a_game
e2e_key Up
e2e_wait_for 'looks - "$instructions"' 5 || e2e_fail "Up did not start the game"

e2e_focus_window "$otherWindow"
looks + "$pauseCaption" + "$pauseHint" || e2e_fail "losing the focus did not pause the game"
e2e_focus_window
looks - "$pauseCaption" || e2e_fail "the focus came back, but the pause made by losing it did not end"

e2e_key p
e2e_wait_for 'looks + "$pauseCaption" + "$pauseHint"' 5 || e2e_fail "P did not show the pause band"
e2e_focus_window "$otherWindow"
e2e_focus_window
looks + "$pauseCaption" + "$pauseHint" || e2e_fail "the focus going away and back ended the pause made with P"
frozen=$(world_sum)
e2e_wait_for_frames
[ "$(world_sum)" = "$frozen" ] || e2e_fail "the world moved during the pause"

e2e_key p
e2e_wait_for 'looks - "$pauseCaption" - "$pauseHint"' 5 || e2e_fail "P again did not end the pause"
moving=$(world_sum)
e2e_wait_for '[ "$(world_sum)" != "$moving" ]' 5 || e2e_fail "the game did not go on after the pause"
e2e_escape
echo "ok"
