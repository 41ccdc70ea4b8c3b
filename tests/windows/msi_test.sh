#!/usr/bin/env bash
# The school's MSI, silently with msiexec as a deployment tool runs it: the game lands in Program
# Files with a Start-menu shortcut and an entry in Apps & features; a game played there keeps its
# result in the player's %LOCALAPPDATA%\Kvelmora and writes nothing into the installation. The
# same version built again is refused, a newer one replaces it in place and the result survives;
# removal takes the program and the shortcut and keeps the result. Installed into a folder of the
# administrator's choice, the game still keeps its files in the player's folder.
source "$(dirname "$0")/lib.sh"
win_begin
zip=$1
msi=${zip%.zip}.msi
[ -f "$msi" ] || win_fail "no MSI at $msi"
version=$(basename "$msi" | sed 's/kvelmora-\(.*\)-windows.*/\1/')
IFS=. read -r major minor patch <<<"$version"
newerVersion=$major.$minor.$((patch + 1))

programDir="$(win_folder '%ProgramFiles%')/Kvelmora"
WIN_DIR=$programDir
WIN_DATA="$(win_folder '%LOCALAPPDATA%')/Kvelmora"
ownFolder='C:\Hry\Kvelmora' # an administrator's choice outside Program Files
ownDir=$(winepath -u "$ownFolder")
# Wine gives an installation for all users the current user's Start menu; Windows the common one.
startMenus=("$(win_folder '%ProgramData%')/Microsoft/Windows/Start Menu/Programs"
    "$(win_folder '%APPDATA%')/Microsoft/Windows/Start Menu/Programs")
uninstallKeys='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# The same version built again and a newer one, both from the zip's tree.
unzip -q "$zip" -d "$WIN_ROOT/tree"
tree=$(find "$WIN_ROOT/tree" -mindepth 1 -maxdepth 1 -type d)
buildMsi="$(dirname "$0")/../../packaging/windows/build_msi.sh"
"$buildMsi" "$tree" "$version" "$WIN_ROOT/rebuilt.msi" || win_fail "the same version could not be built again"
"$buildMsi" "$tree" "$newerVersion" "$WIN_ROOT/newer.msi" || win_fail "a newer version could not be built"

# Arguments after the MSI are properties, as INSTALLDIR=...
run_msiexec() {
    wine msiexec "$1" "$(winepath -w "$2")" "${@:3}" /qn
}

# Before the temporary folder goes: it holds the newer MSI.
remove_everything() {
    win_game_running && kill -9 "$WIN_GAME_PID"
    local package
    for package in "$WIN_ROOT/newer.msi" "$WIN_ROOT/rebuilt.msi" "$msi"; do
        run_msiexec /x "$package" >/dev/null 2>&1 || true
    done
    rm -rf "$programDir" "$ownDir" "$WIN_DATA"
}
trap 'remove_everything; win_cleanup' EXIT

# The values of the Apps & features entry named Kvelmora, one "name value" a line; one entry only.
entry() {
    wine reg query "$uninstallKeys" /s 2>/dev/null | tr -d '\r' | awk '
        /^HKEY_/ { if (kvelmora) { print block; count++ } block = ""; kvelmora = 0; next }
        $1 == "DisplayName" && $3 == "Kvelmora" { kvelmora = 1 }
        NF >= 3 { block = block $1 " " substr($0, index($0, $3)) "\n" }
        END { if (kvelmora) { print block; count++ } if (count > 1) print "entries " count }'
}

entry_value() {
    entry | awk -v name="$1" '$1 == name { print substr($0, length(name) + 2) }'
}

shortcut() {
    find "${startMenus[@]}" -maxdepth 1 -name Kvelmora.lnk 2>/dev/null
}

expect_installed() {
    [ -f "$WIN_DIR/kvelmora.exe" ] && [ -f "$WIN_DIR/assets/fonts/texgyreadventor-regular.otf" ] ||
        win_fail "the game is not in $WIN_DIR"
    [ -n "$(shortcut)" ] || win_fail "no shortcut in the Start menu"
    [ "$(entry_value DisplayVersion)" = "$1" ] || win_fail "Apps & features shows: $(entry)"
}

remove_everything
mkdir -p "$WIN_DATA"
printf -- '-1\n-2\n-3\n-4\n-5\n' >"$WIN_DATA/high_scores.txt"

run_msiexec /i "$msi" || win_fail "msiexec /i ended with status $?"
touch "$WIN_ROOT/installed"
expect_installed "$version"
[ "$(entry_value Publisher)" = "Korvel, spolek pro krajinu" ] || win_fail "no publisher in Apps & features"
wine reg query 'HKLM\Software\Classes\Installer\Products' /s 2>/dev/null | tr -d '\r' |
    grep -q 'ProductIcon .*kvelmora\.ico$' || win_fail "no icon for Apps & features"

win_play_one_game
[ "$(win_best_results)" = "0 -1 -2 -3 -4 " ] || win_fail "the result is not in $WIN_DATA: $(win_best_results)"
written=$(find "$WIN_DIR" -newer "$WIN_ROOT/installed")
[ -z "$written" ] || win_fail "the game wrote into its installation: $written"

# Windows answers 1603, which Wine's exit status cuts to 67 or loses: the outcome tells.
run_msiexec /i "$WIN_ROOT/rebuilt.msi" || true
expect_installed "$version"
[ "$(entry_value InstallSource)" = "$(winepath -w "$(dirname "$msi")")\\" ] ||
    win_fail "the same version built again replaced the first: $(entry)"

run_msiexec /i "$WIN_ROOT/newer.msi" || win_fail "the newer MSI ended with status $?"
expect_installed "$newerVersion"
win_play_one_game
[ "$(win_best_results)" = "0 0 -1 -2 -3 " ] || win_fail "the upgrade lost the result: $(win_best_results)"

run_msiexec /x "$WIN_ROOT/newer.msi" || win_fail "msiexec /x ended with status $?"
[ ! -e "$WIN_DIR" ] || win_fail "the removal left $(find "$WIN_DIR" | head -n 5)"
[ -z "$(shortcut)" ] || win_fail "the removal left the shortcut"
[ -z "$(entry)" ] || win_fail "the removal left the entry in Apps & features"
[ "$(win_best_results)" = "0 0 -1 -2 -3 " ] || win_fail "the removal took the result"

# In a folder of the administrator's choice only the MSI's marker tells the game it is installed.
run_msiexec /i "$msi" INSTALLDIR="$ownFolder" || win_fail "msiexec /i INSTALLDIR=... ended with status $?"
WIN_DIR=$ownDir
touch "$WIN_ROOT/installed"
rm -f "$WIN_DATA/log.txt"
win_start_game
win_wait_for '[ -f "$WIN_DATA/log.txt" ] || [ -f "$WIN_DIR/assets/log.txt" ]' 30 || win_fail "the game wrote no log"
[ ! -f "$WIN_DIR/assets/log.txt" ] || win_fail "the game in $ownFolder took itself for an unpacked zip"
win_wait_for_window
win_escape
written=$(find "$WIN_DIR" -newer "$WIN_ROOT/installed")
[ -z "$written" ] || win_fail "the game wrote into its installation in $ownFolder: $written"
echo "ok"
