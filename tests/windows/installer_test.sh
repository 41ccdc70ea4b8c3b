#!/usr/bin/env bash
# The installer, silently (/S), as a player without administrator rights: the game lands in the
# player's programs folder with its shortcuts and its entry in "Programs and Features"; one game is
# played to "KONEC HRY"; the best results go to %LOCALAPPDATA%\Kvelmora and nothing is written into
# the installation. The uninstaller removes the program and keeps the results, and a new
# installation reads them back.
source "$(dirname "$0")/lib.sh"
win_begin
installer=$2
[ -f "$installer" ] || win_fail "no installer at $installer"

localAppData=$(win_folder '%LOCALAPPDATA%')
appData=$(win_folder '%APPDATA%')
desktop=$(win_folder '%USERPROFILE%\Desktop')
WIN_DIR="$localAppData/Programs/Kvelmora"
WIN_DATA="$localAppData/Kvelmora"
startMenuLink="$appData/Microsoft/Windows/Start Menu/Programs/Kvelmora.lnk"
uninstallKey='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kvelmora'

remove_everything() {
    rm -rf "$WIN_DIR" "$WIN_DATA" "$startMenuLink" "$desktop/Kvelmora.lnk"
    wine reg delete "$uninstallKey" /f >/dev/null 2>&1 || true
}
trap 'win_cleanup; remove_everything' EXIT

install_silently() {
    wine "$installer" /S || win_fail "the installer failed"
    [ -f "$WIN_DIR/kvelmora.exe" ] && [ -f "$WIN_DIR/assets/fonts/texgyreadventor-regular.otf" ] ||
        win_fail "the game is not in $WIN_DIR"
}

registry_value() {
    wine reg query "$uninstallKey" /v "$1" 2>/dev/null | tr -d '\r' | awk -v name="$1" '$1 == name { $1 = $2 = ""; print substr($0, 3) }'
}

remove_everything
mkdir -p "$WIN_DATA"
printf -- '-1\n-2\n-3\n-4\n-5\n' >"$WIN_DATA/high_scores.txt"

install_silently
touch "$WIN_ROOT/installed"
[ -f "$startMenuLink" ] || win_fail "no shortcut in the Start menu"
[ -f "$desktop/Kvelmora.lnk" ] || win_fail "no shortcut on the desktop"
[ "$(registry_value DisplayVersion)" = "$(basename "$installer" | sed 's/kvelmora-\(.*\)-windows.*/\1/')" ] ||
    win_fail "Programs and Features shows the version '$(registry_value DisplayVersion)'"
[ "$(registry_value Publisher)" = "Korvel, spolek pro krajinu" ] || win_fail "no publisher in Programs and Features"
registry_value DisplayIcon | grep -q 'kvelmora.exe' || win_fail "no icon in Programs and Features"

win_play_one_game
[ "$(win_best_results)" = "0 -1 -2 -3 -4 " ] || win_fail "the result is not in $WIN_DATA: $(win_best_results)"
written=$(find "$WIN_DIR" -newer "$WIN_ROOT/installed")
[ -z "$written" ] || win_fail "the game wrote into its installation: $written"

# The uninstaller runs from a copy of itself and returns at once; the folder goes when it is done.
wine "$WIN_DIR/Uninstall.exe" /S
win_wait_for '[ ! -e "$WIN_DIR" ]' 30 || win_fail "the uninstaller left $(find "$WIN_DIR" | head -n 5)"
[ ! -e "$startMenuLink" ] && [ ! -e "$desktop/Kvelmora.lnk" ] || win_fail "the uninstaller left the shortcuts"
[ -z "$(registry_value DisplayName)" ] || win_fail "the uninstaller left the entry in Programs and Features"
[ "$(win_best_results)" = "0 -1 -2 -3 -4 " ] || win_fail "the uninstaller took the best results"

install_silently
win_play_one_game
[ "$(win_best_results)" = "0 0 -1 -2 -3 " ] ||
    win_fail "the new installation did not read the old best results: $(win_best_results)"
echo "ok"
