#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Releasing the right button over the options button opens "Zelvaroの設定";
# Cancel (Esc) leaves the settings file byte for byte as it was, and a
# changed interval confirmed with OK reaches the file at once.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../shell/clock_lib.sh"
e2e_setup "$1"

printf '[Location]\nOffsetX=40\nOffsetY=50\n[WallSw]\nWallInterval=0:10:00\n[WaveSw]\nUseWaveSw=1\n' >"$WORK/zelvaro.INI"
e2e_start
id=$(e2e_window)
sleep 0.5

open_options() {
  local x y dialog=""
  read -r x y < <(window_xy "$id")
  for _ in 1 2 3; do
    xdotool mousemove $((x + 124)) $((y + 19)) click 3
    for _ in $(seq 40); do
      dialog=$(xdotool search --onlyvisible --name '^Zelvaroの設定$' 2>/dev/null | head -1 || true)
      [ -n "$dialog" ] && { echo "$dialog"; return 0; }
      sleep 0.1
    done
  done
  fail "the options dialog did not open"
}

before=$(md5sum <"$WORK/zelvaro.INI")
dialog=$(open_options)
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
xdotool key --delay 80 Escape
sleep 0.5
xdotool search --onlyvisible --name '^Zelvaroの設定$' >/dev/null 2>&1 && fail "Esc did not close the dialog"
[ "$before" = "$(md5sum <"$WORK/zelvaro.INI")" ] || fail "Cancel changed the settings file"

# Second tab (the focus goes to its first control), then past the two check
# boxes to the interval field: up twice.
dialog=$(open_options)
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
sleep 0.3
xdotool key --delay 120 ctrl+Tab Tab Tab Up Up Return
sleep 0.8
grep -q '^WallInterval=0:20:00' "$WORK/zelvaro.INI" || fail "the new interval was not saved: $(grep WallInterval "$WORK/zelvaro.INI")"
grep -q '^UseWaveSw=1' "$WORK/zelvaro.INI" || fail "UseWaveSw was not kept"
kill -0 "$APP_PID" || fail "the program ended"
e2e_close
echo "ok"
