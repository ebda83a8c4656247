#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A JPEG from the rotation with ColorDecSw on is converted into an 8-bit
# ZelvaroWl.BMP in the data directory, and that picture is what the root
# window shows; with ColorDecSw off the bitmap has the display's 24 bits.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"

mkdir -p "$WORK/pics"
convert -size 320x200 plasma:fractal -quality 90 "$WORK/pics/photo.jpg"
wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" \
  "StartWallChangeSw=1" "ColorDecSw=1"
bmp="$WORK/data/zelvaro/ZelvaroWl.BMP"
bits() { od -An -tu2 -j28 -N2 "$1" | tr -d ' '; }

before=$(wp_root_pixmap)
e2e_start
e2e_window >/dev/null
wp_wait_pixmap_change "$before" 15 >/dev/null || fail "no wallpaper at start-up"
[ -f "$bmp" ] || fail "no converted bitmap"
[ "$(bits "$bmp")" = 8 ] || fail "expected 8 bits per pixel, got $(bits "$bmp")"
ls "$WORK/data/zelvaro" | grep -q 'part' && fail "a temporary file was left behind"
w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\1/p')
h=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\2/p')
centre=$(wp_root_pixel $((w / 2)) $((h / 2)))
[ "$centre" != 000000 ] || fail "the root window shows black where the picture should be"
e2e_close

sed -i 's/ColorDecSw=1/ColorDecSw=0/' "$INI"
before=$(wp_root_pixmap)
e2e_start
e2e_window >/dev/null
wp_wait_pixmap_change "$before" 15 >/dev/null || fail "no wallpaper at the second start"
[ "$(bits "$bmp")" = 24 ] || fail "expected 24 bits per pixel, got $(bits "$bmp")"
echo "ok"
