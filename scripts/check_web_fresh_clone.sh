#!/usr/bin/env bash
# `make web` alone in a fresh clone of this checkout's commit, as a school's technician runs it:
# the page's folder, its zip and the single file must appear in the clone's dist/, the zip with the
# page, its service worker, the single file, the teachers' note and the licences, and nothing only
# the tests need (the test driver, the bare page) may be installed or built. The libraries' cache in ~/.cache is shared with this checkout.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
clone=$(mktemp -d)
trap 'rm -rf "$clone"' EXIT

git clone --quiet --no-checkout "$root" "$clone"
git -C "$clone" checkout --quiet --detach "$(git -C "$root" rev-parse HEAD)"
make -C "$clone" web

version=$(sed -n 's/^project(Kvelmora VERSION \([0-9.]*\).*/\1/p' "$clone/CMakeLists.txt")
name=kvelmora-$version-web
fail() {
    echo "check_web_fresh_clone: $*" >&2
    exit 1
}
[ -f "$clone/dist/$name/index.html" ] || fail "no dist/$name/index.html"
[ -f "$clone/dist/$name.zip" ] || fail "no dist/$name.zip"
[ -f "$clone/dist/kvelmora-$version.html" ] || fail "no dist/kvelmora-$version.html"
listing=$(python3 -m zipfile -l "$clone/dist/$name.zip")
for file in index.html index.wasm service-worker.js "kvelmora-$version.html" ČTIMĚ.txt licence/Kvelmora.txt \
    licence/SFML.txt licence/Emscripten.txt; do
    grep -q "^$name/$file " <<<"$listing" || fail "$name.zip holds no $file"
done
[ ! -e "$clone/tests/web/node_modules" ] || fail "make web installed the test driver"
[ ! -e "$clone/build-web/web-bare" ] || fail "make web built the bare page"
echo "check_web_fresh_clone: ok"
