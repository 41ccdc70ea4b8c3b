#!/usr/bin/env bash
# A start and an Escape: the log tells the whole start-up in order and the best results come
# through unchanged, sorted and one per line.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"
printf '10 50\n30\t20 40 trailing words\n' >"$E2E_DIR/assets/high_scores.txt"

e2e_open_game
e2e_escape

log=$(cat "$E2E_DIR/assets/log.txt")
problem=$(startup_log_problem "$log")
[ -z "$problem" ] || e2e_fail "$problem"
grep -qxF "Asset loaded successfully: $E2E_DIR/assets/sounds/game_over.wav" <<<"$log" ||
    e2e_fail "asset paths are not built from the executable's directory"

[ "$(tr '\n' ' ' <"$E2E_DIR/assets/high_scores.txt")" = "50 40 30 20 10 " ] ||
    e2e_fail "best results not rewritten sorted, one per line"
echo "ok"
