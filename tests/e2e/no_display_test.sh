#!/usr/bin/env bash
# No display: one clear line and status 1 instead of an abort.
source "$(dirname "$0")/lib.sh"
e2e_prepare "$1"

for display in "" ":199"; do
    status=0
    (cd "$E2E_DIR" && DISPLAY="$display" ./kvelmora >"$E2E_DIR/stdout" 2>"$E2E_DIR/stderr") || status=$?
    [ "$status" -eq 1 ] || e2e_fail "DISPLAY='$display': exit status $status, expected 1"
    [ "$(wc -l <"$E2E_DIR/stderr")" -eq 1 ] && grep -q "no X display" "$E2E_DIR/stderr" ||
        e2e_fail "DISPLAY='$display': no single clear line on standard error: $(cat "$E2E_DIR/stderr")"
done

echo "ok"
