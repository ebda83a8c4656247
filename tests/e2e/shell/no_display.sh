#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Without a display the program says so in one line and ends with status 1,
# leaving nothing in the runtime folder; the same with a display named that
# does not answer.
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
WORK=$(mktemp -d /tmp/zelvaro-nodisplay.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
cp "$1" "$WORK/zelvaro"
mkdir -m 700 "$WORK/run"
for display in "" ":97"; do
  status=0
  env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" XDG_RUNTIME_DIR="$WORK/run" \
    XDG_CONFIG_HOME="$WORK/config" timeout 20 "$WORK/zelvaro" >"$WORK/out" 2>"$WORK/err" || status=$?
  [ "$status" = 1 ] || fail "display '$display': status $status: $(cat "$WORK/err")"
  [ "$(wc -l <"$WORK/err")" = 1 ] || fail "display '$display': not one line: $(cat "$WORK/err")"
  grep -q '^zelvaro: cannot open display' "$WORK/err" || fail "display '$display': $(cat "$WORK/err")"
  [ ! -s "$WORK/out" ] || fail "display '$display': printed $(cat "$WORK/out")"
  [ -z "$(ls -A "$WORK/run")" ] || fail "display '$display': left $(ls -A "$WORK/run")"
done
echo "PASS"
