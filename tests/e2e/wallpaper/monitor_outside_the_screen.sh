#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A picture per monitor on a 1280x1024 screen of two monitors and a third
# lying far outside it (30000x30000 at +20000+20000): the monitors on the
# screen show their pictures, the one outside is left out with one log line,
# and the composed bitmap is the screen's size.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"
xrandr --setmonitor left 640/169x1024/270+0+0 screen >/dev/null
xrandr --setmonitor right 640/169x1024/270+640+0 none >/dev/null
xrandr --setmonitor outside 30000/1000x30000/1000+20000+20000 none >/dev/null

mkdir -p "$WORK/pics"
convert -size 64x48 xc:red "PNG24:$WORK/pics/red.png"
convert -size 64x48 xc:red "PNG24:$WORK/pics/red2.png"
wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" \
  "StartWallChangeSw=1" "WallPerMonitorSw=1"
before=$(wp_root_pixmap)
e2e_start
e2e_window >/dev/null
wp_wait_pixmap_change "$before" 20 >/dev/null || fail "no wallpaper with a monitor outside the screen"
sleep 0.5
for x in 320 960; do
  [ "$(wp_root_pixel $x 512)" = ff0000 ] || fail "the monitor at $x shows $(wp_root_pixel $x 512)"
done
bitmap=$(find "$WORK" -name ZelvaroWl.BMP | head -1)
[ -n "$bitmap" ] || fail "no composed bitmap was written"
size=$(identify -format '%wx%h' "$bitmap")
[ "$size" = 1280x1024 ] || fail "the composed bitmap is $size, not the screen's 1280x1024"
said=$(grep -c 'outside the 1280x1024 screen' "$WORK/stdout.log" || true)
[ "$said" -eq 1 ] || fail "the monitor outside was logged $said times"
echo "ok: $(grep 'outside the' "$WORK/stdout.log")"
