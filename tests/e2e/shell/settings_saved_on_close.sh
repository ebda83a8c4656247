#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Closing the program writes the settings file beside it, whole, keeping the
# lines it does not know.
source "$(dirname "$0")/../lib.sh"
e2e_setup "$1"

printf '; kept\n[Location]\nOffsetX=40\nOffsetY=50\n[Mine]\nx=1\n' >"$WORK/zelvaro.INI"
e2e_start
e2e_window >/dev/null
sleep 0.5
e2e_close

ini="$WORK/zelvaro.INI"
grep -q '^; kept' "$ini" || fail "comment lost"
grep -q '^x=1' "$ini" || fail "foreign key lost"
[ "$(grep -c '=' "$ini")" -eq 31 ] || fail "expected 30 keys and the foreign one: $(cat "$ini")"
[ "$(grep -c '^\[' "$ini")" -eq 8 ] || fail "expected 7 sections and the foreign one"
ls "$WORK" | grep -q 'INI\.' && fail "temporary file left behind"
echo "ok"
