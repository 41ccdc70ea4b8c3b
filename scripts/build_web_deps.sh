#!/usr/bin/env bash
# Builds the browser game's libraries with emscripten from the tarballs in third_party/ into a
# prefix cached outside the clone, and prints that prefix. A warm call only checks the cache.
# SFML (patched for the browser), FreeType, Ogg, Vorbis and FLAC become static WebAssembly
# libraries; OpenAL, WebGL and the page's events come with emscripten itself.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
sources=$root/third_party
toolchain=$root/cmake/emscripten.cmake
jobs=${JOBS:-2}
# In the order they apply.
sfmlPatches=("$sources/patches/sfml-web.patch" "$sources/patches/sfml-web-window.patch")

log() { echo "build_web_deps: $*" >&2; }

# Everything that changes the result: this script, the patches, the toolchain, the tarballs and the compilers.
CacheKey() {
    {
        # Contents only, so that every clone of the same tree finds the same prefix.
        cat "${BASH_SOURCE[0]}" "$toolchain" "${sfmlPatches[@]}" "$sources/SHA256SUMS" | sha256sum
        emcc --version 2>&1
        dpkg-query -W emscripten clang-14 lld-14 binaryen cmake 2>/dev/null || true
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
            -DBUILD_SHARED_LIBS=OFF \
            "$@" &&
            cmake --build "$buildDir" -j "$jobs" &&
            cmake --install "$buildDir"
    } >"$logFile" 2>&1; then
        tail -n 40 "$logFile" >&2
        log "$name failed; full log: $logFile"
        exit 1
    fi
}

# A page downloads all it links: FreeType gets only what SFML needs for the game's OpenType (CFF)
# fonts, with its forced autohinter and anti-aliased rendering, instead of every font format.
WriteFreeTypeModules() {
    cat >"$1/include/freetype/config/ftmodule.h" <<'EOF'
FT_USE_MODULE( FT_Module_Class, autofit_module_class )
FT_USE_MODULE( FT_Driver_ClassRec, cff_driver_class )
FT_USE_MODULE( FT_Module_Class, psaux_module_class )
FT_USE_MODULE( FT_Module_Class, psnames_module_class )
FT_USE_MODULE( FT_Module_Class, pshinter_module_class )
FT_USE_MODULE( FT_Module_Class, sfnt_module_class )
FT_USE_MODULE( FT_Renderer_Class, ft_smooth_renderer_class )
EOF
}

BuildAll() {
    (cd "$sources" && sha256sum --check --quiet SHA256SUMS) || {
        log "a tarball in third_party/ does not match SHA256SUMS"
        exit 1
    }

    local ogg vorbis flac freetype sfml patchFile
    ogg=$(Unpack libogg_1.3.5.orig.tar.xz)
    vorbis=$(Unpack libvorbis_1.3.7.orig.tar.gz)
    flac=$(Unpack flac_1.4.2+ds.orig.tar.xz)
    freetype=$(Unpack freetype_2.12.1+dfsg.orig.tar.xz)
    sfml=$(Unpack libsfml_2.5.1+dfsg.orig.tar.xz)
    for patchFile in "${sfmlPatches[@]}"; do
        patch -d "$sfml" -p1 --quiet <"$patchFile"
    done

    BuildProject ogg "$ogg" -DINSTALL_DOCS=OFF -DINSTALL_PKG_CONFIG_MODULE=OFF -DBUILD_TESTING=OFF
    BuildProject vorbis "$vorbis"
    # SFML reads FLAC files only, so FLAC needs no Ogg; without it the static link order stays simple.
    BuildProject flac "$flac" -DWITH_OGG=OFF -DBUILD_CXXLIBS=OFF -DBUILD_PROGRAMS=OFF \
        -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DBUILD_DOCS=OFF -DINSTALL_MANPAGES=OFF \
        -DINSTALL_PKGCONFIG_MODULES=OFF -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
    WriteFreeTypeModules "$freetype"
    BuildProject freetype "$freetype" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_PNG=ON \
        -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
    BuildProject sfml "$sfml" -DSFML_USE_SYSTEM_DEPS=ON \
        -DSFML_BUILD_EXAMPLES=OFF -DSFML_BUILD_DOC=OFF -DSFML_BUILD_NETWORK=OFF \
        -DSFML_INSTALL_PKGCONFIG_FILES=OFF

    # The licence texts of everything the game ships with: the libraries, and emscripten's runtime,
    # C and C++ libraries and OpenAL, which the linker puts into the game.
    local licences=$prefix/licences
    mkdir -p "$licences"
    cp "$sfml/license.md" "$licences/SFML.txt"
    cp "$freetype/docs/FTL.TXT" "$licences/FreeType.txt"
    cp "$ogg/COPYING" "$licences/Ogg.txt"
    cp "$vorbis/COPYING" "$licences/Vorbis.txt"
    cp "$flac/COPYING.Xiph" "$licences/FLAC.txt"
    cp /usr/share/doc/emscripten/copyright "$licences/Emscripten.txt"
}

cache=${KVELMORA_WEB_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/kvelmora-web-deps}
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
