#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The clock window on a desktop with a window manager: dragging the panel
# moves it, "ｾｰﾊﾞ停止" holds the X screen saver off and lets it go (a kill
# too) without changing the user's values, "ｱ ｲ ｺ ﾝ"
# minimises it with the time as its caption, a second start ends at once and
# brings the first copy forward without touching the settings, a copy under
# another file name runs beside it, and "終    了" saves the place.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/clock_lib.sh"
E2E_SCREEN=800x600 e2e_setup "$1"
cp "$(dirname "$1")/zelvaro.HLP" "$WORK/"

printf '[Location]\nOffsetX=5000\nOffsetY=200\nOnTop=1\n[Mine]\nkept=1\n' >"$WORK/zelvaro.INI"
e2e_start
id=$(e2e_window)
sleep 0.5
read -r x y < <(window_xy "$id")
[ "$x" = 627 ] || fail "saved place not clamped into the screen: x=$x"
[ "$y" = 200 ] || fail "y=$y"
window_state "$id" | grep -q _NET_WM_STATE_ABOVE || fail "not kept on top: $(window_state "$id")"

# Drag the panel's bottom edge 100 pixels left and 50 up.
xdotool mousemove $((x + 60)) $((y + 37)) mousedown 1
sleep 0.2
for step in 1 2 3 4 5; do xdotool mousemove $((x + 60 - step * 20)) $((y + 37 - step * 10)); sleep 0.05; done
xdotool mouseup 1
sleep 0.4
read -r nx ny < <(window_xy "$id")
[ "$nx" = $((x - 100)) ] && [ "$ny" = $((y - 50)) ] || fail "drag moved the window to $nx,$ny from $x,$y"

# "ｾｰﾊﾞ停止" holds the X server's saver off while checked, with the user's
# own values (a short timeout here) untouched; switching back lets it start.
saver_starts() { python3 "$(dirname "$0")/x_saver_starts.py" 4; }
saver_values() { xset q | grep -o 'timeout: *[0-9]* *cycle: *[0-9]*'; }
xset s 2 30
values=$(saver_values)
saver_starts || fail "the X server's saver does not start by itself here"
clock_menu Up Up Up Up Up Up Up Up Return      # ｾｰﾊﾞ停止
saver_starts && fail "the saver started while ｾｰﾊﾞ停止 was checked"
[ "$(saver_values)" = "$values" ] || fail "the user's saver values changed: $(saver_values)"
clock_menu Up Up Up Up Up Up Up Up Return
saver_starts || fail "the saver did not start after switching back"
[ "$(saver_values)" = "$values" ] || fail "the user's saver values changed: $(saver_values)"
xset s default

# Minimise: the caption becomes the time text.
clock_menu Up Up Up Up Return                  # ｱ ｲ ｺ ﾝ
sleep 0.3
window_state "$id" | grep -q _NET_WM_STATE_HIDDEN || fail "not minimised: $(window_state "$id")"
title=$(xdotool getwindowname "$id")
[[ "$title" =~ ^[01][0-9]:[0-5][0-9]\ [ap]m$ ]] || fail "caption while minimised: '$title'"

# A second start ends and brings the first forward, settings untouched.
before=$(md5sum <"$WORK/zelvaro.INI")
timeout 10 "$APP" >"$WORK/second.log" 2>&1 || fail "second copy failed or hung"
sleep 0.5
window_state "$id" | grep -q _NET_WM_STATE_HIDDEN && fail "the first copy was not brought forward"
[ "$before" = "$(md5sum <"$WORK/zelvaro.INI")" ] || fail "the second copy touched the settings"
kill -0 "$APP_PID" || fail "the first copy ended"

# A copy under another file name runs beside it.
cp "$APP" "$WORK/zelvaro2"
"$WORK/zelvaro2" >"$WORK/other.log" 2>&1 &
other=$!
sleep 1
kill -0 "$other" || fail "a copy under another name did not run"
kill "$other"; wait "$other" 2>/dev/null || true

# "ﾍ  ﾙ  ﾌﾟ" opens the help file beside the program at its contents.
CLOCK_TITLE='^[01][0-9]:[0-5][0-9] [ap]m$' clock_menu Up Up Up Return
sleep 0.5
xdotool search --onlyvisible --name 'Zelvaro ヘルプ' >/dev/null || fail "the help window did not open"

# Quit from the menu writes the current place and closes the help.
CLOCK_TITLE='^[01][0-9]:[0-5][0-9] [ap]m$' clock_menu Up Return   # 終    了
for _ in $(seq 100); do kill -0 "$APP_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$APP_PID" 2>/dev/null && fail "quit did not end the program"
APP_PID=""
grep -q "^OffsetX=$nx\$" "$WORK/zelvaro.INI" || fail "place not saved: $(head -4 "$WORK/zelvaro.INI")"
grep -q "^OffsetY=$ny\$" "$WORK/zelvaro.INI" || fail "place not saved: $(head -4 "$WORK/zelvaro.INI")"
grep -q '^kept=1' "$WORK/zelvaro.INI" || fail "a foreign key was lost"

# A clock killed while ｾｰﾊﾞ停止 is checked gives the saver back.
xset s 2 30
e2e_start
e2e_window >/dev/null
sleep 0.5
clock_menu Up Up Up Up Up Up Up Up Return      # ｾｰﾊﾞ停止
saver_starts && fail "the saver started while ｾｰﾊﾞ停止 was checked"
kill -KILL "$APP_PID"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""
saver_starts || fail "the saver stayed off after the clock was killed"
[ "$(saver_values)" = "$values" ] || fail "the user's saver values changed: $(saver_values)"
echo "ok"
