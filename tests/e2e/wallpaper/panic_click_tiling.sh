#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A left click on the panic button shows PanicWallPaper, centred while the
# registry's TileWallPaper is "0" and tiled once it is "1"; a missing panic
# file changes nothing and the clock runs on.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"

# 4 x 4: left half green, right half magenta.
convert -size 2x4 xc:#00ff00 -size 2x4 xc:#ff00ff +append -type TrueColor "BMP3:$WORK/panic.bmp"
wp_ini "[WallDir]" "PanicWallPaper=$WORK/panic.bmp"
mkdir -p "$XDG_CONFIG_HOME/zelvaro"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"TileWallPaper"="0"\n' \
  >"$XDG_CONFIG_HOME/zelvaro/registry.reg"

click_panic() {
  local id; id=$(e2e_window)
  eval "$(xdotool getwindowgeometry --shell "$id")"
  xdotool mousemove $((X + 152)) $((Y + 19)) click 1
}

# Pixels far from the clock window, which sits at the top left.
w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\1/p')
h=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\2/p')
tile_colour() { (( $1 % 4 < 2 )) && echo 00ff00 || echo ff00ff; }

# On a loaded machine the first click may come before the button is ready.
click_until_change() {
  local before=$1 now
  for _ in 1 2 3; do
    click_panic
    now=$(wp_wait_pixmap_change "$before" 5) && { echo "$now"; return 0; }
  done
  return 1
}

e2e_start
e2e_window >/dev/null
sleep 0.5
before=$(wp_root_pixmap)
after=$(click_until_change "$before") || fail "the panic click showed nothing"
[ "$(wp_root_pixel $((w - 1)) $((h - 1)))" = 000000 ] || fail "centred: the corner should be black"
[ "$(wp_root_pixel $((w / 2 - 2)) $((h / 2)))" = 00ff00 ] || fail "centred: the middle should show the picture"
[ "$(wp_root_pixel $((w / 2 + 1)) $((h / 2)))" = ff00ff ] || fail "centred: the middle should show the picture"
e2e_close

printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"TileWallPaper"="1"\n' \
  >"$XDG_CONFIG_HOME/zelvaro/registry.reg"
e2e_start
e2e_window >/dev/null
sleep 0.5
tiled=$(click_until_change "$after") || fail "the second panic click showed nothing"
for x in $((w - 1)) $((w - 2)) $((w - 3)) $((w - 4)) $((w / 2 + 1)); do
  got=$(wp_root_pixel "$x" $((h - 1)))
  [ "$got" = "$(tile_colour "$x")" ] || fail "tiled: ($x,$((h - 1))) shows $got"
done
e2e_close

sed -i "s|PanicWallPaper=.*|PanicWallPaper=$WORK/gone.bmp|" "$INI"
e2e_start
e2e_window >/dev/null
sleep 0.5
click_panic
sleep 1
[ "$(wp_root_pixmap)" = "$tiled" ] || fail "a missing panic file changed the wallpaper"
kill -0 "$APP_PID" || fail "the program ended"
echo "ok"
