#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The clock on a layer surface of a headless sway: sway makes a surface of the
# program's in the top layer at the saved place, a tiled window covering the
# workspace stays beneath it, no Xwayland window of the clock is mapped. A
# drag on its panel moves it and "終了" saves the new place; the options button
# and Shift+F10 open the command menu below it, the right button the options
# dialog, which gets the keyboard; "OnTop" off there, or at a start, puts it
# in the bottom layer, under the window; at scale 2 it keeps its place. The
# wallpaper is the program's background surface, no swaybg of its own; the
# panic picture cross-fades in. kill -9 leaves no surface. A pointer and a
# keyboard are played through sway's virtual devices (zelvaro_wayland_input).
set -euo pipefail
SCRIPT=$(readlink -f "$0")
HERE=$(dirname "$SCRIPT")
source "$HERE/sway_lib.sh"

shows() { [ "$(pixel "$1" "$2")" = "$3" ]; }

start_clock() {
  env "$@" "$WORK/zelvaro" >>"$WORK/app.log" 2>&1 &
  APP_PID=$!
}

bmp() { convert -size "$2x$3" "xc:#$4" -type TrueColor "BMP3:$1"; }
# The swaybg processes that show a picture of the test's (sway's own shows its colour).
our_swaybg() { ps -u "$(id -u)" -o stat=,args= | awk -v w="$WORK" '$1 !~ /^Z/ && $2 ~ /swaybg$/ && index($0, w)'; }

input() { "$INPUT" "$@" || fail "the pointer or keyboard could not be played"; }

ini() { printf '%s\n' "$@" >"$WORK/zelvaro.INI"; }
# sway's log names each layer surface it maps, with its namespace and layer.
layer_surfaces() { grep -c "namespace zelvaro-clock" "$WORK/run/sway.log" || true; }
clock_window() { swaymsg -t get_tree | python3 "$HERE/sway_tree.py" "$APP_PID"; }

