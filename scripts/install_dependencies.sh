#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the game need, or the packages
# given as arguments, asking apt only for the ones that are missing.
set -euo pipefail

packages=("$@")
[ $# -gt 0 ] || packages=(
    g++ make cmake pkg-config
    libsfml-dev libsdl2-dev libx11-dev libgtest-dev libgmock-dev
    xvfb xauth xfonts-base xdotool x11-utils imagemagick
    dpkg-dev file lintian desktop-file-utils appstream
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
