#!/usr/bin/env bash
# Runs the browser checks against a web build folder (build-web by default): the packed page from
# dist/ and the bare window's page beside it, each served on 127.0.0.1 to headless Chromium, and the
# single file from dist/, opened from the disk.
# KVELMORA_WEB_ROWS=<part of a row's name> runs only the matching rows; KVELMORA_WEB_SHOTS=<folder>
# keeps the screenshots there.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
buildDir=$(cd "${1:-$root/build-web}" && pwd)
# Chromium keeps crash reports and sound settings in the home folder: the check gets one of its own.
home=$(mktemp -d)
if [ -n "${KVELMORA_WEB_SHOTS:-}" ]; then
    work=$KVELMORA_WEB_SHOTS
    trap 'rm -rf "$home"' EXIT
else
    work=$(mktemp -d)
    trap 'rm -rf "$work" "$home"' EXIT
fi

cd "$root/tests/web"
HOME=$home XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache \
    node web_test.js "$(cat "$buildDir/package_dir.txt")" "$(cat "$buildDir/single_page.txt")" "$buildDir/web-bare" "$root/docs/screenshot_start_menu.png" "$work"
