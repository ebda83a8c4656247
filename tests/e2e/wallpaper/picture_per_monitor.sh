#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A picture per monitor: on a screen of two monitors of different sizes, with
# "WallPerMonitorSw" on, the rotation's change shows a different picture on
# each monitor, each stretched to its own monitor's size (its white frame at
# that monitor's edges) and black where no monitor is; with it off both
# monitors show the same picture.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
E2E_SCREEN=2304x1024 wp_setup "$1"
# A 1280x1024 monitor on the left, a 1024x768 one beside it at the top. The
# left one takes the display's only output, so no monitor of the whole
# screen is left over.
xrandr --setmonitor left 1280/338x1024/270+0+0 screen >/dev/null
xrandr --setmonitor right 1024/270x768/203+1280+0 none >/dev/null

mkdir -p "$WORK/pics" "$XDG_CONFIG_HOME/zelvaro"
# 200x100 pictures of one colour in a 10-pixel white frame.
framed() {  # <file> <colour>
  convert -size 200x100 xc:white -fill "#$2" -draw "rectangle 10,10 189,89" "PNG24:$1"
}
framed "$WORK/pics/red.png" ff0000
framed "$WORK/pics/blue.png" 0000ff
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"WallpaperStyle"="2"\n"TileWallPaper"="0"\n' \
  >"$XDG_CONFIG_HOME/zelvaro/registry.reg"

show_at_start() {  # <WallPerMonitorSw>
  wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" \
    "StartWallChangeSw=1" "WallPerMonitorSw=$1"
  local before
  before=$(wp_root_pixmap)
  e2e_start "@2026-12-07 10:14:50"
  e2e_window >/dev/null
  wp_wait_pixmap_change "$before" 20 >/dev/null || fail "no wallpaper at start-up (WallPerMonitorSw=$1)"
  sleep 0.5
}

expect() {  # <x> <y> <colour> <what>
  local got
  got=$(wp_root_pixel "$1" "$2")
  [ "$got" = "$3" ] || fail "$4: at $1,$2 the root shows $got, not $3"
}

show_at_start 1
left=$(wp_root_pixel 640 600)
right=$(wp_root_pixel 1792 384)
case "$left$right" in
  ff00000000ff | 0000ffff0000) ;;
  *) fail "the monitors show $left and $right, not the two pictures" ;;
esac
# Each picture's frame lies along its own monitor's edges (the stretched
# frame is 64x102 pixels wide on the left monitor, 51x77 on the right one)
# and its colour just inside them; below the smaller monitor stays black.
expect 5 1018 ffffff "the left monitor's bottom-left frame"
expect 1274 1018 ffffff "the left monitor's bottom-right frame"
expect 1200 900 "$left" "inside the left monitor's frame"
expect 1285 5 ffffff "the right monitor's top-left frame"
expect 2298 762 ffffff "the right monitor's bottom-right frame"
expect 2230 680 "$right" "inside the right monitor's frame"
expect 1792 900 000000 "the room below the right monitor"
size=$(identify -format '%wx%h' "$WORK/data/zelvaro/ZelvaroWl.BMP")
[ "$size" = 2304x1024 ] || fail "the composed bitmap is $size, not the screen's 2304x1024"
[ -n "${E2E_SCREENSHOT:-}" ] && import -window root "$E2E_SCREENSHOT"
e2e_close

show_at_start 0
left=$(wp_root_pixel 640 600)
right=$(wp_root_pixel 1792 384)
[ "$left" = "$right" ] || fail "with one picture for all, the monitors show $left and $right"
echo "ok"
