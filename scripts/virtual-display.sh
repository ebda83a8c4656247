# Sourced by scripts and end-to-end tests: a virtual X display with the
# openbox window manager, on the first free display number.
#   start_virtual_display [WIDTHxHEIGHT]   exports DISPLAY and XDG_RUNTIME_DIR
#   stop_virtual_display

start_virtual_display() {
  local size=${1:-1280x1024}
  local n=90
  while [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -noreset -nolisten tcp >/dev/null 2>&1 &
  ZELVARO_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
  done
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$(mktemp -d /tmp/zelvaro-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
  fi
  openbox >/dev/null 2>&1 &
  ZELVARO_WM_PID=$!
  for _ in $(seq 100); do
    wmctrl -m >/dev/null 2>&1 && break
    sleep 0.05
  done
}

stop_virtual_display() {
  [ -n "${ZELVARO_WM_PID:-}" ] && kill "$ZELVARO_WM_PID" 2>/dev/null || true
  [ -n "${ZELVARO_XVFB_PID:-}" ] && kill "$ZELVARO_XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}
