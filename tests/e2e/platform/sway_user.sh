# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the tests that run a headless sway. sway refuses to run as root,
# so as root a test runs its inside part as a system user of its own.
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
SWAY_TEST_USER=zelvaro-e2e

sway_inside() {
  local limit=$1 script=$2 work=$3
  if [ "$(id -u)" -ne 0 ]; then
    timeout -k 5 "$limit" "$script" --inside "$work"
    return
  fi
  id -u "$SWAY_TEST_USER" >/dev/null 2>&1 ||
    useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$SWAY_TEST_USER" ||
    { echo "cannot create the user $SWAY_TEST_USER that sway runs as" >&2; return 97; }
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
