# Shared steps of the Windows end-to-end checks: each check unpacks the player's zip into a
# folder whose name has spaces and Czech letters, runs kvelmora.exe under Wine, drives it with
# xdotool and reads its files afterwards.
# Usage: source this file, then `win_prepare <zip>` (or `win_begin` for a check that installs the
# game itself). scripts/run_windows_tests.sh provides the private X server (DISPLAY), the prepared
# Wine prefix (WINEPREFIX) and a running wineserver.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

WIN_ROOT=""      # temporary folder of the check
WIN_DIR=""       # the game's folder: kvelmora.exe, OpenAL32.dll, assets/
WIN_DATA=""      # where the game writes its log and best results
WIN_GAME_PID=""
WIN_WINDOW=""
WIN_STATUS=""
WIN_CLIENT_X=0   # where the client area starts inside Wine's own window frame
WIN_CLIENT_Y=0
readonly winWidth=1366 winHeight=768

win_fail() {
    echo "FAIL: $*" >&2
    if [ -f "$WIN_DATA/log.txt" ]; then
        echo "--- last log lines:" >&2
        tail -n 15 "$WIN_DATA/log.txt" >&2
    fi
    exit 1
}

win_cleanup() {
    [ -n "$WIN_GAME_PID" ] && kill -9 "$WIN_GAME_PID" 2>/dev/null || true
    [ -n "$WIN_ROOT" ] && rm -rf "$WIN_ROOT"
}

win_wait_for() {
    wait_until "$@"
}

win_begin() {
    trap win_cleanup EXIT
    WIN_ROOT=$(mktemp -d)
    [ -n "${DISPLAY:-}" ] && [ -n "${WINEPREFIX:-}" ] || win_fail "run through scripts/run_windows_tests.sh"
    export WINEDEBUG=-all ALSOFT_DRIVERS=null
}

win_prepare() {
    win_begin
    local folder="$WIN_ROOT/Hry do školy/Jiří Žďárský"
    mkdir -p "$folder"
    unzip -q "$1" -d "$folder"
    WIN_DIR=$(find "$folder" -mindepth 1 -maxdepth 1 -type d)
    WIN_DATA="$WIN_DIR/assets"
    [ -f "$WIN_DIR/kvelmora.exe" ] || win_fail "the zip has no kvelmora.exe in its folder"
}

# Moves this check to a private X server of the size $1 (WxH). Wine's desktop keeps the size of the
# screen it started on, so the check gets a wineserver of its own, and the shared one is back for
# the next check when it ends.
win_use_own_screen() {
    local sharedDisplay=$DISPLAY
    wineserver --kill
    wineserver --wait
    start_xvfb "$1x24" || win_fail "no X server could be started"
    trap 'win_cleanup; wineserver --kill; wineserver --wait; kill '"$XVFB_PID"' 2>/dev/null;
          DISPLAY='"$sharedDisplay"' wineserver --persistent; DISPLAY='"$sharedDisplay"' wine cmd /c exit >/dev/null 2>&1' EXIT
}

# A Windows folder of the prefix's user ($1, as '%LOCALAPPDATA%') as a Linux path.
win_folder() {
    winepath -u "$(wine cmd /c echo "$1" | tr -d '\r')"
}

