#!/usr/bin/env bash
# Best results survive what players and machines do. Each row of the table at the bottom plays one
# hazard through the real program, from fresh assets, and checks the files and status it leaves.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"
chmod a+rx "$E2E_DIR" # the rows that need an ordinary user run the game as nobody
assets="$E2E_DIR/assets"
scores="$assets/high_scores.txt"
no_results=$'0\n0\n0\n0\n0'
other_game=""
own_xvfb=""

fresh_assets() {
    chmod -R u+w,a+rX "$assets"
    rm -rf "$assets"/log* "$assets"/high_scores.txt* "$assets"/victim* "$E2E_DIR"/stderr
    printf '%s\n' "$low_results" >"$scores"
}

# Ends whatever a row started, also when it failed halfway.
end_row() {
    local pid
    for pid in $E2E_GAME_PID $other_game; do
        kill -9 "$pid" 2>/dev/null || true
    done
    if [ -n "$own_xvfb" ]; then
        kill "$own_xvfb" 2>/dev/null || true
    fi
}

# The lines of $1 on one line, for messages.
flat() {
    tr '\n' ' ' <<<"$1"
}

expect_scores() {
    [ "$(cat "$scores")" = "$1" ] ||
        e2e_fail "best results $(flat "$(cat "$scores")"), expected $(flat "$1")"
}

expect_status() {
    [ "$E2E_STATUS" -eq "$1" ] || e2e_fail "exit status $E2E_STATUS, expected $1"
}

stop_game() {
    kill -s TERM "$E2E_GAME_PID"
    e2e_wait_for_exit 10
}

# "Více o Kvelmoře", left of the middle, clear of the hint on the first copy's game-over view.
start_menu_shown() {
    e2e_screenshot "$shot" && has_text 140 30 168 380
}

# The log is shared with the first copy, so it cannot tell when the second one is ready. SFML
# creates a window off its place and the game moves it there, so the second copy is ready once its
# window lies exactly over the first one ($1) and shows the start menu.
wait_for_second_window() {
    local first=$1 place
    place=$(xdotool getwindowgeometry "$first" | grep Position)
    e2e_wait_for 'E2E_WINDOW=$(xdotool search --name "^Kvelmora$" 2>/dev/null | grep -vx "$first" | head -n 1);
                  [ -n "$E2E_WINDOW" ]' 15 || e2e_fail "the second window did not appear"
    e2e_wait_for '[ "$(xdotool getwindowgeometry "$E2E_WINDOW" | grep Position)" = "$place" ] && start_menu_shown' 15 ||
        e2e_fail "the second copy's start menu did not appear over the first copy"
    xdotool windowfocus --sync "$E2E_WINDOW"
}

