#!/usr/bin/env bash
# Builds the school's MSI from the game's installed tree (the zip's folder) with msitools' wixl:
# a copy of the tree gains the marker that tells the game it is installed, wixl-heat lists its
# files and wixl links them with kvelmora.wxs.
# Usage: build_msi.sh <tree> <version> <output.msi>
set -euo pipefail
tree=$1
version=$2
output=$3
here=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/Kvelmora
cp -r "$tree" "$stage"
# wixl keeps only ASCII names (see kvelmora.wxs), so the Czech note gets an ASCII name here.
mv "$stage/ČTIMĚ.txt" "$stage/CTIME.txt"
printf 'Kvelmora je nainstalovaná pro všechny uživatele. Každý žák má nejlepší výsledky ve své složce %%LOCALAPPDATA%%\\Kvelmora.\r\n' \
    >"$stage/installed.txt"

(cd "$work" && find Kvelmora -type f | LC_ALL=C sort) |
    wixl-heat --var var.SourceDir -p Kvelmora/ -x Kvelmora/kvelmora.exe --component-group GameFiles --directory-ref INSTALLDIR --win64 \
        >"$work/files.wxs"
if LC_ALL=C grep -n '[^[:print:][:space:]]' "$here/kvelmora.wxs" "$work/files.wxs"; then
    echo "build_msi.sh: wixl cannot store the text above, which is not ASCII" >&2
    exit 1
fi

# wixl reads every source path relative to the folder it runs in.
cp "$here/kvelmora.wxs" "$here/../icons/kvelmora.ico" "$work"
(cd "$work" && wixl --arch x64 -D Version="$version" -D SourceDir=Kvelmora -D Win64=yes -D Icon=kvelmora.ico \
    -o kvelmora.msi kvelmora.wxs files.wxs)
mkdir -p "$(dirname "$output")"
mv "$work/kvelmora.msi" "$output"
