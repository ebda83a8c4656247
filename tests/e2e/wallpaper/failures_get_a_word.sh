#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Wallpaper failures the program used to pass over in silence each give one
# box and one log line: a rotation folder whose pictures are all links that
# lead nowhere (one dangling, one a loop), and a desktop service that answers
# the wallpaper call with a D-Bus error (a stand-in plasmashell on a private
# session bus, as a running shell that cannot take the script).
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"
STAND_IN="$E2E_ROOT/tests/ui/platform/desktop_services_stand_in.py"

boxes() { xdotool search --onlyvisible --name '^情報$' 2>/dev/null | wc -l; }

# Waits for the one box, then a little longer for a second that must not come.
one_box() {  # <what>
  e2e_window_named '^情報$' 20 >/dev/null || fail "$1: no box"
  sleep 2
  [ "$(boxes)" -eq 1 ] || fail "$1: $(boxes) boxes"
}

quit() {
  kill "$APP_PID"
  e2e_ended_within 10 || fail "the program did not end"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}

# Links that lead nowhere.
mkdir -p "$WORK/links"
ln -s "$WORK/links/gone.jpg" "$WORK/links/dangling.jpg"
ln -s "$WORK/links/loop.bmp" "$WORK/links/loop.bmp"
wp_ini "[WallDir]" "WallDir1=$WORK/links" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" "StartWallChangeSw=1"
e2e_start
e2e_window >/dev/null
one_box "broken links"
[ "$(grep -c 'links that lead nowhere' "$WORK/stdout.log")" -eq 1 ] ||
  fail "broken links: not one log line: $(cat "$WORK/stdout.log")"
grep -q "cannot show $WORK/links: " "$WORK/stdout.log" || fail "the log line does not name the folder"
quit

# A plasmashell that answers with an error.
eval "$(dbus-daemon --session --fork --nopidfile --print-address=1 | sed 's/^/export DBUS_SESSION_BUS_ADDRESS=/')"
BUS_PID=$(pgrep -n -f "dbus-daemon --session --fork --nopidfile") || true
trap 'kill "$STAND_IN_PID" "$BUS_PID" 2>/dev/null || true; e2e_teardown' EXIT
/usr/bin/python3 "$STAND_IN" --log "$WORK/calls.log" --ready "$WORK/ready" --fail --name org.kde.plasmashell &
STAND_IN_PID=$!
for _ in $(seq 100); do [ -e "$WORK/ready" ] && break; sleep 0.1; done
[ -e "$WORK/ready" ] || fail "the stand-in plasmashell did not start"
mkdir -p "$WORK/pics"
wp_bmp "$WORK/pics/red.bmp" 64 48 ff0000
wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" "StartWallChangeSw=1"
XDG_CURRENT_DESKTOP=KDE e2e_start
e2e_window >/dev/null
one_box "plasmashell's error"
grep -q evaluateScript "$WORK/calls.log" || fail "plasmashell was not asked"
[ "$(grep -c 'answered with the error org.kde.PlasmaShell.Error: Widgets are locked' "$WORK/stdout.log")" -eq 1 ] ||
  fail "plasmashell's error: not one log line: $(cat "$WORK/stdout.log")"
[ "$(grep -c 'cannot show\|cannot convert' "$WORK/stdout.log")" -eq 0 ] || fail "logged twice: $(cat "$WORK/stdout.log")"
echo "ok"
