#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The clock on a real KDE Plasma 5.27 (kwin_wayland on a virtual output with
# Xwayland, plasmashell and powerdevil), through Xwayland: it stands at its
# saved place without a frame above an activated normal window; the
# rotation's picture is what Plasma shows (KWin's own screenshot reads it
# back); "ｾｰﾊﾞ停止" holds an inhibition powerdevil lists, dropped at a quit
# and at a kill -9 alike; the user's idle settings stay as they were;
# "ｾｰﾊﾞ起動" starts KDE's screen locker.
set -euo pipefail
SCRIPT=$(readlink -f "$0")
HERE=$(dirname "$SCRIPT")
source "$HERE/desktop_lib.sh"

LIBEXEC=/usr/lib/$(gcc -dumpmachine 2>/dev/null || echo x86_64-linux-gnu)/libexec

shell_pixel() { /usr/bin/python3 "$HERE/kwin_pixel.py" "$1" "$2" 2>/dev/null; }
shows() { [ "$(shell_pixel "$1" "$2")" = "$3" ]; }

# powerdevil lists an inhibition a few seconds after it is taken.
inhibitions() {
  dbus-send --session --print-reply --dest=org.kde.Solid.PowerManagement /org/kde/Solid/PowerManagement/PolicyAgent \
    org.kde.Solid.PowerManagement.PolicyAgent.ListInhibitions 2>/dev/null | grep -A1 'struct {' | sed -n 's/^ *string "\(.*\)"$/\1/p'
}
held() { inhibitions | grep -qx Zelvaro; }
locker_active() {
  dbus-send --session --print-reply --dest=org.freedesktop.ScreenSaver /org/freedesktop/ScreenSaver \
    org.freedesktop.ScreenSaver.GetActive 2>/dev/null | grep -q 'boolean true'
}

kde_start() {
  export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_DESKTOP=KDE XDG_SESSION_TYPE=wayland KDE_FULL_SESSION=true KDE_SESSION_VERSION=5
  mkdir -p "$XDG_CONFIG_HOME"
  # The locker would lock the idle test session; the user's idle settings
  # are powerdevil's, read back at the end.
  printf '[Daemon]\nAutolock=false\nLockOnResume=false\n' >"$XDG_CONFIG_HOME/kscreenlockerrc"
  # kwin_wayland carries a file capability that a sandbox may refuse to
  # grant: a copy has none.
  cp /usr/bin/kwin_wayland "$WORK/kwin_wayland"
  printf '#!/bin/sh\nenv >"%s/run/kwin.env"\nexec sleep 3600\n' "$WORK" >"$WORK/kwin-started"
  chmod +x "$WORK/kwin-started"
  KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 LIBGL_ALWAYS_SOFTWARE=1 "$WORK/kwin_wayland" --virtual --xwayland \
    --width 1280 --height 800 --socket wayland-zelvaro "$WORK/kwin-started" >"$WORK/run/kwin.log" 2>&1 &
  wait_for 30 test -s "$WORK/run/kwin.env" || fail "kwin_wayland did not start"
  export WAYLAND_DISPLAY=wayland-zelvaro
  DISPLAY=$(sed -n 's/^DISPLAY=//p' "$WORK/run/kwin.env")
  [ -n "$DISPLAY" ] || fail "kwin offers no Xwayland display"
  export DISPLAY
  "$LIBEXEC/kactivitymanagerd" >"$WORK/run/kactivitymanagerd.log" 2>&1 &
  wait_for 10 on_bus org.kde.ActivityManager || fail "kactivitymanagerd did not start"
  QT_QPA_PLATFORM=wayland plasmashell >"$WORK/run/plasmashell.log" 2>&1 &
  QT_QPA_PLATFORM=wayland "$LIBEXEC/org_kde_powerdevil" >"$WORK/run/powerdevil.log" 2>&1 &
  wait_for 30 on_bus org.kde.plasmashell || fail "plasmashell did not start"
  wait_for 30 on_bus org.kde.Solid.PowerManagement.PolicyAgent || fail "powerdevil did not start"
  wait_for 20 eval 'shell_pixel 10 10 >/dev/null' || fail "KWin takes no screenshots"
}

