#!/usr/bin/env bash
# No display: one clear line and status 1 instead of an abort. A read-only asset directory:
# no log and no best results can be written, yet the game runs; at its end it says that the
# results were not saved and fails.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"

for display in "" ":199"; do
    status=0
    (cd "$E2E_DIR" && DISPLAY="$display" ./kvelmora >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr") || status=$?
    [ "$status" -eq 1 ] || e2e_fail "DISPLAY='$display': exit status $status, expected 1"
    [ "$(wc -l <"$E2E_DIR/stderr")" -eq 1 ] && grep -q "no X display" "$E2E_DIR/stderr" ||
        e2e_fail "DISPLAY='$display': no single clear line on standard error: $(cat "$E2E_DIR/stderr")"
done

printf '9 8 7 6 5\n' >"$E2E_DIR/assets/high_scores.txt"
rm -f "$E2E_DIR/assets/log.txt"
chmod -R a-w "$E2E_DIR/assets"
chmod a+rx "$E2E_DIR"
# Nor can the player's own folders take anything.
mkdir -p "$E2E_DIR/player"
chmod a-w "$E2E_DIR/player"
export XDG_DATA_HOME=$E2E_DIR/player XDG_STATE_HOME=$E2E_DIR/player
if [ "$(id -u)" -eq 0 ]; then
    # root writes through permissions, so the game runs as an ordinary user here.
    (cd "$E2E_DIR" && exec setpriv --reuid=65534 --regid=65534 --clear-groups ./kvelmora \
        >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr") &
    E2E_GAME_PID=$!
else
    e2e_start_game
fi
e2e_wait_for '[ -n "$(xdotool search --name "^Kvelmora$" 2>/dev/null)" ]' 15 || e2e_fail "no window"
sleep 0.5
kill -s TERM "$E2E_GAME_PID"
e2e_wait_for_exit 10
chmod -R u+w "$E2E_DIR/assets"
[ "$E2E_STATUS" -eq 1 ] || e2e_fail "read-only assets: exit status $E2E_STATUS, expected 1"
grep -q "cannot save the best results" "$E2E_DIR/stderr" || e2e_fail "read-only assets: the failed save was not told"
[ ! -e "$E2E_DIR/assets/log.txt" ] || e2e_fail "read-only assets: a log appeared"
[ "$(cat "$E2E_DIR/assets/high_scores.txt")" = "9 8 7 6 5" ] || e2e_fail "read-only assets: best results changed"
echo "ok"
