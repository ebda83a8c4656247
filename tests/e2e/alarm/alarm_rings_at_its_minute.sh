#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# An alarm set through the alarm time dialog rings at its minute: the notice
# comes up within the poll's 2.5 s, its sound loops in the audio output until
# the notice closes and stops then; afterwards the alarm is off.
source "$(dirname "$0")/../lib.sh"
export SDL_AUDIODRIVER=disk
e2e_setup "$1"
export SDL_DISKAUDIOFILE="$WORK/audio.raw"

# A quarter-second 8-bit square wave: loud enough to tell from silence.
le32() { printf "$(printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)) $((($1 >> 16) & 255)) $((($1 >> 24) & 255)))"; }
le16() { printf "$(printf '\\x%02x\\x%02x' $(($1 & 255)) $((($1 >> 8) & 255)))"; }
make_wav() {
  local half data=5500
  half=$(printf '\xe0%.0s' $(seq 25))$(printf '\x20%.0s' $(seq 25))
  {
    printf 'RIFF'; le32 $((36 + data)); printf 'WAVEfmt '; le32 16; le16 1; le16 1
    le32 22050; le32 22050; le16 1; le16 8; printf 'data'; le32 $data
    for _ in $(seq 110); do printf '%s' "$half"; done
  } >"$1"
}
make_wav "$WORK/ring.wav"
[ "$(stat -c %s "$WORK/ring.wav")" -eq 5544 ] || fail "test sound not written"

printf '[Location]\nOffsetX=100\nOffsetY=100\n[Alarm]\nAlarmWave=%s\nAlarmWaveSw=1\nAlarmBmpSw=0\n' \
  "$WORK/ring.wav" >"$WORK/zelvaro.INI"

# Whether the red alarm indicator shows at the clock face's upper right corner.
indicator_shown() {
  local px
  px=$(xwd -id "$clock" -silent | convert xwd:- -format '%[fx:int(255*p{102,10}.r)],%[fx:int(255*p{102,10}.g)]' info:)
  [ "${px%,*}" -gt 200 ] && [ "${px#*,}" -lt 60 ]
}

# Not a byte but silence in the audio output from offset $1 on.
silent_from() { [ "$(tail -c +"$(($1 + 1))" "$SDL_DISKAUDIOFILE" | tr -d '\0' | wc -c)" -eq 0 ]; }

t0=$(date +%s.%N)
e2e_start '@2026-12-07 13:58:45'
clock=$(e2e_window)

# A right click on the clock face opens the alarm time dialog.
eval "$(xdotool getwindowgeometry --shell "$clock")"
xdotool mousemove $((X + 50)) $((Y + 19)) click 3
dialog=""
for _ in $(seq 100); do
  dialog=$(xdotool search --onlyvisible --name '^Zelvaro ｱﾗｰﾑの設定$' 2>/dev/null | head -1 || true)
  [ -n "$dialog" ] && break
  sleep 0.05
done
[ -n "$dialog" ] || fail "no alarm time dialog on a right click"
xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
# The hour field has the focus: Tab, Tab to "今の時刻" and press it, back to
# the minute field, one up (the next minute), Enter for OK.
pressed=$(date +%s.%N)
xdotool key --delay 80 Tab Tab space shift+Tab Up Return
sleep 0.3
xdotool search --onlyvisible --name '^Zelvaro ｱﾗｰﾑの設定$' >/dev/null 2>&1 && fail "dialog still open after Enter"
indicator_shown || fail "no alarm indicator after OK"

# The program's clock started at 13:58:45, so the minute after the one of the
# press begins `due` seconds after the start (15 s unless the machine was slow
# to show the windows). The poll rings within 2.5 s of it.
due=$(awk -v a="$t0" -v p="$pressed" 'BEGIN { s = p - a + 45; print (int(s / 60) + 1) * 60 - 45 }')
notice=""
while awk -v a="$t0" -v d="$due" -v n="$(date +%s.%N)" 'BEGIN { exit !(n - a < d + 10) }'; do
  notice=$(xdotool search --onlyvisible --name '^Zelvaro ｱﾗｰﾑ$' 2>/dev/null | head -1 || true)
  [ -n "$notice" ] && break
  sleep 0.05
done
[ -n "$notice" ] || fail "no alarm notice"
seen=$(date +%s.%N)
late=$(awk -v a="$t0" -v d="$due" -v b="$seen" 'BEGIN { print b - a - d }')
# A little more than the poll's 2.5 s is left for the window to map.
awk -v l="$late" 'BEGIN { exit !(l > -0.5 && l < 4) }' || fail "the notice came ${late} s after its minute began"
sleep 1.5
[ -s "$SDL_DISKAUDIOFILE" ] || fail "no audio output"
size=$(stat -c %s "$SDL_DISKAUDIOFILE")
# The sound loops: well past its quarter second it is still in the output.
silent_from $((size > 60000 ? size - 60000 : 0)) && fail "the alarm sound is not playing"

# Closing the notice stops the sound at once.
xdotool windowactivate --sync "$notice" 2>/dev/null || xdotool windowfocus --sync "$notice"
xdotool key Return
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^Zelvaro ｱﾗｰﾑ$' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name '^Zelvaro ｱﾗｰﾑ$' >/dev/null 2>&1 && fail "the notice did not close"
sleep 0.5
mark=$(stat -c %s "$SDL_DISKAUDIOFILE")
sleep 1.5
silent_from "$mark" || fail "the alarm sound goes on after the notice closed"

indicator_shown && fail "the alarm indicator still shows after the alarm rang"

# Rung once: no second notice in the rest of the minute.
sleep 2.6
xdotool search --onlyvisible --name '^Zelvaro ｱﾗｰﾑ$' >/dev/null 2>&1 && fail "the alarm rang twice"
e2e_close
echo "ok"
