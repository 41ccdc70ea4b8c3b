#!/usr/bin/env bash
# Installs the Debian packages that building the browser game needs, asking apt only for the ones
# that are missing; with --tests also what testing it in headless Chromium needs, and the test
# driver from npm.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

packages=(emscripten python3 cmake make patch xz-utils gzip)
if [ "${1:-}" = --tests ]; then
    packages+=(chromium imagemagick)
    # A Node.js from elsewhere (NodeSource's) brings its own npm and conflicts with Debian's npm
    # package, so ask for Node.js and npm only where their commands are missing.
    command -v node >/dev/null || packages+=(nodejs)
    command -v npm >/dev/null || packages+=(npm)
fi
"$root/scripts/install_dependencies.sh" "${packages[@]}"
[ "${1:-}" = --tests ] || exit 0

# The driver only: a plain puppeteer would download a browser of its own, which cannot be fetched here.
cd "$root/tests/web"
npm ci --no-audit --no-fund --loglevel=error
