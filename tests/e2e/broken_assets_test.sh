#!/usr/bin/env bash
# A missing, empty, truncated or undecodable asset stops the start with an error box; once the
# player dismisses it the program logs "Exiting" and fails, leaving the best results alone. An
# absent asset directory silently loses the log but still stops with the box.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"
pristine="$E2E_DIR.pristine"
cp -r "$E2E_DIR/assets" "$pristine"
trap 'e2e_cleanup; rm -rf "$pristine"' EXIT

# Starts the game on the current assets, dismisses the box with a click on its button.
expect_failed_start() {
    local what=$1
    e2e_start_game
    e2e_wait_for e2e_error_box_shown 15 || e2e_fail "$what: no error box appeared"
    local x y w h
    eval "$(xwininfo -id "$E2E_BOX" | awk '/Absolute upper-left X/ {print "x=" $4} /Absolute upper-left Y/ {print "y=" $4} /Width/ {print "w=" $2} /Height/ {print "h=" $2}')"
    # The single OK button sits centred in the box's lower part.
    xdotool mousemove $((x + w / 2)) $((y + h - 25)) click 1
    e2e_wait_for_exit 10
    [ "$E2E_STATUS" -eq 1 ] || e2e_fail "$what: exit status $E2E_STATUS after the error box, expected 1"
}

restore() {
    rm -rf "$E2E_DIR/assets"
    cp -r "$pristine" "$E2E_DIR/assets"
}

# A missing sound, under LANG=C: the box waits after the fonts and textures have loaded, and shows
# its whole Czech text. Cut at its first Czech letter the text is about 200 pixels wide, whole 430.
missing="$E2E_DIR/assets/sounds/game_over.wav"
rm "$missing"
printf '7 6 5 4 3\n' >"$E2E_DIR/assets/high_scores.txt"
(cd "$E2E_DIR" && exec env -u LC_ALL -u LC_CTYPE LANG=C ./kvelmora >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr") &
E2E_GAME_PID=$!
e2e_wait_for e2e_error_box_shown 15 || e2e_fail "missing sound: no error box appeared"
[ "$(tail -n 1 "$E2E_DIR/assets/log.txt")" = "Failed loading asset$missing" ] ||
    e2e_fail "while the box is shown the log must end with the failing path"
e2e_log_has "Textures loaded." || e2e_fail "the textures should have loaded before the sound failed"
e2e_game_running || e2e_fail "the program must wait for the box to be dismissed"
width=$(xwininfo -id "$E2E_BOX" | awk '/Width:/ {print $2}')
[ "$width" -ge 400 ] || e2e_fail "the error box is $width pixels wide: its text stops early"
# Dismissed as a player would: focus the box and press Enter on its only button.
xdotool windowfocus --sync "$E2E_BOX"
e2e_key Return
e2e_wait_for_exit 10
[ "$E2E_STATUS" -eq 1 ] || e2e_fail "missing sound: exit status $E2E_STATUS after the error box, expected 1"
[ "$(tail -n 1 "$E2E_DIR/assets/log.txt")" = "Exiting" ] || e2e_fail "the log must end with 'Exiting'"
# A build folder is an unpacked copy, not an installed one.
grep -qF "Aplikace nenalezla všechny soubory. Rozbalte archiv znovu, nebo hru znovu nainstalujte." "$E2E_DIR/stderr" ||
    e2e_fail "the message is not on standard error"
[ "$(cat "$E2E_DIR/assets/high_scores.txt")" = "7 6 5 4 3" ] || e2e_fail "the best results were touched"

restore
: >"$E2E_DIR/assets/fonts/texgyreadventor-bold.otf"
expect_failed_start "empty font"
grep -qxF "Failed loading asset$E2E_DIR/assets/fonts/texgyreadventor-bold.otf" "$E2E_DIR/assets/log.txt" ||
    e2e_fail "empty font: the failing path is not logged"

restore
head -c 300 "$pristine/textures/Player/player_spritesheet_74.png" >"$E2E_DIR/assets/textures/Player/player_spritesheet_74.png"
expect_failed_start "truncated texture"

restore
printf 'RIFF....WAVEfmt nonsense' >"$E2E_DIR/assets/sounds/pickup.wav"
expect_failed_start "undecodable sound"

rm -rf "$E2E_DIR/assets"
expect_failed_start "absent asset directory"
[ ! -e "$E2E_DIR/assets" ] || e2e_fail "nothing may be created when the asset directory is absent"
echo "ok"
