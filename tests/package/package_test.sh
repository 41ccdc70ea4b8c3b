#!/usr/bin/env bash
# The Debian package as a player gets it: its metadata validates, lintian finds no errors, it holds
# what a desktop expects, and the game runs from the unpacked, read-only tree, keeping its files
# in the player's own folders.
# Usage: package_test.sh <path to the .deb> <path to the kvelmora executable of the build>
source "$(dirname "$0")/../e2e/lib.sh"
deb=$(realpath "$1")
id=cz.korvel.Kvelmora
work=$(mktemp -d)
E2E_DIR=$work
trap 'chmod -R u+w "$work"; e2e_cleanup' EXIT

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop" || e2e_fail "the desktop entry does not validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml" ||
    e2e_fail "the AppStream data does not validate"
lintian --fail-on error --suppress-tags duplicate-font-file "$deb" || e2e_fail "lintian reports errors"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(
    ./usr/games/kvelmora
    ./usr/share/applications/$id.desktop
    ./usr/share/metainfo/$id.metainfo.xml
    ./usr/share/icons/hicolor/scalable/apps/$id.svg
    ./usr/share/man/man6/kvelmora.6.gz
    ./usr/share/man/cs/man6/kvelmora.6.gz
    ./usr/share/doc/kvelmora/copyright
    ./usr/share/doc/kvelmora/LICENSE
    ./usr/share/kvelmora/assets/fonts/LICENSE-GUST-FONT-LICENSE.txt
    ./usr/share/kvelmora/assets/sounds/game_over.wav
    ./usr/share/kvelmora/assets/textures/Player/player_spritesheet_74.png
)
for size in 16 32 48 64 128 256; do
    expected+=("./usr/share/icons/hicolor/${size}x${size}/apps/$id.png")
done
for file in "${expected[@]}"; do
    grep -qxF "$file" <<<"$contents" || e2e_fail "the package lacks $file"
done
! grep -E 'log\.txt|high_scores\.txt' <<<"$contents" || e2e_fail "the package ships a player's file"
doc=$work/root/usr/share/doc/kvelmora
for link in $(grep -oE '\]\([^)#]+\)' "$doc/README.md" | sed 's/^](//; s/)$//' | grep -v '://'); do
    [ -e "$doc/$link" ] || e2e_fail "the installed README links $link, which is not installed"
done
grep -qx 'Exec=/usr/games/kvelmora' "$work/root/usr/share/applications/$id.desktop" ||
    e2e_fail "the desktop entry does not start /usr/games/kvelmora"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || e2e_fail "the package is not in section games"
grep -q "libsfml-graphics2.5" <<<"$(dpkg-deb -f "$deb" Depends)" || e2e_fail "no dependencies from dpkg-shlibdeps"
# The installed game, started from the unpacked tree with nothing beside it that it could write.
export HOME=$work/home ALSOFT_DRIVERS=null
unset XDG_DATA_HOME XDG_STATE_HOME
mkdir -p "$HOME"
chmod -R a-w "$work/root"
data=$HOME/.local/share/kvelmora
state=$HOME/.local/state/kvelmora
e2e_start_xvfb

# Runs the installed game until its frame loop turns, then stops it as a logout would.
run_installed() {
    rm -f "$state/log.txt"
    "$work/root/usr/games/kvelmora" >"$work/stdout" 2>"$work/stderr" &
    E2E_GAME_PID=$!
    e2e_wait_for 'grep -qxF "main: ProcessEvent end." "$state/log.txt" 2>/dev/null' 20 ||
        e2e_fail "the installed game did not start: $(cat "$work/stderr")"
    kill -s TERM "$E2E_GAME_PID"
    e2e_wait_for_exit 10
    [ "$E2E_STATUS" -eq 0 ] || e2e_fail "the installed game ended with status $E2E_STATUS: $(cat "$work/stderr"; tail -5 "$state/log.txt")"
}

run_installed
[ "$(tr '\n' ' ' <"$data/high_scores.txt")" = "0 0 0 0 0 " ] || e2e_fail "no best results in the player's folder"
printf '10 50 30 20 40\n' >"$data/high_scores.txt"
run_installed
[ "$(tr '\n' ' ' <"$data/high_scores.txt")" = "50 40 30 20 10 " ] || e2e_fail "the second run did not read the results back"
[ -z "$(find "$work/root" -name 'log*.txt' -o -name 'high_scores*')" ] || e2e_fail "the game wrote into its installation"
echo "ok"
