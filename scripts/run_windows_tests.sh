#!/usr/bin/env bash
# Runs the Windows tests under Wine, one Wine job at a time (llvmpipe under Wine takes both cores):
# the cross-built GoogleTest suite as one process, then the end-to-end checks in tests/windows/
# against the player's zip, the installer and the MSI beside the zip. Expects `make
# windows-installer` and `make windows-msi` to have built them.
# Names after the build folder (as `installer`) run only those end-to-end checks.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
buildDir=${1:-$root/build-windows}
shift || true
jobs=${JOBS:-2}

export WINEPREFIX=${KVELMORA_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/kvelmora-wine/prefix}
export WINEARCH=win64 WINEDEBUG=-all ALSOFT_DRIVERS=null
# No prompts to install Wine's .NET and HTML engines: the game needs neither. No menu entries
# and icons in this machine's own desktop for the installer's shortcuts.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

cmake --build "$buildDir" -j "$jobs" --target kvelmora_tests || exit 1
zip=$(cat "$buildDir/package_zip.txt")
installer=${zip%.zip}-setup.exe

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver --wait
fi

# Wine links the prefix's Desktop, Documents and the like to this machine's home; the tests keep
# everything they make, such as the installer's desktop shortcut, inside the prefix.
for folder in "$WINEPREFIX"/drive_c/users/*/*; do
    if [ -L "$folder" ]; then
        rm "$folder" && mkdir "$folder"
    fi
done

# One private X server and one running wineserver for every step, so each start is a warm one.
# The screen leaves room for Wine's window frame, so the game's window keeps its full logical size.
source "$root/tests/common.sh"
start_xvfb 1600x900x24 || { echo "no X server could be started"; exit 1; }
trap 'wineserver --kill 2>/dev/null; kill "$XVFB_PID" 2>/dev/null' EXIT
wineserver --persistent
wine cmd /c exit >/dev/null 2>&1

passed=0
failed=0
Run() {
    local name=$1
    shift
    echo "=== $name"
    local start=$SECONDS
    if "$@"; then
        passed=$((passed + 1))
        echo "=== $name passed in $((SECONDS - start)) s"
    else
        failed=$((failed + 1))
        echo "=== $name FAILED"
    fi
}

# The checks are listed in tests/CMakeLists.txt, which writes them into the build folder.
names=("$@")
if [ $# -eq 0 ]; then
    mapfile -t names <"$buildDir/windows_checks.txt"
    Run googletest bash -c 'cd "$1" && wine ./kvelmora_tests.exe' _ "$buildDir/tests"
fi
for name in "${names[@]}"; do
    Run "${name}_test" bash "$root/tests/windows/${name}_test.sh" "$zip" "$installer"
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
