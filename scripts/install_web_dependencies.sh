#!/usr/bin/env bash
# Installs the Debian packages that building the browser game and testing it in headless
# Chromium need, asking apt only for the ones that are missing, then the test driver from npm.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)

packages=(emscripten chromium python3 imagemagick cmake make patch xz-utils gzip)
# A Node.js from elsewhere (NodeSource's) brings its own npm and conflicts with Debian's npm
# package, so ask for Node.js and npm only where their commands are missing.
command -v node >/dev/null || packages+=(nodejs)
command -v npm >/dev/null || packages+=(npm)
"$root/scripts/install_dependencies.sh" "${packages[@]}"

# The driver only: a plain puppeteer would download a browser of its own, which cannot be fetched here.
cd "$root/tests/web"
npm ci --no-audit --no-fund --loglevel=error
