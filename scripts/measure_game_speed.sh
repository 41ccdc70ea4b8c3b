#!/usr/bin/env bash
# Measures the game screen's frame cost under Xvfb, side by side with bare frames of the same
# window: a running game's frame should cost under 1.5 bare frames, and a frame after thirty
# minutes of play within 1.1 times a frame after the first minute. The logic alone is compared
# too, as drawing and display under a software renderer would hide its growth.
# Usage: scripts/measure_game_speed.sh [build directory] [frames per measurement]
set -euo pipefail

build_dir=${1:-build}
frames=${2:-600}
cmake --build "$build_dir" --target game_speed >/dev/null
export ALSOFT_DRIVERS=null
output=$(xvfb-run -a -s '-screen 0 1366x768x24' "$build_dir/game_speed" "$frames" 2>/dev/null)
echo "$output"
awk '
    /^bare_frame_us/ { bare += $2; bareCount++ }
    /^minute_1_frame_us/ { early = $2 }
    /^minute_30_frame_us/ { late = $2 }
    /^minute_1_logic_us/ { earlyLogic = $2 }
    /^minute_30_logic_us/ { lateLogic = $2 }
    END {
        bare /= bareCount
        printf "running / bare: %.2f (limit 1.5)\n", early / bare
        printf "minute 30 / minute 1: %.2f (limit 1.1)\n", late / early
        printf "logic alone, minute 30 / minute 1: %.2f (limit 1.1)\n", lateLogic / earlyLogic
    }' <<<"$output"
