#!/usr/bin/env bash
# The Debian package as a player gets it: its metadata validates, lintian finds no errors, it holds
# what a desktop expects, and the game runs from the unpacked, read-only tree, keeping its files
# in the player's own folders.
# Usage: package_test.sh <path to the .deb> <path to the kvelmora executable of the build>
set -euo pipefail
deb=$(realpath "$1")
id=cz.korvel.Kvelmora
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/$id.desktop" || fail "the desktop entry does not validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the AppStream data does not validate"
lintian --fail-on error --suppress-tags duplicate-font-file "$deb" || fail "lintian reports errors"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
expected=(
    ./usr/games/kvelmora
    ./usr/share/applications/$id.desktop
    ./usr/share/metainfo/$id.metainfo.xml
    ./usr/share/icons/hicolor/scalable/apps/$id.svg
    ./usr/share/man/man6/kvelmora.6.gz
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
    grep -qxF "$file" <<<"$contents" || fail "the package lacks $file"
done
! grep -E 'log\.txt|high_scores\.txt' <<<"$contents" || fail "the package ships a player's file"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
grep -q "libsfml-graphics2.5" <<<"$(dpkg-deb -f "$deb" Depends)" || fail "no dependencies from dpkg-shlibdeps"
echo "ok"
