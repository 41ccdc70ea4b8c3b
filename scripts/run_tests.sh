#!/usr/bin/env bash
# Runs the whole test suite headless, on a private X server: the unit tests open windows, and
# the end-to-end checks start one server each of their own.
# Usage: scripts/run_tests.sh [build directory]
set -euo pipefail

build_dir=$(realpath "${1:-build}")
work=$(mktemp -d)

# Xvfb picks a free display and writes its number to descriptor 3 once it accepts connections;
# -noreset keeps it from dropping connections whenever its last client leaves.
Xvfb -displayfd 3 -screen 0 1366x768x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
until [ -s "$work/display" ]; do
    kill -0 $xvfb 2>/dev/null || { cat "$work/xvfb.log" >&2; exit 1; }
    sleep 0.05
done
export DISPLAY=":$(head -n 1 "$work/display")"
export ALSOFT_DRIVERS=null

# Read only by a sanitized build. Any finding fails the run with a status of its own, which the
# end-to-end checks, expecting exactly 0 or 1, report as well. GCC 12's runtime takes some dynamic
# TLS blocks for an old glibc's and then crashes LeakSanitizer at exit now and then; not tracking
# them loses nothing, as glibc keeps them on the heap, where the leak check follows pointers anyway.
export ASAN_OPTIONS=exitcode=86:detect_stack_use_after_return=1:strict_init_order=1:check_initialization_order=1:intercept_tls_get_addr=0
export UBSAN_OPTIONS=exitcode=86:print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=exitcode=86

ctest --test-dir "$build_dir" --output-on-failure