inside() {
  sway_start 1 "output HEADLESS-1 resolution 1280x1024 position 0 0 bg #3050a0 solid_color" "default_border none"
  local xdisplay=$XDISPLAY
  wait_for 10 shows 640 512 3050a0 || fail "sway's own background does not show: $(pixel 640 512)"

  mkdir -p "$WORK/red" "$WORK/green"
  bmp "$WORK/red/red.bmp" 400 300 ff0000
  bmp "$WORK/green/green.bmp" 400 300 00ff00
  ini "[Location]" "OffsetX=200" "OffsetY=150" "OnTop=1" \
    "[WallDir]" "WallDir1=$WORK/red" "PanicWallPaper=$WORK/green/green.bmp" "[WallSw]" "WallChangeSw=1" "WallInterval=1:00:00" "StartWallChangeSw=1"
  start_clock DISPLAY="$xdisplay"
  # The face's black shows at the place, the panel's grey round it.
  wait_for 30 shows 215 160 000000 || fail "the clock's face does not show at its place: $(pixel 215 160)"
  shows 201 151 3050a0 && fail "the panel does not show at the place's corner"
  grep -q "zelvaro-clock" "$WORK/run/sway.log" || fail "sway made no layer surface of the clock"
  [ -z "$(clock_window)" ] || fail "the clock is also a window: $(clock_window)"
  # The wallpaper on the program's background surface, centred on black.
  wait_for 20 shows 640 512 ff0000 || fail "the wallpaper does not show: $(pixel 640 512)"
  shows 10 10 000000 || fail "round the centred picture: $(pixel 10 10)"
  grep -q "zelvaro-wallpaper" "$WORK/run/sway.log" || fail "sway made no background surface of the program's"
  [ -z "$(our_swaybg)" ] || fail "swaybg was started: $(our_swaybg)"
  [ -n "${ZELVARO_SWAY_SHOT:-}" ] && grim "$ZELVARO_SWAY_SHOT"

  # A tiled window over the whole workspace stays beneath the clock.
  local other
  DISPLAY="$xdisplay" xlogo -bg white -fg white >/dev/null 2>&1 &
  other=$!
  wait_for 20 shows 640 900 ffffff || fail "the other window does not show: $(pixel 640 900)"
  shows 215 160 000000 || fail "the other window covers the clock: $(pixel 215 160)"
  kill "$other"
  wait "$other" 2>/dev/null || true

  # The panic button: the panic picture cross-fades in (a blend shows on the
  # way), then only it shows.
  input move 352 169 press 272 release 272
  local seen="" colour
  for _ in $(seq 40); do
    colour=$(pixel 640 512)
    seen="$seen $colour"
    [ "$colour" = 00ff00 ] && break
  done
  wait_for 5 shows 640 512 00ff00 || fail "the panic picture does not show: $(pixel 640 512)"
  echo "$seen" | tr ' ' '\n' | grep -qvE '^(ff0000|00ff00|)$' || fail "no blend showed on the way: $seen"
  [ -n "${ZELVARO_SWAY_SHOT:-}" ] && echo "colours during the fade:$seen"

  # A drag on the panel round the face moves the clock; the place is saved.
  input move 202 152 press 272 move 250 200 move 302 252 release 272
  wait_for 5 shows 315 260 000000 || fail "the drag did not move the clock: $(pixel 315 260)"
  shows 203 153 000000 || fail "the clock still shows at its old place: $(pixel 203 153)"
  [ -n "${ZELVARO_SWAY_SHOT:-}" ] && grim "${ZELVARO_SWAY_SHOT%.png}-dragged.png"
  # The options button opens the command menu below the clock, where the
  # surface does not cover it; Shift+F10 opens it too once a click on the
  # panel gave the clock the keyboard.
  shows 470 300 000000 || fail "something shows below the clock before the menu: $(pixel 470 300)"
  input move 424 269 press 272 release 272
  wait_for 5 eval '! shows 470 300 000000' || fail "the options button opened no menu below the clock"
  [ -n "${ZELVARO_SWAY_SHOT:-}" ] && grim "${ZELVARO_SWAY_SHOT%.png}-menu.png"
  DISPLAY="$xdisplay" xdotool key Escape
  wait_for 5 shows 470 300 000000 || fail "Escape did not close the menu: $(pixel 470 300)"
  input move 302 252 press 272 release 272 key shift+68
  wait_for 5 eval '! shows 470 300 000000' || fail "Shift+F10 opened no menu"
  DISPLAY="$xdisplay" xdotool key Escape
  wait_for 5 shows 470 300 000000 || fail "Escape did not close the menu: $(pixel 470 300)"
  # The right button on the options button opens the options dialog, a
  # window that gets the keyboard: "Zelvaro前面表示" off there puts the clock
  # in the bottom layer, beneath a tiled window, and on again above it.
  on_top_item() {  # <OnTop value it leads to>
    input move 424 269 press 273 release 273
    wait_for 10 eval 'DISPLAY="$xdisplay" xdotool search --onlyvisible --name "^Zelvaroの設定$" >/dev/null 2>&1' ||
      fail "the right button on the options button opened no options dialog"
    sleep 0.5
    # Second page (the focus goes to its first control), seven Tabs on: 前面表示; then OK.
    DISPLAY="$xdisplay" xdotool key --delay 100 ctrl+Tab Tab Tab Tab Tab Tab Tab space Return
    wait_for 5 grep -q "^OnTop=$1" zelvaro.INI || fail "前面表示 did not reach the settings: $(grep OnTop zelvaro.INI)"
  }
  on_top_item 0
  DISPLAY="$xdisplay" xlogo -bg white -fg white >/dev/null 2>&1 &
  other=$!
  wait_for 20 shows 315 260 ffffff || fail "a window does not cover the clock with 前面表示 off: $(pixel 315 260)"
  kill "$other"
  wait "$other" 2>/dev/null || true
  wait_for 5 shows 315 260 000000 || fail "the clock does not show again: $(pixel 315 260)"
  on_top_item 1
  # "終了", the menu's last item: the program ends and saves the place it was dragged to.
  input move 424 269 press 272 release 272 wait 700
  DISPLAY="$xdisplay" xdotool key --delay 100 Up Return
  wait_for 10 eval '! kill -0 "$APP_PID" 2>/dev/null' || fail "終了 did not end the program"
  wait "$APP_PID" 2>/dev/null || true
  # sway's own background keeps the last picture once the program's surface is gone.
  wait_for 10 eval 'shows 640 512 00ff00 || shows 640 512 ff0000' ||
    fail "after 終了 the desktop lost its picture: $(pixel 640 512)"
  grep -q '^OffsetX=300' zelvaro.INI && grep -q '^OffsetY=250' zelvaro.INI ||
    fail "the place dragged to was not saved: $(grep Offset zelvaro.INI | tr '\n' ' ')"
  # "OnTop" off: the bottom layer, beneath a tiled window.
  sed -i 's/^OnTop=.*/OnTop=0/' zelvaro.INI
  start_clock DISPLAY="$xdisplay"
  wait_for 30 shows 315 260 000000 || fail "the clock's face does not show after a restart: $(pixel 315 260)"
  wait_for 5 eval '! shows 303 253 000000' || fail "the clock's panel does not show after a restart: $(pixel 303 253)"
  grep -q "namespace zelvaro-clock layer 1 " "$WORK/run/sway.log" ||
    fail "the clock is not in the bottom layer: $(grep -o "namespace zelvaro-clock layer [0-9]" "$WORK/run/sway.log" | tr "\n" " ")"
  DISPLAY="$xdisplay" xlogo -bg white -fg white >/dev/null 2>&1 &
  other=$!
  wait_for 20 shows 315 260 ffffff || fail "a window does not cover the clock with 前面表示 off: $(pixel 315 260)"
  kill "$other"
  wait "$other" 2>/dev/null || true

  # At scale 2 the clock keeps its place in the layout, drawn at the output's scale.
  swaymsg -q "output HEADLESS-1 scale 2"
  wait_for 10 shows 315 260 000000 || fail "at scale 2 the face is not at its place: $(pixel 315 260)"
  shows 303 253 000000 && fail "at scale 2 the panel is not at its place"
  [ -n "${ZELVARO_SWAY_SHOT:-}" ] && grim "${ZELVARO_SWAY_SHOT%.png}-scale2.png"
  swaymsg -q "output HEADLESS-1 scale 1"

  # kill -9: the compositor removes the surfaces with the connection.
  kill -KILL "$APP_PID"
  wait "$APP_PID" 2>/dev/null || true
  wait_for 5 eval '! shows 640 512 ff0000' || fail "the wallpaper surface outlived the program"
  # Where the clock was (its panel and face differ) shows the background around it.
  local around
  around=$(pixel 290 240)
  shows 303 253 "$around" && shows 315 260 "$around" ||
    fail "the clock's surface outlived the program: $(pixel 303 253) $(pixel 315 260) beside $around"
  echo "ok"
}

# Plays the pointer and the keys: built beside the program.
[ "${1:-}" = --inside ] || export INPUT="$(dirname "$(readlink -f "$1")")/zelvaro_wayland_input"
sway_main 300 "$@"
