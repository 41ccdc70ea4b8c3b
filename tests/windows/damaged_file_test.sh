#!/usr/bin/env bash
# Damaged best-results files: each is kept under a name of its own before it is first written over,
# never over an earlier copy; five numbers before damage at the end stay the results; and a new file
# that a killed save left beside them goes at the next save.
source "$(dirname "$0")/lib.sh"
win_prepare "$1"
scores="$WIN_DATA/high_scores.txt"

# Starts the game on the text $1 in the results file and ends it on Escape, which saves.
start_and_stop_on() {
    printf '%s\n' "$1" >"$scores"
    win_start_game
    win_wait_for_window
    win_escape
}

printf 'left by a killed save\n' >"$scores.4242.0.tmp"
start_and_stop_on "first damaged"
start_and_stop_on "second damaged"
start_and_stop_on "5 4 3 2 1 and more"
for kept in "bad|first damaged" "bad.1|second damaged" "bad.2|5 4 3 2 1 and more"; do
    [ "$(cat "$scores.${kept%%|*}")" = "${kept#*|}" ] ||
        win_fail "high_scores.txt.${kept%%|*} holds '$(cat "$scores.${kept%%|*}")', not '${kept#*|}'"
done
[ "$(win_best_results)" = "5 4 3 2 1 " ] || win_fail "the results before the damage were lost: $(win_best_results)"
[ ! -e "$scores.4242.0.tmp" ] || win_fail "the file of the killed save was left"
echo "ok"
