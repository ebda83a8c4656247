# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by scripts and end-to-end tests: a virtual X display with the
# openbox window manager, on the first free display number.
#   start_virtual_display [WIDTHxHEIGHT]   exports DISPLAY, XDG_RUNTIME_DIR and XDG_SESSION_TYPE=x11
#   stop_virtual_display

start_virtual_display() {
  local size=${1:-1280x1024}
  # The server picks a free display number itself and reports it when it is
  # ready (-displayfd): scripts started at the same time cannot pick the same one.
  local numfile
  numfile=$(mktemp /tmp/zelvaro-display.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  ZELVARO_XVFB_PID=$!
  # A loaded machine can take many seconds to start the server.
  local number=""
  for _ in $(seq 600); do
    number=$(tr -dc 0-9 <"$numfile")
    [ -n "$number" ] && break
    kill -0 "$ZELVARO_XVFB_PID" 2>/dev/null || break
    sleep 0.05
  done
  rm -f "$numfile"
  if [ -z "$number" ]; then
    echo "virtual display: Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$number"
  # A plain X11 session with openbox, whatever session this runs from: the
  # program must not take it for the caller's GNOME, KDE or Wayland desktop.
  export XDG_SESSION_TYPE=x11
  unset WAYLAND_DISPLAY XDG_CURRENT_DESKTOP DESKTOP_SESSION
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$(mktemp -d /tmp/zelvaro-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
  fi
  # The window manager runs its start-up command once it manages windows.
  # Until then a program's first window can be lost between the manager's
  # start-up scan and its event loop (it stays unmapped), and checking for
  # _NET_SUPPORTING_WM_CHECK alone is too early: that is set at the start.
  local ready
  ready=$(mktemp -u /tmp/zelvaro-wm-ready.XXXXXX)
  openbox --startup "touch $ready" >/dev/null 2>&1 &
  ZELVARO_WM_PID=$!
  for _ in $(seq 600); do
    [ -e "$ready" ] && break
    kill -0 "$ZELVARO_WM_PID" 2>/dev/null || break
    sleep 0.05
  done
  if [ ! -e "$ready" ]; then
    echo "virtual display: the window manager did not start" >&2
    return 1
  fi
  rm -f "$ready"
}

stop_virtual_display() {
  [ -n "${ZELVARO_WM_PID:-}" ] && kill "$ZELVARO_WM_PID" 2>/dev/null || true
  [ -n "${ZELVARO_XVFB_PID:-}" ] && kill "$ZELVARO_XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}
