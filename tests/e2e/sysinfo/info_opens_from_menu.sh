#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "ｲﾝﾌｫﾒｰｼｮﾝ" in the command menu opens the information dialog beside the
# clock (never over it) with this machine's figures; Return closes it and the
# clock runs on. A screenshot of each page is left in the test output folder
# for a look.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../shell/clock_lib.sh"
E2E_SCREEN=1280x1024
e2e_setup "$1"

e2e_start
clock=$(e2e_window)
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
# Beside the clock (at the top left here): just below it, lined up with
# it, the whole dialog on the screen.
read -r cx cy ch < <(xdotool getwindowgeometry --shell "$clock" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^HEIGHT=/{h=$2} END{print x, y, h}')
[ "$Y" -ge $((cy + ch)) ] && [ "$Y" -le $((cy + ch + 60)) ] || fail "dialog not just below the clock: y=$Y, clock $cy+$ch"
[ "$X" -ge "$cx" ] && [ "$X" -le $((cx + 20)) ] || fail "dialog not lined up with the clock: x=$X, clock $cx"
[ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 1024 ] || fail "dialog not on the screen: $X,$Y ${WIDTH}x${HEIGHT}"

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
