#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The rotation's only picture cannot be read: its "情報" box opens, and while
# it stays open the clock's face still turns to the next minute under a
# clock ten times fast. A start and a
# SIGTERM with nobody moving the clock leave its saved place as it was, on a
# screen of two 1x1 monitors too.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"
mkdir -p "$WORK/pics"
printf 'not a picture' >"$WORK/pics/broken.jpg"
wp_ini "[Location]" "OffsetX=40" "OffsetY=50" "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" \
  "WallInterval=0:10:00" "StartWallChangeSw=1"

e2e_start '@2026-12-07 13:58:54 x10'
id=$(e2e_window)
box=""
for _ in $(seq 100); do
  box=$(xdotool search --onlyvisible --name '^情報$' 2>/dev/null | head -1 || true)
  [ -n "$box" ] && break
  sleep 0.1
done
[ -n "$box" ] || fail "no box told of the picture that cannot be read"
# The box aside, so the clock's face can be read off the screen.
xdotool windowmove "$box" 600 600
sleep 0.3
face() { xwd -id "$id" -silent | md5sum; }
first=$(face)
changed=""
for _ in $(seq 150); do  # 15 real seconds, 150 fake ones: the face turns at least once
  [ "$(face)" != "$first" ] && { changed=yes; break; }
  sleep 0.1
done
[ -n "$changed" ] || fail "the face stood still while the box was open"
xdotool search --onlyvisible --name '^情報$' >/dev/null || fail "the box closed by itself"
kill -TERM "$APP_PID"
e2e_ended_within 5 || fail "SIGTERM did not end the program"
APP_PID=""
grep -q '^OffsetX=40$' "$INI" || fail "the place changed with nobody moving the clock: $(head -3 "$INI")"

# Two 1x1 monitors: the clock is pulled onto the screen, its saved place kept.
xrandr --setmonitor tiny1 1/1x1/1+0+0 screen >/dev/null
xrandr --setmonitor tiny2 1/1x1/1+1+0 none >/dev/null
wp_ini "[Location]" "OffsetX=40" "OffsetY=50"
before=$(md5sum <"$INI")
e2e_start
e2e_window >/dev/null
sleep 0.5
kill -TERM "$APP_PID"
e2e_ended_within 5 || fail "SIGTERM did not end the program on 1x1 monitors"
APP_PID=""
grep -q '^OffsetX=40$' "$INI" || fail "the place changed on 1x1 monitors: $(head -3 "$INI")"
grep -q '^OffsetY=50$' "$INI" || fail "the place changed on 1x1 monitors: $(head -3 "$INI")"
xrandr --delmonitor tiny1 >/dev/null 2>&1 || true
xrandr --delmonitor tiny2 >/dev/null 2>&1 || true
