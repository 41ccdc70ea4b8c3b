#!/usr/bin/env bash
# Installs the Debian packages that cross-building the Windows game and testing it under Wine
# need, asking apt only for the ones that are missing.
set -euo pipefail
exec "$(dirname "$0")/install_dependencies.sh" \
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 \
    mingw-w64-x86-64-dev cmake make patch xz-utils googletest \
    nsis wixl wine wine64 xvfb xauth xdotool x11-utils imagemagick unzip
