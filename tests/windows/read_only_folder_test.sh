#!/usr/bin/env bash
# The zip unpacked into a folder that no one may add files to: the game runs, plays to
# "KONEC HRY" and ends with status 0, keeping its log and best results in
# %LOCALAPPDATA%\Kvelmora and leaving the folder as it was. Wine's file server runs as root here,
# so the folder is made immutable rather than read-only.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"
WIN_DATA="$(win_folder '%LOCALAPPDATA%')/Kvelmora"
printf '9\n8\n7\n6\n5\n' >"$WIN_DIR/assets/high_scores.txt"

rm -rf "$WIN_DATA"
mkdir -p "$WIN_DATA"
printf -- '-1\n-2\n-3\n-4\n-5\n' >"$WIN_DATA/high_scores.txt"
if ! chattr +i "$WIN_DIR/assets" 2>/dev/null; then
    echo "skipped: this file system cannot make a folder immutable"
    exit 0
fi
trap 'chattr -i "$WIN_DIR/assets"; win_cleanup; rm -rf "$WIN_DATA"' EXIT
contents=$(ls -l --time-style=full-iso "$WIN_DIR/assets")

win_start_game
win_wait_for_window
win_play_to_game_over
win_escape
[ "$(win_best_results)" = "0 -1 -2 -3 -4 " ] || win_fail "the results were not kept in $WIN_DATA: $(win_best_results)"
[ "$(ls -l --time-style=full-iso "$WIN_DIR/assets")" = "$contents" ] || win_fail "the read-only folder changed"
echo "ok"
