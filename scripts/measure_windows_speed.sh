#!/usr/bin/env bash
# Measures the Windows game screen's frame cost under Wine on a private X server, side by side
# with bare frames of the same window built with the same toolchain: a running game's frame
# should cost under 1.3 bare frames.
# Usage: scripts/measure_windows_speed.sh [Windows build directory] [frames per measurement]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
buildDir=${1:-$root/build-windows}
frames=${2:-600}
export WINEPREFIX=${KVELMORA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/kvelmora-wine/prefix}
export WINEARCH=win64 WINEDEBUG=-all ALSOFT_DRIVERS=null WINEDLLOVERRIDES="mscoree=;mshtml="

cmake "$buildDir" >/dev/null
cmake --build "$buildDir" -j "${JOBS:-2}" --target game_speed >/dev/null
output=$(cd "$buildDir/bench" && xvfb-run -a -s '-screen 0 1600x900x24' wine ./game_speed.exe "$frames" | tr -d '\r')
echo "$output"
awk '
    /^bare_frame_us/ { bare = $2 }
    /^minute_1_frame_us/ { early = $2 }
    /^minute_30_frame_us/ { late = $2 }
    END {
        printf "running / bare: %.2f (limit 1.3)\n", early / bare
        printf "minute 30 / minute 1: %.2f\n", late / early
        exit !(early / bare < 1.3)
    }' <<<"$output"
