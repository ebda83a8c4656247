# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by every end-to-end test: runs the real program, copied into a
# scratch directory so its settings file lands there, on a virtual display
# with a window manager.
#   e2e_setup <path of the built zelvaro>   makes $WORK and $APP, starts the display
#   e2e_start [faketime spec]               starts $APP (under faketime when given), sets $APP_PID
#   e2e_window                              prints the clock window's id (waits for it)
#   e2e_close                               closes the clock window as the window manager does
#   e2e_ended_within <seconds>              true once the program has ended
#   e2e_window_named <title regex> [seconds] prints the id of a visible window so titled (waits, 20 s unless told)
#   e2e_window_gone <title regex>           true once no visible window has that title (waits up to 10 s)
#   e2e_keys <keys...>                      types the keys at a person's pace and lets them land
#   fail <message>                          ends the test red
set -euo pipefail
# The windows keep their written Japanese texts, by which the tests find them.
export LC_ALL=C.UTF-8
unset LANGUAGE
E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$E2E_ROOT/scripts/virtual-display.sh"

fail() {
  echo "FAIL: $*" >&2
  # What the program and the display were doing, so a red run explains itself.
  echo "  DISPLAY=${DISPLAY:-} program pid=${APP_PID:-none}" \
    "$( [ -n "${APP_PID:-}" ] && { kill -0 "$APP_PID" 2>/dev/null && echo running || echo ended; } )" >&2
  [ -s "${WORK:-/nonexistent}/stdout.log" ] && sed 's/^/  program: /' "$WORK/stdout.log" | tail -20 >&2
  wmctrl -l 2>/dev/null | sed 's/^/  window: /' >&2 || true
  exit 1
}

e2e_setup() {
  WORK=$(mktemp -d /tmp/zelvaro-e2e.XXXXXX)
  cp "$1" "$WORK/zelvaro"
  APP="$WORK/zelvaro"
  export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
  export XDG_DATA_HOME="$WORK/data" XDG_CONFIG_HOME="$WORK/config"
  # The virtual display alone: a compositor of the session running the tests
  # would get the clock's layer surface.
  unset WAYLAND_DISPLAY
  start_virtual_display "${E2E_SCREEN:-1280x1024}"
  trap e2e_teardown EXIT
}

# True once the program has ended, waiting up to $1 seconds.
e2e_ended_within() {
  for _ in $(seq $(($1 * 20))); do
    kill -0 "$APP_PID" 2>/dev/null || return 0
    sleep 0.05
  done
  return 1
}

e2e_teardown() {
  # The program ends before its display does, so no copy outlives the test
  # and holds its single-instance name when the display number comes round again.
  if [ -n "${APP_PID:-}" ]; then
    kill "$APP_PID" 2>/dev/null || true
    e2e_ended_within 5 || kill -KILL "$APP_PID" 2>/dev/null || true
  fi
  stop_virtual_display
  rm -rf "$WORK"
}

# The faketime wrapper runs the program as its child and leaves it running when
# it is killed itself; preloading the library makes $APP_PID the program.
FAKETIME_LIB=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1 || true)

e2e_start() {
  if [ -n "${1:-}" ]; then
    [ -n "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
    FAKETIME="$1" LD_PRELOAD="$FAKETIME_LIB" "$APP" >"$WORK/stdout.log" 2>&1 &
  else
    "$APP" >"$WORK/stdout.log" 2>&1 &
  fi
  APP_PID=$!
}

e2e_window() {
  # Up to 30 s: a loaded machine can take long to start the first Qt program.
  local id=""
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name '^Zelvaro$' 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  fail "no clock window appeared"
}

e2e_close() {
  wmctrl -i -c "$(e2e_window)"
  e2e_ended_within 10 && { wait "$APP_PID" 2>/dev/null || true; APP_PID=""; return 0; }
  fail "the program did not end after its window closed"
}

e2e_window_named() {
  local id=""
  for _ in $(seq $((${2:-20} * 20))); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}

e2e_window_gone() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  return 1
}

e2e_keys() { xdotool key --delay 120 "$@"; sleep 0.3; }
