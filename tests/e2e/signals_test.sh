#!/usr/bin/env bash
# Escape, SIGTERM, SIGINT and SIGHUP end the run as the close button does: the best results are
# written sorted, one per line, the log closes normally and the status is success. After Escape the
# log also tells the whole start-up in order.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"
log="$E2E_DIR/assets/log.txt"

for ending in Escape TERM INT HUP; do
    printf '10 50\n30\t20 40 trailing words\n' >"$E2E_DIR/assets/high_scores.txt"
    e2e_open_game
    if [ "$ending" = Escape ]; then
        e2e_escape
        problem=$(startup_log_problem "$(cat "$log")")
        [ -z "$problem" ] || e2e_fail "$problem"
        grep -qxF "Asset loaded successfully: $E2E_DIR/assets/sounds/game_over.wav" "$log" ||
            e2e_fail "asset paths are not built from the executable's directory"
    else
        kill -s "$ending" "$E2E_GAME_PID"
        e2e_wait_for_exit 10
        [ "$E2E_STATUS" -eq 0 ] || e2e_fail "SIG$ending: exit status $E2E_STATUS"
        [ "$(tail -n 1 "$log")" = "main: WinMain end." ] || e2e_fail "SIG$ending: the run did not end normally"
    fi
    [ "$(tr '\n' ' ' <"$E2E_DIR/assets/high_scores.txt")" = "50 40 30 20 10 " ] ||
        e2e_fail "$ending: the best results were not written sorted, one per line"
done
echo "ok"