# KWin offers layer shell: the clock is a surface of its top layer, at its
# place above an activated window over the whole desktop (maximised; a
# fullscreen window goes above the top layer, as above a window kept above),
# and no Xwayland window.
layer_clock_part() {
  ini "[Location]" "OffsetX=200" "OffsetY=150" "OnTop=1"
  start_clock ZELVARO_LAYER_SHELL=1
  xlogo -geometry 1280x800+0+0 -bg white -fg white >/dev/null 2>&1 &
  local other=$! id=""
  wait_for 20 eval 'id=$(xdotool search --onlyvisible --classname "^xlogo$" 2>/dev/null | head -1); [ -n "$id" ]' ||
    fail "the other window did not appear"
  wmctrl -i -r "$id" -b add,maximized_vert,maximized_horz
  xdotool windowactivate --sync "$id" 2>/dev/null || fail "KWin did not activate the other window"
  wait_for 10 shows 1200 700 ffffff || fail "the maximised window does not show: $(shell_pixel 1200 700)"
  wait_for 20 shows 215 160 000000 || fail "the clock's face is not above the active window: $(shell_pixel 215 160)"
  shows 640 400 ffffff || fail "the maximised window does not show beside the clock"
  [ -z "$(clock_window)" ] || fail "on KWin the clock is also an Xwayland window"
  if [ -n "${ZELVARO_KDE_SHOT:-}" ]; then
    /usr/bin/python3 "$HERE/kwin_pixel.py" --save "$WORK/shot.raw" 1280 800 &&
      convert -size 1280x800 -depth 8 "bgra:$WORK/shot.raw" "$ZELVARO_KDE_SHOT"
  fi
  kill "$other"
  wait "$other" 2>/dev/null || true
  end_clock TERM
  grep -q '^OffsetX=200' zelvaro.INI && grep -q '^OffsetY=150' zelvaro.INI ||
    fail "the place was not kept on KWin: $(grep Offset zelvaro.INI | tr '\n' ' ')"
}

inside() {
  kde_start
  layer_clock_part
  # The clock as an Xwayland window from here on.
  export ZELVARO_LAYER_SHELL=0
  find "$XDG_CONFIG_HOME" -name powermanagementprofilesrc -exec cat {} + >"$WORK/idle-before" 2>/dev/null || true

  start_clock_rotating_red KWin

  # The rotation's picture, centred on the 1280x800 output, through plasmashell.
  wait_for 20 shows 800 530 ff0000 || fail "Plasma does not show the rotation's picture: $(shell_pixel 800 530)"
  shows 1200 700 ff0000 && fail "the centred picture covers the whole desktop"

  # A normal window, activated, under the clock: the clock stays above it.
  activate_other_window KWin
  wait_for 5 eval '[ "$(xdotool getactivewindow)" = "$OTHER_ID" ]' || fail "the other window is not active"
  local where
  where=$(xdotool getwindowgeometry "$OTHER_ID" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  wait_for 5 shows $((${where% *} + 250)) $((${where#* } + 300)) ffffff || fail "the other window does not show at $where"
  shows 209 159 000000 || fail "the activated window covers the clock's face: $(shell_pixel 209 159)"

  # "ｾｰﾊﾞ停止": powerdevil lists the inhibition until the clock quits, and after a restart until it is killed.
  saver_held_until_quit_and_kill 10 "powerdevil" 'inhibitions'
  kill "$OTHER_PID" 2>/dev/null || true

  find "$XDG_CONFIG_HOME" -name powermanagementprofilesrc -exec cat {} + >"$WORK/idle-after" 2>/dev/null || true
  cmp -s "$WORK/idle-before" "$WORK/idle-after" || fail "the user's idle settings changed"

  # "ｾｰﾊﾞ起動" last: KDE's screen locker starts (and stays over the screen).
  start_clock
  wait_for 30 clock_at 200 150 || fail "the clock did not come back at its place"
  clock_menu_item 200 150 "$SAVER_START_ITEM"
  wait_for 10 locker_active || fail "ｾｰﾊﾞ起動 did not start KDE's screen locker"
  end_clock TERM
  echo "ok"
}

desktop_main 120 kwin_wayland plasmashell Xwayland xdotool -- "$@"
