#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "ｲﾝﾌｫﾒｰｼｮﾝ" in the command menu opens the information dialog centred on
# the screen with this machine's figures; Return closes it and the clock runs
# on. A screenshot of each page is left in the test output folder for a look.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../shell/clock_lib.sh"
E2E_SCREEN=1280x1024
e2e_setup "$1"

e2e_start
e2e_window >/dev/null
sleep 0.3
clock_menu Up Up Up Up Up Up Return   # ｲﾝﾌｫﾒｰｼｮﾝ

dialog=""
for _ in $(seq 200); do
  dialog=$(xdotool search --onlyvisible --name '^ｲﾝﾌｫﾒｰｼｮﾝ$' 2>/dev/null | head -1 || true)
  [ -n "$dialog" ] && break
  sleep 0.05
done
[ -n "$dialog" ] || fail "no information dialog after the menu item"
sleep 0.3

eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$WIDTH" -eq 489 ] && [ "$HEIGHT" -eq 258 ] || fail "dialog is ${WIDTH}x${HEIGHT}, not 489x258"
centre_x=$((X + WIDTH / 2))
centre_y=$((Y + HEIGHT / 2))
[ "$centre_x" -ge 620 ] && [ "$centre_x" -le 660 ] || fail "dialog not centred across: x=$X"
[ "$centre_y" -ge 480 ] && [ "$centre_y" -le 540 ] || fail "dialog not centred down: y=$Y"

if [ -n "${ZELVARO_TEST_OUT:-}" ]; then
  mkdir -p "$ZELVARO_TEST_OUT"
  # The tabs sit along the bottom of the page control, 90 pixels each.
  for page in 0 1 2 3; do
    xdotool mousemove --window "$dialog" $((8 + 45 + page * 90)) 238 click 1
    sleep 0.3
    xwd -silent -id "$dialog" -out "$WORK/info.xwd" &&
      convert "xwd:$WORK/info.xwd" "$ZELVARO_TEST_OUT/info_from_menu_$page.png" 2>/dev/null || true
  done
fi

xdotool mousemove --window "$dialog" 433 60 click 1   # 閉じる
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^ｲﾝﾌｫﾒｰｼｮﾝ$' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name '^ｲﾝﾌｫﾒｰｼｮﾝ$' >/dev/null 2>&1 && fail "the close button did not close the dialog"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the dialog"
e2e_close
echo "ok"
