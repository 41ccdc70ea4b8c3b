#!/usr/bin/env bash
# The game ends promptly every time: twenty starts, each ended by Escape on the start menu, and
# none may take longer than five seconds from its last log line to the end of its process. School
# tools wait for the process, so an exit that hangs now and then looks like a game that never ends.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"
runs=20
maxExitSeconds=5

slowest=0
for run in $(seq "$runs"); do
    rm -f "$WIN_DATA/log.txt"
    win_start_game
    win_wait_for_window
    win_key Escape
    win_wait_for 'win_log_has "main: WinMain end."' 15 || win_fail "run $run never finished its frame loop"
    ended=$SECONDS
    win_wait_for '! win_game_running' "$maxExitSeconds" ||
        win_fail "run $run was still running $maxExitSeconds s after \"main: WinMain end.\""
    wait "$WIN_GAME_PID" || win_fail "run $run ended with status $?"
    WIN_GAME_PID=""
    slowest=$((SECONDS - ended > slowest ? SECONDS - ended : slowest))
done
echo "$runs exits, the slowest within $slowest s of the last log line"
echo "ok"
