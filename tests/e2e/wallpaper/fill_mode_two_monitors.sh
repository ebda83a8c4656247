#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A WebP, a HEIC and a BMP picture from the rotation fill both monitors of a two
# monitor screen when the registry's WallpaperStyle is "10": each picture is
# a wide strip smaller than a monitor whose middle, cut to a monitor's
# proportions, is one colour, so a filled monitor shows that colour edge to
# edge, where a centred one would show black above and below.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
E2E_SCREEN=2560x1024 wp_setup "$1"
xrandr --setmonitor left 1280/338x1024/270+0+0 none >/dev/null
xrandr --setmonitor right 1280/338x1024/270+1280+0 none >/dev/null

mkdir -p "$WORK/pics" "$XDG_CONFIG_HOME/zelvaro"
strip() {  # <file> <colour of the middle>
  convert -size 2000x500 xc:#ff0000 -fill "#$2" -draw "rectangle 660,0 1340,499" "PNG24:$WORK/strip.png"
  case "$1" in
    *.webp) cwebp -quiet -lossless "$WORK/strip.png" -o "$1" ;;
    *.heic) heif-enc -q 90 "$WORK/strip.png" -o "$1" >/dev/null ;;
    *.bmp) convert "$WORK/strip.png" -type TrueColor "BMP3:$1" ;;
  esac
}
strip "$WORK/a.webp" 00ff00
strip "$WORK/b.heic" 0000ff
strip "$WORK/c.bmp" ff00ff
printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"WallpaperStyle"="10"\n"TileWallPaper"="0"\n' \
  >"$XDG_CONFIG_HOME/zelvaro/registry.reg"
wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" "StartWallChangeSw=1"

# Both monitors, corners and middles (away from the clock window at the
# top left): one colour, near enough (lossy HEIC).
one_colour_everywhere() {
  local want=$1 got
  for xy in "3 1020" "640 512" "1276 1020" "1276 3" "1283 3" "1920 512" "2556 1020"; do
    got=$(wp_root_pixel $xy)
    python3 - "$want" "$got" <<'PY' || { echo "at $xy: $got, not $want"; return 1; }
import sys
a, b = (bytes.fromhex(c) for c in sys.argv[1:])
sys.exit(0 if max(abs(x - y) for x, y in zip(a, b)) <= 24 else 1)
PY
  done
}

# One run of the clock for each picture, the only one in the directory: the
# rotation shows it at start-up.
show_at_start() {  # <picture> <colour>
  rm -f "$WORK/pics/"*
  cp "$1" "$WORK/pics/"
  local before
  before=$(wp_root_pixmap)
  e2e_start "@2026-12-07 10:14:50"
  e2e_window >/dev/null
  wp_wait_pixmap_change "$before" 20 >/dev/null || fail "$1 not shown at start-up"
  sleep 0.5
  why=$(one_colour_everywhere "$2") || fail "$(basename "$1") does not fill both monitors: $why"
  size=$(identify -format '%wx%h' "$WORK/data/zelvaro/ZelvaroWl.BMP")
  [ "$size" = 1280x1024 ] || fail "the bitmap is $size, not the monitor's 1280x1024"
  e2e_close
}
show_at_start "$WORK/a.webp" 00ff00
show_at_start "$WORK/b.heic" 0000ff
show_at_start "$WORK/c.bmp" ff00ff
echo "ok"
