#!/usr/bin/env bash
# A missing sound, an undecodable texture and a damaged best-results file, as on Linux: the
# "Chyba" box, dismissed as a player would, ends the program with a failure and the log names
# the file; damaged best results read as five zeros.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"

find_box() {
    xwininfo -root -children | awk '/"Chyba"/ {print $1; exit}'
}

# Starts the game, waits for the box and presses Enter on its only button.
expect_failed_start() {
    local what=$1 box attempt
    win_start_game
    win_wait_for '[ -n "$(find_box)" ]' 30 || win_fail "$what: no error box appeared"
    box=$(find_box)
    win_game_running || win_fail "$what: the program must wait for the box to be dismissed"
    # A key press that comes before the box has drawn itself is lost, so it is repeated.
    for attempt in 1 2 3 4 5; do
        sleep 0.5
        win_x xdotool windowfocus --sync "$box" 2>/dev/null || true
        win_key Return
        win_wait_for '! win_game_running' 3 && break
    done
    win_wait_for_exit 15
    [ "$WIN_STATUS" -ne 0 ] || win_fail "$what: a failed start reported success"
    [ "$(win_log | tail -n 1)" = "Exiting" ] || win_fail "$what: the log must end with 'Exiting'"
}

sound=$WIN_DIR/assets/sounds/game_over.wav
texture=$WIN_DIR/assets/textures/Player/player_spritesheet_74.png
mv "$sound" "$sound.away"
printf '7 6 5 4 3\n' >"$WIN_DIR/assets/high_scores.txt"
expect_failed_start "missing sound"
win_log_has_path_line "Failed loading asset$(win_asset_path sounds/game_over.wav)" || win_fail "the log does not name the missing file"
win_log_has "Textures loaded." || win_fail "the textures should have loaded before the sound failed"
[ "$(cat "$WIN_DIR/assets/high_scores.txt")" = "7 6 5 4 3" ] || win_fail "the best results were touched"
mv "$sound.away" "$sound"

cp "$texture" "$WIN_ROOT/texture.png"
head -c 300 "$WIN_ROOT/texture.png" >"$texture"
expect_failed_start "truncated texture"
win_log_has_path_line "Failed loading asset$(win_asset_path textures/Player/player_spritesheet_74.png)" ||
    win_fail "the log does not name the broken file"
cp "$WIN_ROOT/texture.png" "$texture"

printf '1 2 three 4 5\n' >"$WIN_DIR/assets/high_scores.txt"
win_start_game
win_wait_for_window
win_escape
[ "$(tr -d '\r' <"$WIN_DIR/assets/high_scores.txt")" = "0
0
0
0
0" ] || win_fail "damaged best results did not read as five zeros: $(cat "$WIN_DIR/assets/high_scores.txt")"
echo "ok"
