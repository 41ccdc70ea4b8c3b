#!/usr/bin/env bash
# Half speed chosen by keyboard on the start menu: its game's result goes into its own table, the
# normal speed's table stays as it was, and the choice holds after a restart.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"
assets="$E2E_DIR/assets"
initial=$'-1\n-2\n-3\n-4\n-5' # below any game's score, so a game's result goes on top
printf '%s\n' "$initial" >"$assets/high_scores.txt"
printf '%s\n' "$initial" >"$assets/high_scores_50.txt"

# Plays a game from the start menu until a flower ends it; a slower game takes longer to get there.
play_a_game() {
    local attempt
    for attempt in 1 2 3; do
        e2e_point $playButtonAt click
        e2e_wait_for 'looks + "$instructions"' 3 && break
    done
    e2e_key Up
    e2e_wait_for 'looks + "$gameOverHint"' 60 || e2e_fail "the game did not end on a flower"
}

# The half speed's table holds $1 results of games above the best initial ones, and the normal one none.
expect_half_speed_games() {
    [ "$(cat "$assets/high_scores.txt")" = "$initial" ] || e2e_fail "the normal speed's table changed"
    [ "$(tail -n +$(($1 + 1)) "$assets/high_scores_50.txt")" = "$(head -n $((5 - $1)) <<<"$initial")" ] &&
        [ "$(head -n "$1" "$assets/high_scores_50.txt" | grep -c '^[0-9][0-9]*$')" -eq "$1" ] ||
        e2e_fail "the half speed's table holds $(tr '\n' ' ' <"$assets/high_scores_50.txt"), expected $1 new results"
}

e2e_open_game
# The first key shows the focus on "Hrát hru", the next moves it to the speed; Enter steps it to 75 %, then 50 %.
e2e_key Right Right Return Return
e2e_wait_for 'grep -qx "speed=50" "$assets/settings.txt"' 5 || e2e_fail "Enter on the speed did not choose 50 %"
play_a_game
expect_half_speed_games 1
e2e_escape

e2e_open_game
play_a_game
expect_half_speed_games 2
e2e_escape
echo "ok"
