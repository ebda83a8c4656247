#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The current directory on a file system that no longer answers (a FUSE
# mount whose server is stopped, as a stale network mount behaves): the
# information dialog and the image picker still open and close, and SIGTERM
# ends the program at once.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../shell/clock_lib.sh"
[ "$(id -u)" = 0 ] && [ -c /dev/fuse ] || { echo "skipped: needs root and /dev/fuse for a mount that stops answering"; exit 0; }
e2e_setup "$1"

dead="$WORK/dead"
mkdir "$dead"
python3 "$(dirname "$0")/dead_mount_server.py" "$dead" >"$WORK/dead.log" 2>&1 &
server=$!
# The server is let go on again and ended (its end of the connection closes,
# so whatever still waits fails), and the mount is taken away.
end_server() {
  kill -CONT "$server" 2>/dev/null || true
  kill -KILL "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  umount -l "$dead" 2>/dev/null || true
}
trap 'end_server; e2e_teardown' EXIT
for _ in $(seq 100); do grep -q 'mounted\|failed' "$WORK/dead.log" 2>/dev/null && break; sleep 0.05; done
grep -q mounted "$WORK/dead.log" || { echo "skipped: no FUSE mount here: $(cat "$WORK/dead.log")"; exit 0; }

# The program starts in the mount's folder while it answers; then its
# server stops answering.
cd "$dead"
"$APP" >"$WORK/stdout.log" 2>&1 &
APP_PID=$!
cd "$WORK"
e2e_window >/dev/null
kill -STOP "$server"
sleep 0.3
clock_menu Up Up Up Up Up Up Return   # ｲﾝﾌｫﾒｰｼｮﾝ
dialog=""
for _ in $(seq 200); do
  dialog=$(xdotool search --onlyvisible --name '^ｲﾝﾌｫﾒｰｼｮﾝ$' 2>/dev/null | head -1 || true)
  [ -n "$dialog" ] && break
  sleep 0.05
done
[ -n "$dialog" ] || fail "the information dialog did not open over the dead mount"
# The program still answers: the close button closes the dialog.
sleep 0.3
xdotool mousemove --window "$dialog" 433 60 click 1   # 閉じる
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^ｲﾝﾌｫﾒｰｼｮﾝ$' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name '^ｲﾝﾌｫﾒｰｼｮﾝ$' >/dev/null 2>&1 && fail "the dialog no longer answers"

# The image picker opens in the dead folder too: its listing is given up
# after a few seconds and it shows the folder empty.
clock_menu Down Down Down Right Return   # 壁紙指定 > 全　　体
picker=""
for _ in $(seq 200); do
  picker=$(xdotool search --onlyvisible --name '^画像ﾌｧｲﾙの選択$' 2>/dev/null | head -1 || true)
  [ -n "$picker" ] && break
  sleep 0.05
done
[ -n "$picker" ] || fail "the image picker did not open in the dead folder"
xdotool windowactivate --sync "$picker" key Escape 2>/dev/null || xdotool key Escape
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^画像ﾌｧｲﾙの選択$' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name '^画像ﾌｧｲﾙの選択$' >/dev/null 2>&1 && fail "the picker no longer answers"
kill -TERM "$APP_PID"
e2e_ended_within 5 || fail "SIGTERM did not end the program"
wait "$APP_PID" 2>/dev/null || true
APP_PID=""
echo "ok"
