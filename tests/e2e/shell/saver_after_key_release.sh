#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "ｾｰﾊﾞ起動" chosen from the keyboard (Shift+F10, the first item highlighted,
# Down to the item, Return held a moment): the X server's saver starts once
# Return is up and is still on 2 s later; its release does not end it.
source "$(dirname "$0")/../lib.sh"
E2E_SCREEN=800x600 e2e_setup "$1"
printf '[Location]\nOffsetX=100\nOffsetY=100\n' >"$WORK/zelvaro.INI"
saver_on() { python3 "$(dirname "$0")/x_saver_starts.py" --on; }

# A timeout long enough that the saver never starts by itself here.
xset s 600 600
e2e_start
clock=$(e2e_window)
xdotool windowactivate --sync "$clock" 2>/dev/null || true
sleep 0.2
e2e_keys shift+F10
# The first item is highlighted: three steps down is ｾｰﾊﾞ起動 (ｱﾗｰﾑ停止, 壁紙指定 between).
e2e_keys Down Down Down
xdotool keydown Return
sleep 0.6
saver_on && fail "the saver started while Return was still down"
xdotool keyup Return
sleep 2
saver_on || fail "the X server's saver is not on 2 s after Return was released"
xset s reset
xset s default
kill -0 "$APP_PID" || fail "the program ended"
echo "PASS"
