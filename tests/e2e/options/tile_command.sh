#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "全　　体" in the command menu: the image picker opens in the user's
# pictures folder (XDG_PICTURES_DIR), a JPEG chosen with OK is shown tiled
# over the whole root window, and the registry store holds "TileWallPaper"="1".
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../shell/clock_lib.sh"
source "$(dirname "$0")/../wallpaper/wallpaper_lib.sh"
E2E_SCREEN=800x600 wp_setup "$1"
CLOCK_TITLE='^Zelvaro$'

wp_ini "[Location]" "OffsetX=0" "OffsetY=0"
mkdir -p "$WORK/pics" "$XDG_CONFIG_HOME/zelvaro"
convert -size 64x48 xc:#ff0000 -quality 95 "$WORK/pics/red.jpg"
printf 'XDG_PICTURES_DIR="%s"\n' "$WORK/pics" >"$XDG_CONFIG_HOME/user-dirs.dirs"
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"TileWallPaper"="0"\n' \
  >"$XDG_CONFIG_HOME/zelvaro/registry.reg"

cd "$WORK"
e2e_start
e2e_window >/dev/null
sleep 0.5
before=$(wp_root_pixmap)

picker=""
for _ in 1 2 3; do
  clock_menu Down Down Down Right Return          # 壁紙指定 > 全　　体
  for _ in $(seq 30); do
    picker=$(xdotool search --onlyvisible --name '^画像ﾌｧｲﾙの選択$' 2>/dev/null | head -1 || true)
    [ -n "$picker" ] && break 2
    sleep 0.1
  done
done
[ -n "$picker" ] || fail "the image picker did not open"
sleep 0.3
xdotool key --delay 120 Down Return                # the one JPEG, then OK
wp_wait_pixmap_change "$before" 15 >/dev/null || fail "the chosen JPEG was not shown"

grep -q '"TileWallPaper"="1"' "$XDG_CONFIG_HOME/zelvaro/registry.reg" ||
  fail "TileWallPaper is not 1: $(cat "$XDG_CONFIG_HOME/zelvaro/registry.reg")"
# A 64 x 48 picture centred would leave the corners black; tiled it fills them.
for at in "799 599" "0 599" "400 300"; do
  got=$(wp_root_pixel $at)
  [[ "$got" =~ ^f[0-9a-f]0[0-9a-f]0[0-9a-f]$ ]] || fail "not tiled: ($at) shows $got"
done
e2e_close
echo "ok"
