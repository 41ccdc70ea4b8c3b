# Steps that the Linux and the Windows end-to-end checks share; sourced by both of their libraries.

# Waits up to $2 seconds (default 10) for the command $1 to succeed.
wait_until() {
    local deadline=$((SECONDS + ${2:-10}))
    until eval "$1"; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.05
    done
}

# Starts a private X server with the screen $1 (width x height x depth) on the first free display:
# Xvfb picks the number and writes it to descriptor 3 once it accepts connections. Without -noreset
# the server resets whenever its last client leaves and drops a connection that comes meanwhile.
# Sets DISPLAY and XVFB_PID; the server's messages go to the file $2, if given.
start_xvfb() {
    local numberFile
    numberFile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "$1" -nolisten tcp -noreset 3>"$numberFile" >"${2:-/dev/null}" 2>&1 &
    XVFB_PID=$!
    wait_until '[ -s "$numberFile" ] || ! kill -0 "$XVFB_PID" 2>/dev/null' 30
    export DISPLAY=":$(head -n 1 "$numberFile")"
    rm -f "$numberFile"
    [ "$DISPLAY" != ":" ]
}

# True when the region ($2 wide, $3 high, at $4, $5) of the picture $1 holds dark pixels: text, not sky.
region_has_text() {
    local mean
    mean=$(convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -threshold 30% -format '%[fx:mean]' info:)
    awk -v mean="$mean" 'BEGIN { exit !(mean < 0.999) }'
}

# What is wrong with the log ($1, without CRs) of a start that ended on Escape in the start menu:
# the start-up lines in order, twenty-four assets loaded and stored, the menu built and drawn, and a
# last pass cut short by the Escape. Prints nothing for a log that is whole.
startup_log_problem() {
    local log=$1 line
    local expected_start="main: WinMain start.
main: Main start.
main: sf::ContextSettings created.
main: sf::Window Created.
Application constructor started.
Scores loaded.
Begin loading assets."
    [ "$(head -n 7 <<<"$log")" = "$expected_start" ] || { echo "the log does not start with the start-up lines"; return; }
    [ "$(grep -c '^Asset loaded successfully: ' <<<"$log")" -eq 24 ] || { echo "not twenty-four loaded assets"; return; }
    [ "$(grep -c '^Asset inserted into map successfully: ' <<<"$log")" -eq 24 ] || { echo "not twenty-four inserted assets"; return; }
    for line in "Fonts loaded." "Textures loaded." "Texture smoothness set." "Sounds loaded." \
        "start_menu: Constructor end." "Created StartMenu object." "main: application created." \
        "start_menu: Draw end."; do
        grep -qxF "$line" <<<"$log" || { echo "the log lacks '$line'"; return; }
    done
    [ "$(tail -n 2 <<<"$log")" = "main: ProcessEvent start.
main: WinMain end." ] || echo "the last pass should end without 'main: ProcessEvent end.'"
}
