#!/usr/bin/env bash
# A missing sound: after the fonts and textures have loaded the error box appears; once the
# player dismisses it the program logs "Exiting" and fails, leaving the best results alone.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"
missing="$E2E_DIR/assets/sounds/game_over.wav"
rm "$missing"
printf '7 6 5 4 3\n' >"$E2E_DIR/assets/high_scores.txt"

e2e_start_game
e2e_wait_for e2e_error_box_shown 15 || e2e_fail "no error box appeared"
[ "$(tail -n 1 "$E2E_DIR/assets/log.txt")" = "Failed loading asset$missing" ] ||
    e2e_fail "while the box is shown the log must end with the failing path"
e2e_log_has "Textures loaded." || e2e_fail "the textures should have loaded before the sound failed"
e2e_game_running || e2e_fail "the program must wait for the box to be dismissed"

# Dismissed as a player would: focus the box and press Enter on its only button.
xdotool windowfocus --sync "$E2E_BOX"
e2e_key Return
e2e_wait_for_exit 10
[ "$E2E_STATUS" -eq 1 ] || e2e_fail "exit status $E2E_STATUS after the error box, expected 1"
[ "$(tail -n 1 "$E2E_DIR/assets/log.txt")" = "Exiting" ] || e2e_fail "the log must end with 'Exiting'"
grep -qF "Aplikace nenalezla všechny soubory. Nainstalujte hru znova." "$E2E_DIR/stderr" ||
    e2e_fail "the message is not on standard error"
[ "$(cat "$E2E_DIR/assets/high_scores.txt")" = "7 6 5 4 3" ] || e2e_fail "the best results were touched"
echo "ok"
