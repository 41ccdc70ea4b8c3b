#!/usr/bin/env bash
# Takes the README's screenshots of the real game on a private 1366 x 768 X server: the start menu,
# an info page, and a game waiting, running (mid-jump), paused and over. They land in docs/.
# Usage: scripts/take_screenshots.sh [build directory]
set -euo pipefail
source "$(dirname "$0")/../tests/e2e/lib.sh"
docs=$(cd "$(dirname "$0")/.." && pwd)/docs
e2e_prepare "${1:-build}/kvelmora"

shoot() {
    sleep "$1"
    import -window root "$docs/$2"
}

e2e_start_game
e2e_wait_for_window
e2e_point 1300 740
shoot 0.3 screenshot_start_menu.png
e2e_point 260 400 click # "Více o Kvelmoře"
e2e_point 90 127 click # "Vegetace"
e2e_point 1300 740
shoot 0.3 screenshot_info_menu.png
e2e_point 65 222 click # "Zpět"
e2e_point 1130 365 click # "Hrát hru"
shoot 1.0 screenshot_game_waiting.png
e2e_key Up
shoot 0.25 screenshot_game_running.png
e2e_key p
shoot 0.2 screenshot_game_paused.png
e2e_key p
shoot 10 screenshot_game_over.png # the runner has met the first flower by then
e2e_key Escape
e2e_wait_for_exit 10
