#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The rotation puts a file of the standard directory on the root window at
# start-up (StartWallChangeSw), hands a BMP over without writing ZelvaroWl.BMP,
# and changes it again one interval later. The clock runs 20 times fast.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"

mkdir -p "$WORK/pics"
wp_bmp "$WORK/pics/red.bmp" 64 48 ff0000
wp_bmp "$WORK/pics/blue.BMP" 64 48 0000ff
echo "not a picture" >"$WORK/pics/notes.txt"
wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" "StartWallChangeSw=1"

before=$(wp_root_pixmap)
e2e_start "@2026-12-07 10:14:50 x20"
e2e_window >/dev/null
first=$(wp_wait_pixmap_change "$before" 10) || fail "no wallpaper at start-up"
w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\1/p')
h=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\2/p')
centre=$(wp_root_pixel $((w / 2)) $((h / 2)))
corner=$(wp_root_pixel $((w - 3)) $((h - 3)))
[[ "$centre" == ff0000 || "$centre" == 0000ff ]] || fail "centre of the root window shows $centre"
[ "$corner" = 000000 ] || fail "a centred picture leaves black around it, corner shows $corner"
[ -e "$WORK/data/zelvaro/ZelvaroWl.BMP" ] && fail "a BMP wallpaper must not be converted"

# Next change at 10:24 (fake time): 9 minutes 10 seconds, under 30 s here.
second=$(wp_wait_pixmap_change "$first" 40) || fail "no change one interval later"
[ "$(wp_root_pixmap)" = "$second" ] || fail "more than one change"
sleep 3  # a minute of fake time: still one change only
[ "$(wp_root_pixmap)" = "$second" ] || fail "changed again within the interval"
kill -0 "$APP_PID" || fail "the program ended"
echo "ok"
