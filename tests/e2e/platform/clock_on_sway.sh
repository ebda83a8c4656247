#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The clock in a real compositor: a headless sway with Xwayland. The clock
# floats at its saved place without a border on every workspace, above a
# tiled window; moved by sway, it keeps its new place; the wallpaper of the rotation replaces sway's own
# background (a screenshot shows it), and after a restart only the new one
# shows with one swaybg running; "ｾｰﾊﾞ停止" holds sway's idle inhibitor on the
# window and switching back drops it, and both survive "Zelvaro前面表示"
# switched off and on (the window mapped anew); without Xwayland the clock starts
# natively and keeps its saved place on quit.
#
# As root the inside runs as a system user of its own, as privately as the
# machine allows (sway_lib.sh). Everything is bounded in time.
set -euo pipefail
SCRIPT=$(readlink -f "$0")
HERE=$(dirname "$SCRIPT")
source "$HERE/sway_lib.sh"

shows() { [ "$(pixel "$1" "$2")" = "$3" ]; }

window_line() { swaymsg -t get_tree | python3 "$HERE/sway_tree.py" "$APP_PID"; }
window() { window_line | cut -d' ' -f1-6; }
x11_id() { window_line | cut -d' ' -f7; }
window_is() { [ "$(window)" = "$1" ]; }
has_window() { [ -n "$(window)" ]; }

start_clock() {  # [env assignments...]: starts the clock in sway's session
  # As a window through Xwayland, as where the compositor offers no layer
  # surfaces (layer_clock_on_sway.sh tests the surface).
  env "$@" ZELVARO_LAYER_SHELL=0 "$WORK/zelvaro" >>"$WORK/app.log" 2>&1 &
  APP_PID=$!
}

quit_clock() {  # a termination signal saves the settings, as a log-off does
  kill -TERM "$APP_PID"
  wait_for 10 eval '! kill -0 "$APP_PID" 2>/dev/null' || fail "the clock did not end on SIGTERM"
  wait "$APP_PID" 2>/dev/null || true
}

live_swaybg() {  # the swaybg processes of this user that have not ended
  ps -u "$(id -u)" -o stat=,pid=,args= | awk '$1 !~ /^Z/ && $3 ~ /(^|\/)swaybg$/ { print $2 }'
}

ini() { printf '%s\n' "$@" >"$WORK/zelvaro.INI"; }
bmp() { convert -size "$2x$3" "xc:#$4" -type TrueColor "BMP3:$1"; }

