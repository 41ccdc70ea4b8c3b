#!/usr/bin/env bash
# Runs a command three times in a row while two busy loops keep both cores loaded; fails on the
# first failing run. Usage: scripts/run_under_load.sh command [arguments]
set -euo pipefail

busy=()
for _ in 1 2; do
    bash -c 'while :; do :; done' &
    busy+=($!)
done
trap 'kill "${busy[@]}" 2>/dev/null' EXIT

for run in 1 2 3; do
    echo "=== run $run of 3 under load"
    "$@"
done
