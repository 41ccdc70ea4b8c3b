# Where the screens draw what the checks of the controls look for, on the 1366 x 768 picture, and
# a way to ask a screenshot about several places at once. Sourced after lib.sh.

# Regions as "width height x y".
readonly playButton="118 28 1085 351"     # start menu: "Hrát hru"
readonly infoButton="170 55 166 350"      # start menu: "Více o Kvelmoře"
readonly topics=("120 24 40 30" "120 24 40 70" "120 24 40 118" "80 24 40 162" "60 24 40 210") # info menu
readonly pageText="900 200 390 25"        # info menu: the page beside the topics
readonly instructions="900 20 216 143"    # game: the text before the first jump
readonly gameOverHint="900 24 233 388"    # game over: the keys' hint
readonly saveNotice="500 20 433 428"      # game over: the line under the hint when a save failed
readonly resultsCaption="140 30 613 44"   # game over: the caption above the best results
readonly playAgainButton="150 26 478 484" # game over: "Hrát znovu"
readonly startMenuButton="190 26 740 484" # game over: "Úvodní menu"
readonly pauseCaption="110 30 630 318"    # the pause band: "Pauza"
readonly pauseHint="230 22 568 388"       # the pause band: its hint, "Pokračujte klávesou P …"
readonly speaker="40 40 1306 706"         # the speaker, crossed out in red while the sound is off
# Centres to point at.
readonly playButtonAt="1140 365" infoButtonAt="250 378" playAgainAt="553 496" startMenuAt="835 496"
readonly backTopicAt="65 222" # info menu: "Zpět"

# True when a fresh screenshot holds dark text in every region after a "+" and none in every region
# after a "-". A button in the highlight colour, grey, holds no dark text.
looks() {
    e2e_screenshot "$shot" || return 1
    while [ $# -gt 0 ]; do
        if [ "$1" = + ]; then
            has_text $2 || return 1
        else
            ! has_text $2 || return 1
        fi
        shift 2
    done
}

# True when the last screenshot shows the speaker crossed out: red among its dark strokes.
speaker_crossed() {
    local width height x y red
    read -r width height x y <<<"$speaker"
    red=$(convert "$shot" -crop "${width}x${height}+${x}+${y}" +repage -fx 'r > 0.6 && g < 0.3 && b < 0.3' \
        -format '%[fx:mean]' info:)
    awk -v red="$red" 'BEGIN { exit !(red > 0.02) }'
}

# A fingerprint of a region of the last screenshot.
region_sum() {
    local width height x y
    read -r width height x y <<<"$1"
    convert "$shot" -crop "${width}x${height}+${x}+${y}" +repage -format '%#' info:
}

start_menus_built() {
    grep -cxF "start_menu: Constructor end." "$E2E_DIR/assets/log.txt" || true
}

# From the start menu, a click on "Hrát hru" until the game waits for its first jump. A click that a
# busy X server lost is sent again.
start_a_game() {
    local attempt
    for attempt in 1 2 3; do
        e2e_point $playButtonAt click
        e2e_wait_for 'looks + "$instructions"' 3 && return
    done
    e2e_fail "a click on \"Hrát hru\" did not start a game"
}

# From the start menu, a game played until the runner meets its first flower, within $1 seconds (20
# by default). A key that a busy X server lost is sent again.
play_until_a_flower() {
    local attempt
    start_a_game
    for attempt in 1 2 3; do
        e2e_key Up
        e2e_wait_for 'looks - "$instructions"' 3 && break
    done
    e2e_wait_for 'looks + "$gameOverHint"' "${1:-20}" || e2e_fail "the game did not end on a flower"
}
