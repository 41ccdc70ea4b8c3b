#!/usr/bin/env bash
# A start and an Escape: the log tells the whole start-up in order, the window is centred
# and the best results come through unchanged, sorted and one per line.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"
printf '10 50\n30\t20 40 trailing words\n' >"$E2E_DIR/assets/high_scores.txt"

e2e_start_game
e2e_wait_for_window
geometry=$(xwininfo -id "$E2E_WINDOW" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} END {print x "," y}')
[ "$geometry" = "0,0" ] || e2e_fail "the window is not centred on the 1366 x 768 screen: at $geometry"
e2e_key Escape
e2e_wait_for_exit 10
[ "$E2E_STATUS" -eq 0 ] || e2e_fail "exit status $E2E_STATUS after Escape"

log=$(e2e_log)
expected_start="main: WinMain start.
main: Main start.
main: sf::ContextSettings created.
main: sf::Window Created.
Application constructor started.
Scores loaded.
Begin loading assets."
[ "$(head -n 7 <<<"$log")" = "$expected_start" ] || e2e_fail "the log does not start with the start-up lines"
[ "$(grep -c '^Asset loaded successfully: ' <<<"$log")" -eq 20 ] || e2e_fail "not twenty loaded assets"
[ "$(grep -c '^Asset inserted into map successfully: ' <<<"$log")" -eq 20 ] || e2e_fail "not twenty inserted assets"
grep -qxF "Asset loaded successfully: $E2E_DIR/assets/sounds/game_over.wav" <<<"$log" ||
    e2e_fail "asset paths are not built from the executable's directory"
for line in "Fonts loaded." "Textures loaded." "Texture smoothness set." "Sounds loaded." \
    "start_menu: Constructor end." "Created StartMenu object." "main: application created." \
    "start_menu: Draw end."; do
    grep -qxF "$line" <<<"$log" || e2e_fail "the log lacks '$line'"
done
[ "$(tail -n 2 <<<"$log")" = "main: ProcessEvent start.
main: WinMain end." ] || e2e_fail "the last pass should end without 'main: ProcessEvent end.'"

[ "$(cat "$E2E_DIR/assets/high_scores.txt")" = "50
40
30
20
10" ] || e2e_fail "best results not rewritten sorted, one per line"
echo "ok"
