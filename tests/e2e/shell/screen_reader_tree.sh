#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program as a screen reader finds it over AT-SPI, on a session bus of its
# own with the accessibility bus it starts: the clock a frame named Zelvaro
# with its time as description; the calendar's month a table of day cells,
# each named with its date; no control in the clock, the calendar or the
# options read with an access-key "&" or a caption's colon.
if [ -z "${ZELVARO_OWN_SESSION_BUS:-}" ]; then
  ZELVARO_OWN_SESSION_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
source "$(dirname "$0")/../lib.sh"
E2E_SCREEN=800x600 e2e_setup "$1"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
printf '[Location]\nOffsetX=100\nOffsetY=100\n' >"$WORK/zelvaro.INI"
WALK="$(dirname "$0")/accessible_tree.py"

# Opens the command menu on the clock and goes $1 items up from its end.
menu_item() {
  xdotool windowactivate --sync "$clock" 2>/dev/null || true
  sleep 0.2
  e2e_keys shift+F10
  e2e_keys $(printf 'Up %.0s' $(seq "$1")) Return
}
# The Debian package's module, whichever python3 comes first on the path.
walk() { timeout 60 /usr/bin/python3 "$WALK" "$1" || fail "the $1 as a screen reader finds it (above)"; }

e2e_start "@2026-12-07 13:58:30"
clock=$(e2e_window)
walk clock

menu_item 7
id=$(e2e_window_named '^Zelvaro のカレンダー$') || fail "the calendar did not open"
walk calendar
xdotool windowactivate --sync "$id" 2>/dev/null || true
e2e_keys Escape

menu_item 5
id=$(e2e_window_named '^Zelvaroの設定$') || fail "the options did not open"
walk options
xdotool windowactivate --sync "$id" 2>/dev/null || true
e2e_keys Escape
kill -0 "$APP_PID" || fail "the program ended"
echo "PASS"
