#!/usr/bin/env bash
# Cross-builds the Windows game's libraries from the tarballs in third_party/ into a prefix
# cached outside the clone, and prints that prefix. A warm call only checks the cache.
# SFML, FreeType, Ogg, Vorbis and FLAC become static libraries; OpenAL Soft (LGPL) becomes
# OpenAL32.dll, shipped beside the game so a player can replace it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
sources=$root/third_party
toolchain=$root/cmake/mingw-w64-x86_64.cmake
jobs=${JOBS:-2}
cxx=x86_64-w64-mingw32-g++-posix

log() { echo "build_windows_deps: $*" >&2; }

# Everything that changes the result: this script, the patches, the toolchain, the tarballs and the compilers.
CacheKey() {
    {
        # Contents only, so that every clone of the same tree finds the same prefix.
        cat "${BASH_SOURCE[0]}" "$toolchain" "$sources"/patches/sfml-mingw-*.patch "$sources/SHA256SUMS" | sha256sum
        "$cxx" -v 2>&1
        dpkg-query -W g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix \
            mingw-w64-x86-64-dev binutils-mingw-w64-x86-64 cmake 2>/dev/null || true
    } | sha256sum | cut -c1-16
}

Unpack() {
    local tarball=$1
    local directory
    directory=$(tar -tf "$sources/$tarball" | head -n1 | cut -d/ -f1)
    tar -xf "$sources/$tarball" -C "$work"
    echo "$work/$directory"
}

# Configures, builds and installs one CMake project; its output goes to a log shown on failure.
BuildProject() {
    local name=$1 sourceDir=$2
    shift 2
    local buildDir=$work/build-$name
    local logFile=$work/$name.log
    log "building $name"
    if ! {
        cmake -S "$sourceDir" -B "$buildDir" -G "Unix Makefiles" \
            -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
            -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_INSTALL_PREFIX="$prefix" \
            -DCMAKE_FIND_ROOT_PATH="$prefix" \
            -DCMAKE_PREFIX_PATH="$prefix" \
            "$@" &&
            cmake --build "$buildDir" -j "$jobs" &&
            cmake --install "$buildDir"
    } >"$logFile" 2>&1; then
        tail -n 40 "$logFile" >&2
        log "$name failed; full log: $logFile"
        exit 1
    fi
}

BuildAll() {
    (cd "$sources" && sha256sum --check --quiet SHA256SUMS) || {
        log "a tarball in third_party/ does not match SHA256SUMS"
        exit 1
    }

    local ogg vorbis flac freetype openal sfml
    ogg=$(Unpack libogg_1.3.5.orig.tar.xz)
    vorbis=$(Unpack libvorbis_1.3.7.orig.tar.gz)
    flac=$(Unpack flac_1.4.2+ds.orig.tar.xz)
    freetype=$(Unpack freetype_2.12.1+dfsg.orig.tar.xz)
    openal=$(Unpack openal-soft_1.24.2.orig.tar.gz)
    sfml=$(Unpack libsfml_2.5.1+dfsg.orig.tar.xz)
    patch -d "$sfml" -p1 --quiet <"$sources/patches/sfml-mingw-library-names.patch"

    BuildProject ogg "$ogg" -DINSTALL_DOCS=OFF -DINSTALL_PKG_CONFIG_MODULE=OFF -DBUILD_TESTING=OFF
    BuildProject vorbis "$vorbis"
    # SFML reads FLAC files only, so FLAC needs no Ogg; without it the static link order stays simple.
    BuildProject flac "$flac" -DWITH_OGG=OFF -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF \
        -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF \
        -DINSTALL_PKGCONFIG_MODULES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
    BuildProject freetype "$freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
    # The DLL carries its own C and C++ runtimes, so it needs nothing but Windows beside it.
    # Built shared, it never reaches the static branch's $<BUILD_LOCAL_INTERFACE>, which CMake 3.25 lacks.
    BuildProject openal "$openal" -DLIBTYPE=SHARED -DALSOFT_UTILS=OFF -DALSOFT_EXAMPLES=OFF \
        -DALSOFT_TESTS=OFF -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF \
        -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF -DALSOFT_INSTALL_EXAMPLES=OFF -DALSOFT_INSTALL_UTILS=OFF \
        -DALSOFT_UPDATE_BUILD_VERSION=OFF -DALSOFT_BACKEND_PIPEWIRE=OFF -DALSOFT_BACKEND_PULSEAUDIO=OFF \
        -DALSOFT_BACKEND_JACK=OFF -DALSOFT_STATIC_LIBGCC=ON -DALSOFT_STATIC_STDCXX=ON \
        -DALSOFT_STATIC_WINPTHREAD=ON
    BuildProject sfml "$sfml" -DBUILD_SHARED_LIBS=OFF -DSFML_USE_SYSTEM_DEPS=ON \
        -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOCS=OFF -DSFML_BUILD_NETWORK=OFF \
        -DSFML_INSTALL_PKGCONFIG_FILES=OFF

    # The licence texts of everything the game ships with, for the zip.
    local licences=$prefix/licences
    mkdir -p "$licences"
    cp "$sfml/license.md" "$licences/SFML.txt"
    cp "$freetype/docs/FTL.TXT" "$licences/FreeType.txt"
    cp "$openal/COPYING" "$licences/OpenAL-Soft.txt"
    cp "$ogg/COPYING" "$licences/Ogg.txt"
    cp "$vorbis/COPYING" "$licences/Vorbis.txt"
    cp "$flac/COPYING.Xiph" "$licences/FLAC.txt"
}

cache=${KVELMORA_WINDOWS_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kvelmora-windows-deps}
mkdir -p "$cache"
key=$(CacheKey)
prefix=$cache/$key

# One build per key at a time; a second caller waits and then finds it done.
exec 9>"$cache/$key.lock"
flock 9
if [ ! -f "$prefix/.complete" ]; then
    start=$SECONDS
    rm -rf "$prefix"
    work=$(mktemp -d "$cache/work-$key.XXXXXX")
    BuildAll
    touch "$prefix/.complete"
    rm -rf "$work"
    log "built in $((SECONDS - start)) s"
fi
echo "$prefix"
