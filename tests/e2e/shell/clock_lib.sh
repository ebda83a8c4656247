# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the clock window's end-to-end tests (sourced after ../lib.sh).
#   clock_menu <keys...>   opens the command menu with the options button, then types the keys
#   window_state <id>      prints the window's _NET_WM_STATE
#   window_xy <id>         prints "x y" of the window

clock_menu() {
  local id x y
  id=$(xdotool search --onlyvisible --name "${CLOCK_TITLE:-^Zelvaro\$}" | tail -1)
  read -r x y < <(window_xy "$id")
  xdotool mousemove $((x + 124)) $((y + 19)) click 1
  sleep 0.4
  xdotool key --delay 80 "$@"
  sleep 0.4
}

window_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null || true; }

window_xy() {
  xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}