win_x() {
    local attempt
    for attempt in 1 2 3; do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# The log without Windows' CR line ends.
win_log() {
    { tr -d '\r' <"$WIN_DATA/log.txt"; } 2>/dev/null || true
}

# grep reads to the end: an early exit would fail the pipe under pipefail.
win_log_has() {
    win_log | grep -xF -- "$1" >/dev/null
}

# The Windows path of an asset as the log names it, with every separator shown as "/": the game
# joins relative names that hold "/" to a folder path that holds "\". Wine shows / as drive Z:.
win_asset_path() {
    echo "Z:$WIN_DIR/assets/$1"
}

win_log_has_path_line() {
    win_log | tr '\\' / | grep -xF -- "$1" >/dev/null
}

# The passes of the frame loop finished so far, by the log.
win_frames() {
    win_log | grep -cxF "main: ProcessEvent end." || true
}

# Waits until the frame loop has finished two more passes: the input sent before has been handled.
win_wait_for_frames() {
    local before
    before=$(win_frames)
    win_wait_for "frames=\$(win_frames); [ \$frames -ge $((before + 2)) ] || [ \$frames -lt $before ]" 30 ||
        win_fail "the frame loop stopped"
}

win_start_game() {
    (cd "$WIN_DIR" && exec wine ./kvelmora.exe >"$WIN_ROOT/stdout" 2>"$WIN_ROOT/stderr") &
    WIN_GAME_PID=$!
}

# Waits for the game's window, finds its client area inside Wine's frame and gives it the keyboard.
win_wait_for_window() {
    win_wait_for 'WIN_WINDOW=$(xdotool search --name "^Kvelmora$" 2>/dev/null | head -n 1); [ -n "$WIN_WINDOW" ]' 30 ||
        win_fail "the game window did not appear"
    win_wait_for 'win_log_has "main: ProcessEvent end."' 30 || win_fail "the frame loop did not start"
    local width height
    read -r width height < <(xwininfo -id "$WIN_WINDOW" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w, h}')
    WIN_CLIENT_X=$(((width - winWidth) / 2))
    WIN_CLIENT_Y=$((height - winHeight - WIN_CLIENT_X))
    win_x xdotool windowfocus --sync "$WIN_WINDOW"
    win_wait_for_frames
}

win_key() {
    win_x xdotool key --delay 80 "$@"
}

# Moves the pointer to client coordinates ($1, $2); a click follows when $3 is "click".
win_point() {
    win_x xdotool mousemove --sync --window "$WIN_WINDOW" $(($1 + WIN_CLIENT_X)) $(($2 + WIN_CLIENT_Y))
    win_wait_for_frames
    if [ "${3:-}" = click ]; then
        win_x xdotool click 1
        win_wait_for_frames
    fi
}

# A screenshot of the game's client area only.
win_screenshot() {
    local geometry
    geometry=$(xwininfo -id "$WIN_WINDOW" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x, y}')
    read -r x y <<<"$geometry"
    win_x import -window root -crop "${winWidth}x${winHeight}+$((x + WIN_CLIENT_X))+$((y + WIN_CLIENT_Y))" +repage "$1"
}

win_game_running() {
    kill -0 "$WIN_GAME_PID" 2>/dev/null
}

# Waits up to $1 seconds for the game to end and keeps its exit status in WIN_STATUS.
win_wait_for_exit() {
    win_wait_for '! win_game_running' "${1:-15}" || win_fail "the game did not end"
    WIN_STATUS=0
    wait "$WIN_GAME_PID" || WIN_STATUS=$?
    WIN_GAME_PID=""
}

# The hint line at half the window's height appears only on the game-over view.
win_game_over_shown() {
    win_screenshot "$WIN_ROOT/shot.png" && region_has_text "$WIN_ROOT/shot.png" 900 24 233 388
}

# The best results file on one line, without Windows' CR line ends.
win_best_results() {
    tr -d '\r' <"$WIN_DATA/high_scores.txt" | tr '\n' ' '
}

# From the start menu to "KONEC HRY": "Hrát hru", then Up, and the runner meets the first flower.
# The screenshot of each step is in $WIN_ROOT/<step>.png.
win_play_to_game_over() {
    # "Hrát hru" ends near the right margin, at 45 % of the window's height.
    win_point 1130 365 click
    win_wait_for '! win_log | tail -n 20 | grep -q "start_menu: Draw"' 30 ||
        win_fail "the click on \"Hrát hru\" did not start a game"
    win_wait_for_frames
    win_screenshot "$WIN_ROOT/waiting.png"
    win_game_over_shown && win_fail "the game-over view before the game"
    win_key Up
    win_wait_for_frames
    win_screenshot "$WIN_ROOT/running.png"
    win_wait_for win_game_over_shown 30 || win_fail "the game did not end on a flower"
    cp "$WIN_ROOT/shot.png" "$WIN_ROOT/game_over.png"
}

win_escape() {
    win_key Escape
    win_wait_for_exit 15
    [ "$WIN_STATUS" -eq 0 ] || win_fail "exit status $WIN_STATUS after Escape"
}

# Starts the game, plays one game to "KONEC HRY" and ends it with Escape.
win_play_one_game() {
    win_start_game
    win_wait_for_window
    win_play_to_game_over
    win_escape
}
