#!/usr/bin/env bash
# Half speed chosen by keyboard on the start menu: its game's result goes into its own table, the
# normal speed's table stays as it was, and the choice holds after a restart.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/screens.sh"
e2e_prepare "$1"
assets="$E2E_DIR/assets"
printf '%s\n' "$low_results" >"$assets/high_scores.txt"
printf '%s\n' "$low_results" >"$assets/high_scores_50.txt"

# The half speed's table holds $1 results of games above its low ones, and the normal one none.
expect_half_speed_games() {
    [ "$(cat "$assets/high_scores.txt")" = "$low_results" ] || e2e_fail "the normal speed's table changed"
    e2e_expect_games_kept "$assets/high_scores_50.txt" "$1"
}

e2e_open_game
# The first key shows the focus on "Hrát hru", the next moves it to the speed; Enter steps it to 75 %, then 50 %.
e2e_key Right Right Return Return
e2e_wait_for 'grep -qx "speed=50" "$assets/settings.txt"' 5 || e2e_fail "Enter on the speed did not choose 50 %"
play_until_a_flower 60 # a slower game takes longer to get there
expect_half_speed_games 1
e2e_escape

e2e_open_game
play_until_a_flower 60
expect_half_speed_games 2
e2e_escape
echo "ok"
