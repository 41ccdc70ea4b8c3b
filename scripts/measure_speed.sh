#!/usr/bin/env bash
# Start-up and start-menu frame cost of the game beside a bare SFML program that opens the
# same window and only clears and displays, in one run on one private X server.
# Usage: scripts/measure_speed.sh [build directory] [rounds]
set -euo pipefail

build=$(realpath "${1:-build}")
rounds=${2:-7}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"
export ALSOFT_DRIVERS=null

cp "$build/kvelmora" "$work/"
cp -r "$build/assets" "$work/"
rm -f "$work/assets/log.txt" "$work/assets/high_scores.txt"

# Runs one program ($1) until the timer ends it; prints "first_frame_ms frame_us".
measure() {
    local out="$work/timer.out"
    rm -f "$out"
    (cd "$work" && SWAP_TIMER_OUT="$out" SWAP_TIMER_SKIP=60 SWAP_TIMER_FRAMES=300 SWAP_TIMER_LAUNCH_NS=$(date +%s%N) \
        LD_PRELOAD="$build/libswap_timer.so" exec "$1" >/dev/null 2>"$work/stderr") || { echo "$1 failed:" >&2; cat "$work/stderr" >&2; }
    awk '/first_frame_ms/ {f=$2} /frame_us/ {u=$2} END {print f, u}' "$out"
}

median() {
    sort -n | awk '{v[NR]=$1} END {print v[int((NR + 1) / 2)]}'
}

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
