#!/usr/bin/env bash
# Start-up and start-menu frame cost of the game beside a bare SFML program that opens the
# same window and only clears and displays, in one run on one private X server; then the
# fullscreen start-menu frame (after F11) beside a bare fullscreen frame on a 1920 x 1080 server.
# Usage: scripts/measure_speed.sh [build directory] [rounds]
set -euo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-7}
work=$(mktemp -d)
source "$(dirname "$0")/../tests/common.sh"
XVFB_PID=""
trap 'kill $XVFB_PID 2>/dev/null; rm -rf "$work"' EXIT

# A private X server of the screen size $1, in place of the one before.
start_x_server() {
    [ -n "$XVFB_PID" ] && kill $XVFB_PID 2>/dev/null && wait $XVFB_PID 2>/dev/null || true
    start_xvfb "$1"
}
start_x_server 1366x768x24
export ALSOFT_DRIVERS=null

cp "$build/kvelmora" "$work/"
cp -r "$build/assets" "$work/"
rm -f "$work/assets/log.txt" "$work/assets/high_scores.txt"

# Gives the game F11 once its frame loop runs, again should the key have gone astray.
press_f11_when_shown() {
    local window="" attempt
    for _ in $(seq 200); do
        grep -qxF "main: ProcessEvent end." "$work/assets/log.txt" 2>/dev/null && break
        sleep 0.05
    done
    for attempt in 1 2 3; do
        window=$(xdotool search --onlyvisible --name '^Kvelmora$' 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && xdotool windowfocus --sync "$window" key F11 >/dev/null 2>&1 || true
        for _ in $(seq 40); do
            grep -qxF "main: fullscreen." "$work/assets/log.txt" 2>/dev/null && return 0
            sleep 0.05
        done
    done
}

# Runs one program ($1, with the argument $2) until the timer ends it; prints "first_frame_ms frame_us".
# With $3 = F11 the program gets that key as soon as its window is there.
measure() {
    local out="$work/timer.out"
    rm -f "$out"
    local helper=""
    if [ "${3:-}" = F11 ]; then
        press_f11_when_shown &
        helper=$!
    fi
    (cd "$work" && SWAP_TIMER_OUT="$out" SWAP_TIMER_SKIP=$skip SWAP_TIMER_FRAMES=300 SWAP_TIMER_LAUNCH_NS=$(date +%s%N) \
        LD_PRELOAD="$build/libswap_timer.so" exec "$1" ${2:+"$2"} >/dev/null 2>"$work/stderr") || { echo "$1 failed:" >&2; cat "$work/stderr" >&2; }
    if [ -n "$helper" ]; then
        wait "$helper" || true
        # A run that stayed windowed measured the wrong frames: it counts for nothing.
        grep -qxF "main: fullscreen." "$work/assets/log.txt" || { echo "$1 did not switch to fullscreen" >&2; return; }
    fi
    awk '/first_frame_ms/ {f=$2} /frame_us/ {u=$2} END {print f, u}' "$out"
}

median() {
    sort -n | awk '{v[NR]=$1} END {print v[int((NR + 1) / 2)]}'
}

skip=60
: >"$work/bare" && : >"$work/game"
for _ in $(seq "$rounds"); do
    measure "$build/bare_window" >>"$work/bare"
    measure "$work/kvelmora" >>"$work/game"
done

bare_start=$(cut -d' ' -f1 "$work/bare" | median)
game_start=$(cut -d' ' -f1 "$work/game" | median)
bare_frame=$(cut -d' ' -f2 "$work/bare" | median)
game_frame=$(cut -d' ' -f2 "$work/game" | median)
echo "medians of $rounds alternating runs each"
echo "launch to first frame: bare ${bare_start} ms, game ${game_start} ms, difference $(awk "BEGIN {print $game_start - $bare_start}") ms (limit 150)"
echo "start-menu frame: bare ${bare_frame} us, game ${game_frame} us, ratio $(awk "BEGIN {printf \"%.3f\", $game_frame / $bare_frame}") (limit 1.3)"

# Fullscreen: the game switches on F11 within its first frames, well before the measured ones.
start_x_server 1920x1080x24
skip=400
: >"$work/bare" && : >"$work/game"
for _ in $(seq "$rounds"); do
    measure "$build/bare_window" fullscreen >>"$work/bare"
    measure "$work/kvelmora" "" F11 >>"$work/game"
done
bare_frame=$(cut -d' ' -f2 "$work/bare" | median)
game_frame=$(cut -d' ' -f2 "$work/game" | median)
echo "fullscreen runs that switched: $(wc -l <"$work/game") of $rounds"
echo "fullscreen start-menu frame at 1920 x 1080: bare ${bare_frame} us, game ${game_frame} us, ratio $(awk "BEGIN {printf \"%.3f\", $game_frame / $bare_frame}") (limit 1.2)"
