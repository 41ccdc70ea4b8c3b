#!/usr/bin/env bash
# A start and an Escape: the log tells the whole start-up in order, the window is centred
# and the best results come through unchanged, sorted and one per line.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"
printf '10 50\n30\t20 40 trailing words\n' >"$E2E_DIR/assets/high_scores.txt"

e2e_start_game
e2e_wait_for_window
geometry=$(xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}')
[ "$geometry" = "0,0" ] || e2e_fail "the window is not centred on the 1366 x 768 screen: at $geometry"
e2e_key Escape
e2e_wait_for_exit 10
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Escape"

log=$(e2e_log)
problem=$(startup_log_problem "$log")
[ -z "$problem" ] || e2e_fail "$problem"
grep -qxF "Asset loaded successfully: $E2E_DIR/assets/sounds/game_over.wav" <<<"$log" ||
    e2e_fail "asset paths are not built from the executable's directory"

[ "$(cat "$E2E_DIR/assets/high_scores.txt")" = "50
40
30
20
10" ] || e2e_fail "best results not rewritten sorted, one per line"
echo "ok"
