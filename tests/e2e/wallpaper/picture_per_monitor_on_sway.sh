#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A picture per monitor in a real compositor: a headless sway with two
# outputs of different sizes and Xwayland. With "WallPerMonitorSw" on, the
# rotation's change gives each output its own picture, stretched to that
# output's size (its white frame along the output's edges), where sway's own
# background was.
#
# As root the inside runs as a system user of its own, as privately as the
# machine allows (sway_lib.sh). Everything is bounded in time.
set -euo pipefail
SCRIPT=$(readlink -f "$0")
source "$(dirname "$SCRIPT")/../platform/sway_lib.sh"

inside() {
  sway_start 2 "output HEADLESS-1 resolution 1280x1024 position 0 0 bg #3050a0 solid_color" \
    "output HEADLESS-2 resolution 1024x768 position 1280 0 bg #3050a0 solid_color"
  local xdisplay=$XDISPLAY
  wait_for 10 eval '[ "$(pixel 1792 384)" = 3050a0 ]' || fail "sway's second output does not show: $(pixel 1792 384)"

  mkdir -p "$WORK/pics" "$XDG_CONFIG_HOME/zelvaro"
  convert -size 200x100 xc:white -fill "#ff0000" -draw "rectangle 10,10 189,89" "PNG24:$WORK/pics/red.png"
  convert -size 200x100 xc:white -fill "#0000ff" -draw "rectangle 10,10 189,89" "PNG24:$WORK/pics/blue.png"
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"WallpaperStyle"="2"\n"TileWallPaper"="0"\n' \
    >"$XDG_CONFIG_HOME/zelvaro/registry.reg"
  printf '%s\n' "[Location]" "OffsetX=600" "OffsetY=600" "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" \
    "WallChangeSw=1" "WallInterval=1:00:00" "StartWallChangeSw=1" "WallPerMonitorSw=1" >"$WORK/zelvaro.INI"
  DISPLAY="$xdisplay" "$WORK/zelvaro" >>"$WORK/app.log" 2>&1 &
  APP_PID=$!
  wait_for 30 eval '[ "$(pixel 640 300)" != 3050a0 ] && [ "$(pixel 1792 384)" != 3050a0 ]' ||
    fail "the wallpaper does not show on both outputs: $(pixel 640 300) and $(pixel 1792 384)"
  sleep 0.5
  [ -n "${ZELVARO_SWAY_SHOT:-}" ] && grim "$ZELVARO_SWAY_SHOT"
  local left right
  left=$(pixel 640 300)
  right=$(pixel 1792 384)
  case "$left$right" in
    ff00000000ff | 0000ffff0000) ;;
    *) fail "the outputs show $left and $right, not the two pictures" ;;
  esac
  # Each frame along its own output's edges, each colour just inside them.
  for probe in "5 1018 ffffff" "1274 5 ffffff" "1200 900 $left" "1285 5 ffffff" "2298 762 ffffff" \
    "2230 680 $right"; do
    set -- $probe
    [ "$(pixel "$1" "$2")" = "$3" ] || fail "at $1,$2 sway shows $(pixel "$1" "$2"), not $3"
  done
  kill -TERM "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  echo "ok"
}

sway_main 120 "$@"
