# Shared steps of the end-to-end checks: each check runs a copy of the built game on a
# private X server, drives it with xdotool and reads its files afterwards.
# Usage: source this file, then `e2e_prepare <path to kvelmora>`.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

E2E_DIR=""       # the copy of the game: executable and assets
E2E_XVFB_PID=""
E2E_GAME_PID=""
E2E_WINDOW=""
E2E_BOX=""
E2E_STATUS=""
E2E_SCREEN=${E2E_SCREEN:-1366x768x24} # width x height x depth of the X screen; a check may set it first
# Best results below any game's score, one a line, so each game's result goes above them.
readonly low_results=$'-1\n-2\n-3\n-4\n-5'

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "$E2E_DIR" ] && [ -f "$E2E_DIR/assets/log.txt" ]; then
        echo "--- last log lines:" >&2
        tail -n 15 "$E2E_DIR/assets/log.txt" >&2
    fi
    if [ -n "$E2E_DIR" ] && [ -s "$E2E_DIR/stderr" ]; then
        echo "--- the game's standard error:" >&2
        # A sanitizer's report is shown whole: its first lines name the fault.
        if grep -q "Sanitizer\|runtime error:" "$E2E_DIR/stderr"; then
            cat "$E2E_DIR/stderr" >&2
        else
            tail -n 15 "$E2E_DIR/stderr" >&2
        fi
    fi
    exit 1
}

# The processes that run the check's copy of the game: the game itself and the child that shows
# its error box (SDL forks one), however the check started them.
e2e_game_processes() {
    local process
    for process in /proc/[0-9]*; do
        [ "$(readlink "$process/exe" 2>/dev/null)" = "$E2E_DIR/kvelmora" ] && echo "${process#/proc/}"
    done
    return 0
}

# Every copy of the game ends before its files go: a copy that outlived its X server would
# write its log into the folder being removed.
e2e_cleanup() {
    local games
    if [ -n "$E2E_DIR" ]; then
        games=$(e2e_game_processes)
        [ -z "$games" ] || kill -9 $games 2>/dev/null || true
        e2e_wait_for '[ -z "$(e2e_game_processes)" ]' 10 || true
    fi
    [ -n "$E2E_XVFB_PID" ] && kill "$E2E_XVFB_PID" 2>/dev/null || true
    [ -n "$E2E_DIR" ] && rm -rf "$E2E_DIR"
}

e2e_wait_for() {
    wait_until "$@"
}

e2e_start_xvfb() {
    start_xvfb "$E2E_SCREEN" "$E2E_DIR/xvfb.log" || e2e_fail "no X server could be started: $(cat "$E2E_DIR/xvfb.log")"
    E2E_XVFB_PID=$XVFB_PID
}

e2e_prepare() {
    local binary=$1
    trap e2e_cleanup EXIT
    E2E_DIR=$(mktemp -d)
    shot="$E2E_DIR/shot.png" # where the checks keep the screenshot they ask about
    cp "$binary" "$E2E_DIR/kvelmora"
    cp -r "$(dirname "$binary")/assets" "$E2E_DIR/assets"
    rm -f "$E2E_DIR/assets/log.txt" "$E2E_DIR/assets/high_scores.txt"
    export ALSOFT_DRIVERS=null
    e2e_start_xvfb
}

# The best-results file $1 holds $2 results of the check's games (0 or more each) above the best of
# the low results it started with.
e2e_expect_games_kept() {
    local file=$1 games=$2 expected new
    expected=$(head -n $((5 - games)) <<<"$low_results")
    new=$(head -n "$games" "$file" | grep -c '^[0-9][0-9]*$' || true)
    [ "$(tail -n +$((games + 1)) "$file")" = "$expected" ] && [ "$new" -eq "$games" ] ||
        e2e_fail "$(basename "$file") holds $(tr '\n' ' ' <"$file"), expected $games new results above the low ones"
}

e2e_log_has() {
    grep -qxF -- "$1" "$E2E_DIR/assets/log.txt" 2>/dev/null
}

e2e_start_game() {
    (cd "$E2E_DIR" && exec ./kvelmora >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr") &
    E2E_GAME_PID=$!
}

# Starts the game and waits until its window has the keyboard focus.
e2e_open_game() {
    e2e_start_game
    e2e_wait_for_window
}

# Ends the game with Escape, as a player would, and expects success; $1, if given, names the case.
e2e_escape() {
    e2e_key Escape
    e2e_wait_for_exit 10
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "${1:+$1: }exit status $E2E_STATUS after Escape"
}

# The passes of the frame loop finished so far, by the log.
e2e_frames() {
    grep -cxF "main: ProcessEvent end." "$E2E_DIR/assets/log.txt" 2>/dev/null || true
}

# Waits until the frame loop has finished two more passes: the input sent before has been handled.
# A log that moved to log.1.txt meanwhile counts from nothing again.
e2e_wait_for_frames() {
    local before
    before=$(e2e_frames)
    e2e_wait_for "frames=\$(e2e_frames); [ \$frames -ge $((before + 2)) ] || [ \$frames -lt $before ]" 20 ||
        e2e_fail "the frame loop stopped"
}

# Gives a window ($1, the game's by default) the keyboard focus and waits until the game has seen it.
e2e_focus_window() {
    local window=${1:-$E2E_WINDOW}
    xdotool windowfocus --sync "$window"
    e2e_wait_for '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$window" ]' 10 || e2e_fail "window $window did not get the focus"
    e2e_wait_for_frames
}

# Waits for the game's window and gives it the keyboard focus.
e2e_wait_for_window() {
    e2e_wait_for 'E2E_WINDOW=$(xdotool search --name "^Kvelmora$" 2>/dev/null | head -n 1); [ -n "$E2E_WINDOW" ]' 15 ||
        e2e_fail "the game window did not appear"
    e2e_wait_for 'e2e_log_has "main: ProcessEvent end."' 15 || e2e_fail "the frame loop did not start"
    e2e_focus_window
}

# True once the error box is shown; keeps its window in E2E_BOX. The box's window exists a
# while before it is mapped, and input sent to it before then is lost.
e2e_error_box_shown() {
    E2E_BOX=$(xwininfo -root -children | awk '/"Chyba"/ {print $1; exit}')
    [ -n "$E2E_BOX" ] && xwininfo -id "$E2E_BOX" | grep -q "Map State: IsViewable"
}

e2e_key() {
    xdotool key --delay 60 "$@"
}

# Moves the pointer to window coordinates ($1, $2); a click follows when $3 is "click". Returns once
# the game has handled both. No --sync: it waits 15 s when the pointer is already there.
e2e_point() {
    xdotool mousemove --window "$E2E_WINDOW" "$1" "$2"
    e2e_wait_for_frames
    if [ "${3:-}" = click ]; then
        xdotool click 1
        e2e_wait_for_frames
    fi
}

# True when the region ($1 wide, $2 high, at $3, $4) of the screenshot $shot holds text.
has_text() {
    region_has_text "$shot" "$@"
}

e2e_screenshot() {
    import -window root "$1"
}

e2e_game_running() {
    kill -0 "$E2E_GAME_PID" 2>/dev/null
}

# Waits up to $1 seconds for the game to end and keeps its exit status in E2E_STATUS.
e2e_wait_for_exit() {
    e2e_wait_for '! e2e_game_running' "${1:-10}" || e2e_fail "the game did not end"
    E2E_STATUS=0
    wait "$E2E_GAME_PID" || E2E_STATUS=$?
    E2E_GAME_PID=""
}
