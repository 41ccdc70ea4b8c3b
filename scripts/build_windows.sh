#!/usr/bin/env bash
# Cross-builds the Windows game into the given build folder (build-windows by default) and packs
# dist/kvelmora-<version>-windows-x64.zip. The libraries come from the cache of build_windows_deps.sh.
# Further arguments go to CMake (the tests pass -DKVELMORA_WERROR=ON).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
buildDir=${1:-$root/build-windows}
shift || true
jobs=${JOBS:-2}

prefix=$("$root/scripts/build_windows_deps.sh")
cmake -S "$root" -B "$buildDir" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_FIND_ROOT_PATH="$prefix" "$@"
cmake --build "$buildDir" -j "$jobs"
