#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A left click on the clock face opens the calendar dialog beside the clock,
# never over it; Enter closes it and the clock runs on. A screenshot of the
# open dialog is left in the test output folder for a look.
source "$(dirname "$0")/../lib.sh"
E2E_SCREEN=1280x1024
e2e_setup "$1"

e2e_start '@2026-12-07 13:59:58'
clock=$(e2e_window)
sleep 0.3
xdotool mousemove --window "$clock" 50 19 click 1

dialog=""
for _ in $(seq 200); do
  dialog=$(xdotool search --onlyvisible --name '^Zelvaro のカレンダー$' 2>/dev/null | head -1 || true)
  [ -n "$dialog" ] && break
  sleep 0.05
done
[ -n "$dialog" ] || fail "no calendar dialog after a click on the clock face"
sleep 0.3

eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$WIDTH" -eq 376 ] && [ "$HEIGHT" -eq 224 ] || fail "dialog is ${WIDTH}x${HEIGHT}, not 376x224"
# Beside the clock (at the top left here): just below it, lined up with
# it, the whole dialog on the screen.
read -r cx cy ch < <(xdotool getwindowgeometry --shell "$clock" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} /^HEIGHT=/{h=$2} END{print x, y, h}')
[ "$Y" -ge $((cy + ch)) ] && [ "$Y" -le $((cy + ch + 60)) ] || fail "dialog not just below the clock: y=$Y, clock $cy+$ch"
[ "$X" -ge "$cx" ] && [ "$X" -le $((cx + 20)) ] || fail "dialog not lined up with the clock: x=$X, clock $cx"
[ $((X + WIDTH)) -le 1280 ] && [ $((Y + HEIGHT)) -le 1024 ] || fail "dialog not on the screen: $X,$Y ${WIDTH}x${HEIGHT}"

if [ -n "${ZELVARO_TEST_OUT:-}" ]; then
  mkdir -p "$ZELVARO_TEST_OUT"
  xwd -silent -id "$dialog" -out "$WORK/calendar.xwd" &&
    convert "xwd:$WORK/calendar.xwd" "$ZELVARO_TEST_OUT/calendar_from_clock.png" 2>/dev/null || true
fi

xdotool key Return
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Zelvaro のカレンダー$' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name '^Zelvaro のカレンダー$' >/dev/null 2>&1 && fail "Enter did not close the dialog"
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the dialog"
e2e_close
echo "ok"
