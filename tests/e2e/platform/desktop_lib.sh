# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that run a real desktop (XFCE, GNOME, KDE) headless.
# A test defines inside() (run in the desktop's private world, after the
# buses are up) and ends with: desktop_main <seconds> "$@".
#
# The inside runs as root (of a user namespace of its own when the caller is
# not root) in namespaces of its own, so nothing of the desktop is seen
# outside and nothing is left behind:
# - its own process tree: when the test ends, every program it started ends;
# - its own network: X servers' abstract sockets and displays are private;
# - its own /tmp (the work directory lives under /var/tmp), so a display
#   number a desktop insists on (mutter takes :0) is free;
# - /run/systemd hidden: without logind, desktops that find its seats
#   folder wait for a seat manager that never answers;
# - an empty system bus and a session bus of its own.
# Returns the inside's status; 97 when the machine refuses the namespaces.
# ZELVARO_DESKTOP_KEEP=<folder> keeps a failed run's work directory (the
# desktop's logs in run/) there.

fail() {
  echo "FAIL: $*" >&2
  [ -n "${ZELVARO_DESKTOP_KEEP:-}" ] && [ -n "${WORK:-}" ] && cp -r "$WORK" "$ZELVARO_DESKTOP_KEEP"
  if [ -n "${WORK:-}" ]; then
    [ -s "$WORK/app.log" ] && sed 's/^/  program: /' "$WORK/app.log" | tail -20 >&2
    local log
    for log in "$WORK"/run/*.log; do
      [ -s "$log" ] && tail -5 "$log" | sed "s|^|  $(basename "$log" .log): |" >&2
    done
  fi
  exit 1
}

wait_for() {  # <seconds> <command...>: true once the command succeeds
  local limit=$1; shift
  for _ in $(seq $((limit * 10))); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}

on_bus() {  # <name>: true while the name has an owner on the session bus
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null |
    grep -q 'boolean true'
}

x_pixel() {  # <x> <y>: the colour (rrggbb) the X display shows there
  import -display "$DISPLAY" -window root -crop "1x1+$1+$2" +repage png:- 2>/dev/null |
    convert png:- -format '%[hex:p{0,0}]' info: 2>/dev/null | tr 'A-F' 'a-f' | cut -c1-6
}

start_clock() {  # [env assignments...]: starts the clock in the desktop's session
  env "$@" "$WORK/zelvaro" >>"$WORK/app.log" 2>&1 &
  APP_PID=$!
}

end_clock() {  # <signal>: TERM saves the settings as a log-off does; KILL is a crash
  kill "-$1" "$APP_PID"
  wait_for 10 eval '! kill -0 "$APP_PID" 2>/dev/null' || fail "the clock did not end on SIG$1"
  wait "$APP_PID" 2>/dev/null || true
}

# The clock's X11 window (through Xwayland on the Wayland desktops).
clock_window() { xdotool search --onlyvisible --name '^Zelvaro$' 2>/dev/null | head -1; }
clock_at() {  # <x> <y>: the clock's window stands there
  local id
  id=$(clock_window)
  [ -n "$id" ] && xdotool getwindowgeometry "$id" | grep -q "Position: $1,$2 "
}
frame_of_clock() { xprop -id "$(clock_window)" _NET_FRAME_EXTENTS | sed 's/.* = //'; }

ini() { printf '%s\n' "$@" >"$WORK/zelvaro.INI"; }
bmp() { convert -size "$2x$3" "xc:#$4" -type TrueColor "BMP3:$1"; }

# The clock's command menu, opened with the options button (at the place's
# offset 124,19), and the item that many steps up from the bottom, chosen
# with Return.
clock_menu_item() {  # <x> <y> <steps up>
  xdotool mousemove "$(($1 + 124))" "$(($2 + 19))" click 1
  sleep 0.5
  local keys=() n
  for ((n = 0; n < $3; n++)); do keys+=(Up); done
  xdotool key --delay 80 "${keys[@]}"
  xdotool key Return
}
SAVER_STOP_ITEM=8   # "ｾｰﾊﾞ停止"
SAVER_START_ITEM=10 # "ｾｰﾊﾞ起動"

# The clock started at 200,150 on top, rotating a folder that holds one red
# 400x300 picture; it must come up through Xwayland at its place, unframed.
start_clock_rotating_red() {  # <window manager, for the message>
  mkdir -p "$WORK/red"
  bmp "$WORK/red/red.bmp" 400 300 ff0000
  ini "[Location]" "OffsetX=200" "OffsetY=150" "OnTop=1" \
    "[WallDir]" "WallDir1=$WORK/red" "[WallSw]" "WallChangeSw=1" "WallInterval=1:00:00" "StartWallChangeSw=1"
  start_clock
  wait_for 30 eval '[ -n "$(clock_window)" ]' || fail "no clock window in Xwayland"
  wait_for 10 clock_at 200 150 || fail "the clock is not at its place: $(xdotool getwindowgeometry "$(clock_window)")"
  local frame
  frame=$(frame_of_clock)
  [ "$frame" = "0, 0, 0, 0" ] || [ "$frame" = "_NET_FRAME_EXTENTS:  not found." ] || fail "$1 framed the clock: $frame"
}

# A normal window (a white xlogo at 100,100) activated under the clock at
# 200,150, which must stay above it. Sets OTHER_PID and OTHER_ID.
activate_other_window() {  # <window manager, for the message>
  xlogo -geometry 500x350+100+100 -bg white -fg white >/dev/null 2>&1 &
  OTHER_PID=$!
  OTHER_ID=""
  wait_for 20 eval 'OTHER_ID=$(xdotool search --onlyvisible --classname "^xlogo$" 2>/dev/null | head -1); [ -n "$OTHER_ID" ]' ||
    fail "the other window did not appear"
  xdotool windowactivate --sync "$OTHER_ID" 2>/dev/null || fail "$1 did not activate the other window"
}

# "ｾｰﾊﾞ停止" from the clock at 200,150: the test's held() sees the inhibitor
# until the clock quits, and again after a restart until it is killed.
saver_held_until_quit_and_kill() {  # <seconds> <who lists it> <command showing the list>
  clock_menu_item 200 150 "$SAVER_STOP_ITEM"
  wait_for "$1" held || fail "$2 lists no inhibitor of ours: $(eval "$3" 2>&1 | tr '\n' ' ')"
  end_clock TERM
  wait_for "$1" eval '! held' || fail "the inhibitor outlived the quit"
  start_clock
  wait_for 30 clock_at 200 150 || fail "the clock did not come back at its place"
  clock_menu_item 200 150 "$SAVER_STOP_ITEM"
  wait_for "$1" held || fail "no inhibitor after a restart"
  end_clock KILL
  wait_for "$1" eval '! held' || fail "the inhibitor outlived a kill -9"
}

# The buses: a system bus that offers nothing (the desktops' services for
# power and seats are absent, as in a container) and a session bus that
# starts the desktop's services on demand.
desktop_buses() {
  mkdir -p -m 700 "$WORK/run"
  cat >"$WORK/system-bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$WORK/run/system_bus_socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default"><allow user="*"/><allow own="*"/><allow send_destination="*"/><allow receive_sender="*"/><allow eavesdrop="true"/></policy>
</busconfig>
EOF
  dbus-daemon --config-file="$WORK/system-bus.conf" --fork --nopidfile 2>>"$WORK/run/buses.log" ||
    fail "the private system bus did not start"
  export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$WORK/run/system_bus_socket"
  eval "$(dbus-daemon --session --fork --nopidfile --print-address=1 2>>"$WORK/run/buses.log" |
    sed 's/^/export DBUS_SESSION_BUS_ADDRESS=/')"
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || fail "the session bus did not start"
}

# desktop_main <seconds> <needed commands...> -- (<built program> | --inside <work>)
desktop_main() {
  local limit=$1; shift
  local needed=()
  while [ "$1" != -- ]; do needed+=("$1"); shift; done
  shift
  if [ "${1:-}" = --inside ]; then
    WORK=$2
    cd "$WORK"
    export HOME="$WORK" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache"
    export XDG_RUNTIME_DIR="$WORK/run" SDL_AUDIODRIVER=dummy LC_ALL=C.UTF-8 NO_AT_BRIDGE=1
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
    unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION XDG_SESSION_TYPE HYPRLAND_INSTANCE_SIGNATURE
    desktop_buses
    inside
    return
  fi
  local command
  for command in "${needed[@]}"; do
    command -v "$command" >/dev/null || fail "$command is not installed (scripts/install-deps installs it)"
  done
  # A user other than root becomes root of a user namespace of its own.
  local as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(--user --map-root-user)
  WORK=$(mktemp -d /var/tmp/zelvaro-desktop.XXXXXX)
  trap 'rm -rf "$WORK"' EXIT
  cp "$1" "$WORK/zelvaro"
  # The test and its helpers go along: the private /tmp hides a checkout
  # that lives under /tmp.
  local here
  here=$(dirname "$(readlink -f "$0")")
  mkdir "$WORK/tests"
  cp "$here"/*.sh "$here"/*.py "$WORK/tests/"
  # A chroot's root is no mount point, so its mounts' propagation cannot be
  # made private ("cannot change root filesystem propagation"): there the
  # namespace keeps the propagation it has, and a private mount that reached
  # the outside (where that root's mount is shared) is taken down after.
  local propagation=() tmp_mounted=no run_mounted=no
  if ! unshare "${as_root[@]}" --mount true 2>/dev/null &&
    unshare "${as_root[@]}" --mount --propagation unchanged true 2>/dev/null; then
    propagation=(--propagation unchanged)
    mountpoint -q /tmp && tmp_mounted=yes
    mountpoint -q /run/systemd 2>/dev/null && run_mounted=yes
  fi
  local status=0
  timeout -k 5 "$limit" unshare "${as_root[@]}" --pid --fork --kill-child --mount-proc --mount "${propagation[@]}" --net -- sh -c '
    mount -t tmpfs -o mode=1777 tmpfs /tmp || exit 97
    mkdir -m 1777 /tmp/.X11-unix /tmp/.ICE-unix
    if [ -d /run/systemd ]; then mount -t tmpfs tmpfs /run/systemd || exit 97; fi
    "$1" --inside "$2"' sh "$WORK/tests/$(basename "$0")" "$WORK" || status=$?
  if [ ${#propagation[@]} -gt 0 ]; then
    [ "$tmp_mounted" = yes ] || ! mountpoint -q /tmp || umount -l /tmp || true
    [ "$run_mounted" = yes ] || ! mountpoint -q /run/systemd 2>/dev/null || umount -l /run/systemd || true
  fi
  case $status in
    0) ;;
    97) fail "the machine refuses the namespaces the desktop runs in" ;;
    124 | 137) fail "out of time" ;;
    *) exit "$status" ;;  # the inside already said why
  esac
}
