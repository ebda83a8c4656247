#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A photo named ".jpeg" and tagged with a Display P3 profile, the only file of
# the standard directory, is taken by the rotation and reaches the root
# window in sRGB: the colour read back from the screen is what Little CMS's
# transicc makes of the file's numbers, not the numbers themselves.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"

python3 "$(dirname "$0")/display_p3_icc.py" "$WORK/p3.icc"

mkdir -p "$WORK/pics"
convert -size 96x64 "xc:#b43c64" -quality 100 "$WORK/plain.jpg"
convert "$WORK/plain.jpg" -profile "$WORK/p3.icc" "$WORK/pics/photo.jpeg"
identify -format '%[profile:icc]' "$WORK/pics/photo.jpeg" >/dev/null 2>&1 || fail "the test photo has no profile"
numbers=$(convert "$WORK/plain.jpg" -format '%[fx:int(255*p{48,32}.r)] %[fx:int(255*p{48,32}.g)] %[fx:int(255*p{48,32}.b)]' info:)
read -r er eg eb < <(echo "$numbers" | transicc "-i$WORK/p3.icc" '-o*sRGB' -t0 -n -s -q 2>/dev/null)
[ -n "$eb" ] || fail "transicc gave no colour for $numbers"
wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" \
  "StartWallChangeSw=1" "ColorDecSw=0"

before=$(wp_root_pixmap)
e2e_start
e2e_window >/dev/null
wp_wait_pixmap_change "$before" 15 >/dev/null || fail "the .jpeg was not shown"
w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\1/p')
h=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\2/p')
centre=$(wp_root_pixel $((w / 2)) $((h / 2)))
near() { local d=$(($1 - $2)); [ "${d#-}" -le 3 ]; }
r=$((16#${centre:0:2})) g=$((16#${centre:2:2})) b=$((16#${centre:4:2}))
near "$r" "${er%.*}" && near "$g" "${eg%.*}" && near "$b" "${eb%.*}" ||
  fail "root window shows $r $g $b for the numbers $numbers; Little CMS makes them $er $eg $eb"
echo "ok"
