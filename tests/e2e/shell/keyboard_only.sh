#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program driven by the keyboard alone (no pointer at all): Shift+F10 and
# the Menu key open the command menu; an alarm is set by typing its time and
# its notice closes with Escape; the options' folder is changed in the picker
# by typing a path and Return, and saved; the calendar, the information, the
# version box and the help each open from the menu and close with Escape.
source "$(dirname "$0")/../lib.sh"
E2E_SCREEN=800x600 e2e_setup "$1"
cp "$(dirname "$1")/zelvaro.HLP" "$WORK/"
mkdir -p "$WORK/pics" "$WORK/other"
printf '[Location]\nOffsetX=100\nOffsetY=100\n[WallDir]\nWallDir1=%s\n[Alarm]\nAlarmBmpSw=0\nAlarmWaveSw=0\n' \
  "$WORK/other" >"$WORK/zelvaro.INI"

# Brings the clock forward and opens its menu with $1 (shift+F10 or Menu),
# then types the rest.
menu() {
  local how=$1
  shift
  xdotool windowactivate --sync "$clock" 2>/dev/null || true
  sleep 0.2
  e2e_keys "$how"
  e2e_keys "$@"
}

# Fails when the window $1 covers any part of the clock: boxes open beside it.
apart_from_clock() {
  local a b
  a=$(xdotool getwindowgeometry --shell "$clock" | tr '\n' ' ')
  b=$(xdotool getwindowgeometry --shell "$1" | tr '\n' ' ')
  python3 - "$a" "$b" "$2" <<'PY' || fail "$2 opened over the clock"
import sys
def rect(text):
    v = dict(kv.split("=") for kv in text.split())
    return int(v["X"]), int(v["Y"]), int(v["WIDTH"]), int(v["HEIGHT"])
ax, ay, aw, ah = rect(sys.argv[1])
bx, by, bw, bh = rect(sys.argv[2])
sys.exit(1 if ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah else 0)
PY
}

start='2026-12-07 13:58:30'
t0=$(date +%s)
e2e_start "@$start"
clock=$(e2e_window)

# The alarm: Shift+F10 (the first item highlighted), Return, the hour and minutes typed. The
# program's clock started at $start when it did; the alarm is set at least
# a quarter of a minute ahead of it, however long the start took.
menu shift+F10 Return
alarm=$(e2e_window_named '^Zelvaro ｱﾗｰﾑの設定$') || fail "Shift+F10 and Return did not open the alarm dialog"
apart_from_clock "$alarm" "the alarm dialog"
at=$(($(date -d "$start" +%s) + $(date +%s) - t0 + 75))
digits() { date -d "@$at" "+%$1" | sed 's/./& /g'; }
e2e_keys ctrl+a $(digits H) Tab ctrl+a $(digits M) Return
e2e_window_gone '^Zelvaro ｱﾗｰﾑの設定$' || fail "Return did not close the alarm dialog"
for _ in $(seq 9); do notice=$(e2e_window_named '^Zelvaro ｱﾗｰﾑ$') && break; done
[ -n "${notice:-}" ] || fail "the typed alarm ($(date -d "@$at" +%H:%M)) did not ring"
xdotool windowactivate --sync "$notice" 2>/dev/null || true
e2e_keys Escape
e2e_window_gone '^Zelvaro ｱﾗｰﾑ$' || fail "Escape did not close the alarm notice"

# The options (the fifth item from the bottom), through the Menu key.
menu Menu Up Up Up Up Up Return
options=$(e2e_window_named '^Zelvaroの設定$') || fail "the Menu key did not open the options"
apart_from_clock "$options" "the options dialog"
# The first field has the focus; Tab leads to its folder button, Space opens the picker.
e2e_keys Tab space
e2e_window_named '^画像ﾌｧｲﾙの選択$' >/dev/null || fail "the folder button did not open the picker"
# The name field has the focus; a typed path and Return open the folder,
# Return again chooses it.
e2e_keys ctrl+a
xdotool type --delay 40 "$WORK/pics"
e2e_keys Return Return
e2e_window_gone '^画像ﾌｧｲﾙの選択$' || fail "Return did not choose the folder"
e2e_keys Return
e2e_window_gone '^Zelvaroの設定$' || fail "Return did not confirm the options"
grep -qx "WallDir1=$WORK/pics" "$WORK/zelvaro.INI" || fail "the typed folder was not saved: $(grep WallDir1 "$WORK/zelvaro.INI")"

# Every other window from the menu, each closed with Escape.
for entry in "7:^Zelvaro のカレンダー$" "6:^ｲﾝﾌｫﾒｰｼｮﾝ$" "2:^about Zelvaro$" "3:^Zelvaro ヘルプ$"; do
  ups=${entry%%:*}
  title=${entry#*:}
  menu shift+F10 $(printf 'Up %.0s' $(seq "$ups")) Return
  id=$(e2e_window_named "$title") || fail "no window '$title' from the menu"
  apart_from_clock "$id" "'$title'"
  xdotool windowactivate --sync "$id" 2>/dev/null || true
  e2e_keys Escape
  e2e_window_gone "$title" || fail "Escape did not close '$title'"
done
kill -0 "$APP_PID" || fail "the program ended"
echo "PASS"
