#!/usr/bin/env bash
# Runs the whole test suite headless: starts a virtual X server when there is no display.
set -euo pipefail

build_dir=${1:-build}
export ALSOFT_DRIVERS=null

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    exec ctest --test-dir "$build_dir" --output-on-failure
fi
exec xvfb-run -a -s '-screen 0 1366x768x24' ctest --test-dir "$build_dir" --output-on-failure
