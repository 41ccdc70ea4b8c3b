#!/usr/bin/env bash
# Empty, truncated or undecodable asset files stop the start as a missing one does, and an
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
[ "$(tail -n 1 "$E2E_DIR/assets/log.txt")" = "Exiting" ] || e2e_fail "undecodable sound: the log must end with 'Exiting'"

rm -rf "$E2E_DIR/assets"
expect_failed_start "absent asset directory"
[ ! -e "$E2E_DIR/assets" ] || e2e_fail "nothing may be created when the asset directory is absent"
echo "ok"
