#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Ending the program with SIGTERM (as shut-down and log-off do) saves the
# settings with the place the user dragged the clock to, like a close (a move
# no user made is not saved); a copy that crashed does not keep the next
# start from running.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/clock_lib.sh"
e2e_setup "$1"

printf '[Location]\nOffsetX=40\nOffsetY=50\n' >"$WORK/zelvaro.INI"
e2e_start
id=$(e2e_window)
sleep 0.5
xdotool windowmove "$id" 300 222  # as a window manager would: not the user's place
sleep 0.5
read -r x y < <(window_xy "$id")
# The user drags the panel's bottom edge 100 pixels right and 50 down.
xdotool mousemove $((x + 60)) $((y + 37)) mousedown 1
sleep 0.2
for step in 1 2 3 4 5; do xdotool mousemove $((x + 60 + step * 20)) $((y + 37 + step * 10)); sleep 0.05; done
xdotool mouseup 1
sleep 0.4
read -r nx ny < <(window_xy "$id")
[ "$nx" = $((x + 100)) ] && [ "$ny" = $((y + 50)) ] || fail "drag moved the window to $nx,$ny from $x,$y"
kill -TERM "$APP_PID"
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$APP_PID" 2>/dev/null && fail "SIGTERM did not end the program"
APP_PID=""
grep -q "^OffsetX=$nx\$" "$WORK/zelvaro.INI" || fail "place not saved at session end: $(cat "$WORK/zelvaro.INI")"
grep -q "^OffsetY=$ny\$" "$WORK/zelvaro.INI" || fail "place not saved at session end"
[ "$(grep -c '=' "$WORK/zelvaro.INI")" -eq 30 ] || fail "not every key written"

e2e_start
e2e_window >/dev/null
kill -KILL "$APP_PID"; wait "$APP_PID" 2>/dev/null || true
e2e_start
sleep 1
kill -0 "$APP_PID" 2>/dev/null || fail "a crashed copy blocked the next start"
e2e_window >/dev/null
echo "ok"
