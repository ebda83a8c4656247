# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that run a headless sway with Xwayland. A test
# defines inside() (run as the test user in sway's session, after
# sway_start) and ends with: sway_main <seconds> "$@".
# sway refuses to run as root, so as root a test runs its inside part as a
# system user of its own.
#
# sway_inside <seconds> <script> <work directory>: runs "<script> --inside
# <work>" as that user (or as the caller when not root), bounded in time, in
# the most private setting the machine allows:
# - best, mount and network namespaces of its own: its own /tmp/.X11-unix and
#   abstract sockets, so Xwayland's display is seen by nothing outside;
# - a root that is no mount point (a chroot) refuses that ("cannot change
#   root filesystem propagation"): then Xwayland shares /tmp/.X11-unix and
#   picks a free display number itself, in a network namespace of its own
#   where one can be had. Where /dev is a mount of its own whose shm folder
#   the user cannot write (a chroot with /dev bound without /dev/shm),
#   wlroots could not share a single buffer: a mount namespace that leaves
#   the mounts' propagation as it is gets a private tmpfs there.
# ZELVARO_SWAY_SHARED_X11=1 takes the second way on any machine. Returns the
# inside's status; 97 when the machine refuses the mounts it needs.
SWAY_TEST_USER=${ZELVARO_SWAY_USER:-zelvaro-e2e}

sway_inside() {
  local limit=$1 script=$2 work=$3
  if [ "$(id -u)" -ne 0 ]; then
    timeout -k 5 "$limit" "$script" --inside "$work"
    return
  fi
  id -u "$SWAY_TEST_USER" >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$SWAY_TEST_USER" ||
    { echo "cannot create the user $SWAY_TEST_USER that sway runs as" >&2; return 97; }
  # The user runs these tests alone, one at a time: whatever it still runs
  # (a sway and its swaybg an interrupted run left) would be counted as ours.
  pkill -KILL -u "$SWAY_TEST_USER" 2>/dev/null && echo "ended what an earlier run of $SWAY_TEST_USER left running" >&2
  chown -R "$SWAY_TEST_USER:" "$work"
  mkdir -p -m 1777 /tmp/.X11-unix
  local why=""
  if [ -z "${ZELVARO_SWAY_SHARED_X11:-}" ] && why=$(unshare --mount --net true 2>&1); then
    timeout -k 5 "$limit" unshare --mount --net -- sh -c '
      mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix || exit 97
      exec setpriv --reuid="$1" --regid="$1" --clear-groups -- "$2" --inside "$3"' \
      sh "$SWAY_TEST_USER" "$script" "$work"
    return
  fi
  local net=(--net)
  unshare --net true 2>/dev/null || net=()
  local shm=""
  [ "$(stat -c %a /dev/shm 2>/dev/null)" = 1777 ] || shm=yes
  echo "sway's user shares /tmp/.X11-unix${net[*]:+ (own network namespace)}${shm:+, /dev/shm of its own}${why:+: $why}" >&2
  timeout -k 5 "$limit" unshare --mount --propagation unchanged "${net[@]}" -- sh -c '
    if [ -n "$4" ]; then
      mountpoint -q /dev && mount --make-rprivate /dev && mount -t tmpfs -o mode=1777 tmpfs /dev/shm || exit 97
    fi
    exec setpriv --reuid="$1" --regid="$1" --clear-groups -- "$2" --inside "$3"' \
    sh "$SWAY_TEST_USER" "$script" "$work" "$shm"
}

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${WORK:-}" ]; then
    [ -s "$WORK/app.log" ] && sed 's/^/  program: /' "$WORK/app.log" | tail -20 >&2
    [ -s "$WORK/run/sway.log" ] && grep -E '\[ERROR\]' "$WORK/run/sway.log" | tail -10 | sed 's/^/  sway: /' >&2
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

pixel() {  # the colour (rrggbb) sway shows at <x> <y>
  grim -g "$1,$2 1x1" - 2>/dev/null | convert png:- -format '%[hex:p{0,0}]' info: 2>/dev/null | tr 'A-F' 'a-f' | cut -c1-6
}

# sway_main <seconds> (<built program> | --inside <work>): outside, a work
# directory with a copy of the program, and the inside run in it.
sway_main() {
  local limit=$1; shift
  if [ "${1:-}" = --inside ]; then
    WORK=$2
    cd "$WORK"
    inside
    return
  fi
  command -v sway >/dev/null && command -v grim >/dev/null && command -v Xwayland >/dev/null ||
    fail "sway, grim or Xwayland is not installed (scripts/install-deps installs them)"
  WORK=$(mktemp -d /tmp/zelvaro-sway.XXXXXX)
  trap 'rm -rf "$WORK"' EXIT
  chmod 755 "$WORK"
  cp "$1" "$WORK/zelvaro"
  local status=0
  sway_inside "$limit" "$(readlink -f "$0")" "$WORK" || status=$?
  case $status in
    0) ;;
    97) fail "the machine refuses the mounts sway's user needs (a tmpfs on /tmp/.X11-unix or /dev/shm)" ;;
    124 | 137) fail "out of time" ;;
    *) exit "$status" ;;  # the inside already said why
  esac
}

# sway_start <outputs> <config lines...>: a headless sway with that many
# outputs and Xwayland, in the work directory's session; exports SWAYSOCK and
# WAYLAND_DISPLAY, sets XDISPLAY to Xwayland's display and SWAY_PID.
sway_start() {
  local outputs=$1; shift
  mkdir -p -m 700 "$WORK/run"
  export XDG_RUNTIME_DIR="$WORK/run" HOME="$WORK" XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data"
  export SDL_AUDIODRIVER=dummy XDG_CURRENT_DESKTOP=sway XDG_SESSION_TYPE=wayland
  unset DISPLAY WAYLAND_DISPLAY SWAYSOCK QT_QPA_PLATFORM DBUS_SESSION_BUS_ADDRESS
  { echo "xwayland enable"; printf '%s\n' "$@"; echo "exec echo \"\$DISPLAY\" > $WORK/run/display"; } >"$WORK/sway.config"
  WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=$outputs WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -d -c "$WORK/sway.config" >"$WORK/run/sway.log" 2>&1 &
  SWAY_PID=$!
  trap 'kill "$SWAY_PID" 2>/dev/null; wait "$SWAY_PID" 2>/dev/null || true' EXIT
  wait_for 30 eval 'ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock >/dev/null 2>&1' || fail "sway did not start"
  SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock | head -1)
  WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-* | grep -v lock | head -1)
  export SWAYSOCK WAYLAND_DISPLAY
  wait_for 10 test -s "$WORK/run/display" || fail "sway ran no start-up command"
  XDISPLAY=$(cat "$WORK/run/display")
  [ -n "$XDISPLAY" ] || fail "sway offers no Xwayland display"
}
