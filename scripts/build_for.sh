#!/usr/bin/env bash
# Builds the game for another platform, against the libraries that its build_<platform>_deps.sh
# keeps in a cache, into the given build folder (build-<platform> by default):
#   windows: cross-compiled with MinGW-w64; dist/kvelmora-<version>-windows-x64.zip
#   web: compiled with emscripten; the page in <build>/web, dist/kvelmora-<version>-web/ and its zip
# Further arguments go to CMake (the tests pass -DKVELMORA_WERROR=ON).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
platform=$1
buildDir=${2:-$root/build-$platform}
shift 2 || shift
jobs=${JOBS:-2}

case $platform in
windows) toolchain=mingw-w64-x86_64.cmake ;;
web) toolchain=emscripten.cmake ;;
*)
    echo "build_for: no platform '$platform' (windows or web)" >&2
    exit 2
    ;;
esac
prefix=$("$root/scripts/build_${platform}_deps.sh")
# CMake keeps the library paths it once found, and make sees no newer library under a new path:
# libraries built anew, under a new prefix, need a new cache and a whole build.
clean=()
if [ -f "$buildDir/CMakeCache.txt" ] && ! grep -qF "$prefix" "$buildDir/CMakeCache.txt"; then
    rm "$buildDir/CMakeCache.txt"
    clean=(--clean-first)
fi
cmake -S "$root" -B "$buildDir" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix" "$@"
cmake --build "$buildDir" -j "$jobs" "${clean[@]}"
