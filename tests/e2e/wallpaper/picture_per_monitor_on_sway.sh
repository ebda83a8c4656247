#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A picture per monitor in a real compositor: a headless sway with two
# outputs of different sizes and Xwayland. With "WallPerMonitorSw" on, the
# rotation's change gives each output its own picture, stretched to that
# output's size (its white frame along the output's edges), where sway's own
# background was.
#
# As root the inside runs as a system user of its own, as privately as the
# machine allows (sway_user.sh). Everything is bounded in time.
set -euo pipefail
SCRIPT=$(readlink -f "$0")
source "$(dirname "$SCRIPT")/../platform/sway_user.sh"

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${WORK:-}" ]; then
    [ -s "$WORK/app.log" ] && sed 's/^/  program: /' "$WORK/app.log" | tail -20 >&2
    [ -s "$WORK/run/sway.log" ] && grep -E '\[ERROR\]' "$WORK/run/sway.log" | tail -10 | sed 's/^/  sway: /' >&2
  fi
  exit 1
}

outside() {
  command -v sway >/dev/null && command -v grim >/dev/null && command -v Xwayland >/dev/null ||
    fail "sway, grim or Xwayland is not installed (scripts/install-deps installs them)"
  WORK=$(mktemp -d /tmp/zelvaro-sway.XXXXXX)
  trap 'rm -rf "$WORK"' EXIT
  chmod 755 "$WORK"
  cp "$1" "$WORK/zelvaro"
  sway_inside 120 "$SCRIPT" "$WORK" || {
    status=$?
    case $status in
      97) fail "the machine refuses the mounts sway's user needs (a tmpfs on /tmp/.X11-unix or /dev/shm)" ;;
      124 | 137) fail "out of time" ;;
      *) exit "$status" ;;  # the inside already said why
    esac
  }
}

wait_for() {  # <seconds> <command...>: true once the command succeeds
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

pixel() {  # the colour (rrggbb) sway shows at <x> <y>
  grim -g "$1,$2 1x1" - 2>/dev/null | convert png:- -format '%[hex:p{0,0}]' info: 2>/dev/null | tr 'A-F' 'a-f' | cut -c1-6
}

inside() {
  WORK=$1
  cd "$WORK"
  mkdir -p -m 700 "$WORK/run"
  export XDG_RUNTIME_DIR="$WORK/run" HOME="$WORK" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
  export SDL_AUDIODRIVER=dummy XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland
  unset DISPLAY WAYLAND_DISPLAY SWAYSOCK QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
  cat >"$WORK/sway.config" <<CONF
xwayland enable
output HEADLESS-1 resolution 1280x1024 position 0 0 bg #3050a0 solid_color
output HEADLESS-2 resolution 1024x768 position 1280 0 bg #3050a0 solid_color
exec echo "\$DISPLAY" > "$WORK/run/display"
CONF
  WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -d -c "$WORK/sway.config" >"$WORK/run/sway.log" 2>&1 &
  SWAY_PID=$!
  trap 'kill "$SWAY_PID" 2>/dev/null; wait "$SWAY_PID" 2>/dev/null || true' EXIT
  wait_for 30 eval 'ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock >/dev/null 2>&1' || fail "sway did not start"
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -1)
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-* | grep -v lock | head -1)
  export SWAYSOCK WAYLAND_DISPLAY
  wait_for 10 test -s "$WORK/run/display" || fail "sway ran no start-up command"
  local xdisplay
  xdisplay=$(cat "$WORK/run/display")
  [ -n "$xdisplay" ] || fail "sway offers no Xwayland display"
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

if [ "${1:-}" = --inside ]; then
  inside "$2"
else
  outside "$1"
fi
