#!/usr/bin/env bash
# The zip unpacked where the game must not write: a folder no one may add files to, and the
# programs folder, which an administrator could write to. The game plays to "KONEC HRY" and
# ends with status 0 in both, keeps its log and best results in %LOCALAPPDATA%\Kvelmora and
# leaves its own folder as it was. Wine's file server runs as root here, so the first folder is
# made immutable rather than read-only.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"
zipDir=$WIN_DIR
WIN_DATA="$(win_folder '%LOCALAPPDATA%')/Kvelmora"
programsCopy="$(win_folder '%ProgramFiles%')/Kvelmora check"
trap 'chattr -i "$zipDir/assets" 2>/dev/null; win_cleanup; rm -rf "$WIN_DATA" "$programsCopy"' EXIT

# Plays one game from the folder $1 and checks where its files went.
play_from() {
    WIN_DIR=$1
    rm -rf "$WIN_DATA"
    mkdir -p "$WIN_DATA"
    printf -- '-1\n-2\n-3\n-4\n-5\n' >"$WIN_DATA/high_scores.txt"
    local contents
    contents=$(ls -l --time-style=full-iso "$WIN_DIR/assets")
    win_start_game
    win_wait_for_window
    win_play_to_game_over
    win_escape
    [ "$(win_best_results)" = "0 -1 -2 -3 -4 " ] || win_fail "$1: the results were not kept in $WIN_DATA"
    [ "$(ls -l --time-style=full-iso "$WIN_DIR/assets")" = "$contents" ] || win_fail "$1: the game wrote into its folder"
}

if chattr +i "$zipDir/assets" 2>/dev/null; then
    play_from "$zipDir"
    chattr -i "$zipDir/assets"
else
    echo "this file system cannot make a folder immutable: that case is left out"
fi
mkdir -p "$programsCopy"
cp -r "$zipDir/." "$programsCopy"
play_from "$programsCopy"
echo "ok"