inside() {
  # sway's own background, a colour the pictures below do not have.
  sway_start 1 "output HEADLESS-1 resolution 1280x1024 position 0 0 bg #3050a0 solid_color" "default_border normal"
  local xdisplay=$XDISPLAY
  wait_for 10 shows 640 512 3050a0 || fail "sway's own background does not show: $(pixel 640 512)"

  # Xwayland, at its saved place, with a centred red rotation picture.
  mkdir -p "$WORK/red" "$WORK/green"
  bmp "$WORK/red/red.bmp" 400 300 ff0000
  bmp "$WORK/green/green.bmp" 400 300 00ff00
  ini "[Location]" "OffsetX=200" "OffsetY=150" "OnTop=1" \
    "[WallDir]" "WallDir1=$WORK/red" "[WallSw]" "WallChangeSw=1" "WallInterval=1:00:00" "StartWallChangeSw=1"
  start_clock DISPLAY="$xdisplay"
  wait_for 30 has_window || fail "no clock window in sway's tree"
  wait_for 10 window_is "floating_con 200 150 none true none" || fail "the clock does not float at its place: $(window)"
  wait_for 20 shows 640 512 ff0000 || fail "the wallpaper does not show where sway's background was: $(pixel 640 512)"
  shows 10 10 3050a0 && fail "sway's background still shows around the centred picture"

  # "ｾｰﾊﾞ停止" and back: sway's idle inhibitor on the window.
  saver_item() {
    # The options button opens the command menu; the saver item is eighth from the bottom.
    DISPLAY="$xdisplay" xdotool mousemove 324 169 click 1
    sleep 0.5
    DISPLAY="$xdisplay" xdotool key --delay 80 Up Up Up Up Up Up Up Up Return
  }
  saver_item
  wait_for 5 window_is "floating_con 200 150 none true open" || fail "ｾｰﾊﾞ停止 did not inhibit idle: $(window)"

  # "Zelvaro前面表示" off and on in the options dialog: Qt maps the clock as a
  # new X11 window each time, and sway is told again what it was told.
  on_top_item() {  # <OnTop value it leads to>
    local before
    before=$(x11_id)
    DISPLAY="$xdisplay" xdotool mousemove 324 169 click 3    # right button: the options dialog
    wait_for 10 eval 'DISPLAY="$xdisplay" xdotool search --onlyvisible --name "^Zelvaroの設定$" >/dev/null 2>&1' ||
      fail "the options dialog did not open"
    sleep 0.5
    # Second page (the focus goes to its first control), seven Tabs on: 前面表示; then OK.
    DISPLAY="$xdisplay" xdotool key --delay 100 ctrl+Tab Tab Tab Tab Tab Tab Tab space Return
    wait_for 5 grep -q "^OnTop=$1" zelvaro.INI || fail "前面表示 did not reach the settings: $(grep OnTop zelvaro.INI)"
    wait_for 5 eval '[ -n "$(x11_id)" ] && [ "$(x11_id)" != "$before" ]' ||
      fail "the clock was not mapped anew: $(window_line) (was $before)"
  }
  on_top_item 0
  wait_for 5 window_is "floating_con 200 150 none true open" || fail "after 前面表示 off: $(window)"
  on_top_item 1
  wait_for 5 window_is "floating_con 200 150 none true open" || fail "after 前面表示 on: $(window)"
  saver_item
  wait_for 5 window_is "floating_con 200 150 none true none" || fail "switching back left the inhibitor: $(window)"

  # Moved by sway (as a drag or the keyboard moves it), the new place is
  # what is saved. (A headless sway has no pointer device, and its "seat
  # cursor move" does not drive an interactive move, so the drag itself is
  # not played here.) A person moves it seconds after it appeared: a move
  # while the window is being mapped is the window manager's own placing.
  sleep 3.5
  swaymsg -q "[pid=$APP_PID] move absolute position 300 200"
  wait_for 5 window_is "floating_con 300 200 none true none" || fail "sway did not move the clock: $(window)"

  # Another window, tiled over the whole workspace, stays beneath the clock.
  DISPLAY="$xdisplay" xlogo -bg white -fg white >/dev/null 2>&1 &
  local other=$!
  other_tiled() { swaymsg -t get_tree | python3 "$HERE/sway_tree.py" "$other" | grep -q '^con '; }
  wait_for 20 other_tiled || fail "the other window was not tiled: $(swaymsg -t get_tree | python3 "$HERE/sway_tree.py" "$other")"
  wait_for 5 shows 640 900 ffffff || fail "the other window does not show: $(pixel 640 900)"
  [ -n "${ZELVARO_SWAY_SHOT:-}" ] && grim "$ZELVARO_SWAY_SHOT"
  shows 309 209 000000 || fail "the other window covers the clock's face: $(pixel 309 209)"
  kill "$other"
  wait "$other" 2>/dev/null || true
  quit_clock
  grep -q '^OffsetX=300' zelvaro.INI && grep -q '^OffsetY=200' zelvaro.INI ||
    fail "the place sway moved it to was not saved: $(grep Offset zelvaro.INI | tr '\n' ' ')"

  # A restart with another picture: only that one shows, one swaybg runs.
  sed -i "s|^WallDir1=.*|WallDir1=$WORK/green|" zelvaro.INI
  start_clock DISPLAY="$xdisplay"
  wait_for 20 shows 640 512 00ff00 || fail "the new wallpaper does not show after a restart: $(pixel 640 512)"
  wait_for 5 eval '[ "$(live_swaybg | wc -l)" = 1 ]' || fail "swaybg processes: $(live_swaybg | tr '\n' ' ')"
  quit_clock

  # No Xwayland: natively on Wayland; the saved place stays.
  ini "[Location]" "OffsetX=321" "OffsetY=123"
  start_clock -u DISPLAY
  wait_for 30 has_window || fail "the clock did not start without Xwayland"
  sleep 1
  kill -0 "$APP_PID" 2>/dev/null || fail "the clock ended without Xwayland"
  quit_clock
  grep -q '^OffsetX=321' zelvaro.INI && grep -q '^OffsetY=123' zelvaro.INI ||
    fail "the saved place was overwritten: $(grep Offset zelvaro.INI | tr '\n' ' ')"
  echo "ok"
}

sway_main 300 "$@"
