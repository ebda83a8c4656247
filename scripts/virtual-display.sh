# Sourced by scripts and end-to-end tests: a virtual X display with the
# openbox window manager, on the first free display number.
#   start_virtual_display [WIDTHxHEIGHT]   exports DISPLAY and XDG_RUNTIME_DIR
#   stop_virtual_display

start_virtual_display() {
  local size=${1:-1280x1024}
  # The server picks a free display number itself and reports it when it is
  # ready (-displayfd): scripts started at the same time cannot pick the same one.
  local numfile
  numfile=$(mktemp /tmp/zelvaro-display.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -noreset -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  ZELVARO_XVFB_PID=$!
  for _ in $(seq 200); do
    [ -s "$numfile" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(tr -dc 0-9 <"$numfile")"
  rm -f "$numfile"
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
