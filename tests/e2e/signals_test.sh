#!/usr/bin/env bash
# SIGTERM, SIGINT and SIGHUP end the run as the close button does: the best results are
# written, the log closes normally and the status is success.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"

for signal in TERM INT HUP; do
    printf '3 1 2 5 4\n' >"$E2E_DIR/assets/high_scores.txt"
    e2e_open_game
    kill -s "$signal" "$E2E_GAME_PID"
    e2e_wait_for_exit 10
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "SIG$signal: exit status $E2E_STATUS"
    [ "$(tail -n 1 "$E2E_DIR/assets/log.txt")" = "main: WinMain end." ] || e2e_fail "SIG$signal: the run did not end normally"
    [ "$(tr '\n' ' ' <"$E2E_DIR/assets/high_scores.txt")" = "5 4 3 2 1 " ] ||
        e2e_fail "SIG$signal: the best results were not written"
done
echo "ok"
