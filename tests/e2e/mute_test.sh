#!/usr/bin/env bash
# M switches the sound off on the game-over view, which stays, crosses the speaker out and is
# remembered: the next run starts silent, and neither a pick-up nor the crash makes a sound. The
# sound card is OpenAL's file writer, so what the game played is read back afterwards.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"
sound="$E2E_DIR/sound.wav"
printf '[general]\ndither = false\nsample-type = int16\n[wave]\nfile = %s\n' "$sound" >"$E2E_DIR/alsoft.conf"
export ALSOFT_DRIVERS=wave ALSOFT_CONF="$E2E_DIR/alsoft.conf"

# True when the run's sound file holds any sample other than silence; its header is skipped.
sound_heard() {
    [ -n "$(tail -c +129 "$sound" | tr -d '\000' | head -c 1)" ]
}

e2e_open_game
e2e_wait_for 'looks + "$infoButton" + "$speaker" && ! speaker_crossed' 5 || e2e_fail "no speaker, or a crossed-out one, while the sound is on"
play_until_a_flower
e2e_key m
e2e_wait_for 'looks + "$speaker" && speaker_crossed' 5 || e2e_fail "M did not cross the speaker out"
looks + "$gameOverHint" || e2e_fail "M left the game-over view"
[ "$(start_menus_built)" -eq 1 ] || e2e_fail "M reached the game-over view as a key"
e2e_escape
sound_heard || e2e_fail "the crash with the sound on made no sound: the check hears nothing"
grep -qx "sound=off" "$E2E_DIR/assets/settings.txt" || e2e_fail "the choice was not saved"

rm -f "$sound"
e2e_open_game
e2e_wait_for 'looks + "$infoButton" && speaker_crossed' 5 || e2e_fail "the sound is on again after a restart"
play_until_a_flower
e2e_escape
[ -s "$sound" ] || e2e_fail "the game wrote no sound at all"
sound_heard && e2e_fail "a sound played while the sound was off"
echo "ok"
