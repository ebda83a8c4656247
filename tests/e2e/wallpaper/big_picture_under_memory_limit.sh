#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Under a 200 MB address space limit an 8000 x 6000 JPEG cannot be shown (its
# bitmap alone is 144 MB; the program idles at about 135 MB): one box says
# so, the log names the file once (the rotation does not try again and again
# in that minute), the wallpaper stays and the clock runs on.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"
mkdir -p "$WORK/pics"
convert -size 8000x6000 gradient:navy-orange -quality 90 "$WORK/pics/big.jpg" || fail "could not make the picture"
wp_ini "[WallDir]" "WallDir1=$WORK/pics" "[WallSw]" "WallChangeSw=1" "WallInterval=0:10:00" "StartWallChangeSw=1"
before=$(wp_root_pixmap)

# glibc reserves 64 MB of address space for the malloc arena of each thread
# that allocates while the others hold theirs, so under an address-space
# limit the program's idle size would vary from run to run by 64 MB steps
# (once past the limit before the picture was read); one arena keeps it
# steady.
(export MALLOC_ARENA_MAX=1; ulimit -v 200000; exec "$APP" >"$WORK/stdout.log" 2>&1) &
APP_PID=$!
e2e_window >/dev/null
box=""
for _ in $(seq 200); do
  box=$(xdotool search --onlyvisible --name '^情報$' 2>/dev/null | head -1 || true)
  [ -n "$box" ] && break
  kill -0 "$APP_PID" 2>/dev/null || fail "the program ended: $(tail -3 "$WORK/stdout.log")"
  sleep 0.1
done
if [ -z "$box" ] && [ "$(wp_root_pixmap)" != "$before" ]; then
  echo "skipped: the picture fitted in the memory limit here"
  exit 0
fi
[ -n "$box" ] || fail "nothing told the user: $(tail -3 "$WORK/stdout.log")"
sleep 3  # the rest of the minute's ticks, were they to try again
told=$(grep -c 'cannot show' "$WORK/stdout.log" || true)
[ "$told" -eq 1 ] || fail "the failure was logged $told times: $(grep 'cannot show' "$WORK/stdout.log")"
grep 'cannot show' "$WORK/stdout.log" | grep -q "big.jpg" || fail "the log does not name the file"
[ "$(wp_root_pixmap)" = "$before" ] || fail "the wallpaper changed"
kill -0 "$APP_PID" || fail "the program ended"
echo "ok: $(grep 'cannot show' "$WORK/stdout.log")"