# Root writes through a read-only folder, so the game runs as nobody there. A game that cannot write
# beside its assets turns to the player's own folders: here they lead back to the same folder.
start_in_read_only_folder() {
    install -m 666 /dev/null "$assets/log.txt"
    chmod a-w "$assets"
    mkdir -p "$E2E_DIR/player"
    ln -sfn "$assets" "$E2E_DIR/player/kvelmora"
    export XDG_STATE_HOME=$E2E_DIR/player XDG_DATA_HOME=$E2E_DIR/player
    if [ "$(id -u)" -ne 0 ]; then
        e2e_start_game
    else
        (cd "$E2E_DIR" && exec setpriv --reuid=65534 --regid=65534 --clear-groups ./kvelmora \
            >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr") &
        E2E_GAME_PID=$!
    fi
    e2e_wait_for_window
}

row_kill_after_game_over() {
    e2e_open_game
    play_until_a_flower
    looks + "$saveNotice" && e2e_fail "a saved result was reported as not saved"
    kill -9 "$E2E_GAME_PID"
    e2e_wait_for_exit 10
    e2e_expect_games_kept "$scores" 1
}

# The result's save fails while the folder is read-only; once it is writable again, the end of
# the X server saves it.
row_x_server_killed() {
    start_xvfb 1366x768x24 || e2e_fail "no X server of the row's own"
    own_xvfb=$XVFB_PID
    start_in_read_only_folder
    play_until_a_flower
    chmod a+w "$assets"
    kill "$own_xvfb"
    e2e_wait_for_exit 10
    expect_status 1
    e2e_expect_games_kept "$scores" 1
}

row_fifo() {
    rm "$scores"
    mkfifo "$scores"
    e2e_open_game
    stop_game
    expect_status 0
    [ -f "$scores" ] || e2e_fail "the FIFO was not replaced by a file"
    expect_scores "$no_results"
}

row_read_only_folder() {
    start_in_read_only_folder
    play_until_a_flower
    looks + "$saveNotice" || e2e_fail "no Czech line under the hint on the game-over view"
    e2e_key Escape
    e2e_wait_for_exit 10
    expect_status 1
    [ "$(grep -c "cannot save the best results" "$E2E_DIR/stderr")" -eq 1 ] ||
        e2e_fail "the failed saves were not told once on standard error"
    expect_scores "$low_results"
}

# The first copy saves its result and goes on running; the second adds its own; the first then
# leaves last and must not write back the list it holds.
row_two_copies() {
    e2e_open_game
    local first_window=$E2E_WINDOW
    play_until_a_flower
    other_game=$E2E_GAME_PID
    e2e_start_game
    wait_for_second_window "$first_window"
    play_until_a_flower
    e2e_expect_games_kept "$scores" 2

    stop_game
    E2E_GAME_PID=$other_game
    other_game=""
    stop_game
    e2e_expect_games_kept "$scores" 2
}

# Stopped while it loads its assets (found by freezing it), the game runs on to the frame loop
# and ends there as the close button ends it.
row_stop_while_loading() {
    printf -- '-3 -1 -2 -5 -4\n' >"$scores"
    local attempt
    for attempt in 1 2 3 4 5; do
        rm -f "$assets/log.txt"
        e2e_start_game
        until e2e_log_has "Begin loading assets." || ! e2e_game_running; do :; done
        if kill -s STOP "$E2E_GAME_PID" 2>/dev/null && ! e2e_log_has "Sounds loaded."; then
            kill -s TERM "$E2E_GAME_PID"
            kill -s CONT "$E2E_GAME_PID"
            e2e_wait_for_exit 15
            expect_status 0
            [ "$(tail -n 1 "$assets/log.txt")" = "main: WinMain end." ] || e2e_fail "the run did not end normally"
            expect_scores "$low_results"
            return
        fi
        # Caught too late, or not at all: try again.
        kill -9 "$E2E_GAME_PID" 2>/dev/null || true
        kill -s CONT "$E2E_GAME_PID" 2>/dev/null || true
        e2e_wait_for_exit 10
    done
    e2e_fail "the game was never caught while loading"
}

# A process that took the lock and froze stands for a copy stopped inside its save. The second copy
# still shows its game-over view, tells the save as failed, and SIGTERM still ends it.
row_frozen_lock_holder() {
    (exec 9>>"$scores.lock" && flock 9 && kill -s STOP "$BASHPID") &
    other_game=$!
    e2e_wait_for '[ "$(cut -d " " -f 3 "/proc/$other_game/stat")" = T ]' 10 || e2e_fail "the lock's holder did not freeze"
    e2e_open_game
    play_until_a_flower
    looks + "$saveNotice" || e2e_fail "the failed save was not told on the game-over view"
    kill -s TERM "$E2E_GAME_PID"
    e2e_wait_for_exit 10
    expect_status 1
    grep -q "holds the lock" "$E2E_DIR/stderr" || e2e_fail "standard error does not say why the save failed"
    expect_scores "$low_results"
}

rows=(
    "kill_after_game_over|kill -9 right after a game over keeps the result"
    "x_server_killed|the end of the X server saves what could not be saved before, with status 1"
    "fifo|a FIFO at high_scores.txt does not hold up the start"
    "read_only_folder|a read-only folder is told on standard error and on the game-over view"
    "two_copies|two copies of the game keep each other's results"
    "frozen_lock_holder|a copy frozen while it holds the lock holds up no other copy"
    "stop_while_loading|a stop request during loading saves and ends with status 0"
)
for row in "${rows[@]}"; do
    echo "--- ${row#*|}"
    fresh_assets
    (
        trap end_row EXIT
        "row_${row%%|*}"
    )
done
echo "ok"
