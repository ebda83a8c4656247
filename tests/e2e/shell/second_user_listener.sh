#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Another user listening first on the clock's single-instance names (anyone
# may bind an abstract socket name; here every one the clock would try) does
# not keep the clock from starting, and a second start of ours still finds
# the running copy and ends: the guard lives in our own runtime folder.
source "$(dirname "$0")/../lib.sh"
e2e_setup "$1"
command -v setpriv >/dev/null || fail "setpriv is not installed"
[ "$(id -u)" = 0 ] || { echo "skipped: needs root to run a listener as nobody"; exit 0; }

name="zelvaro-instance-$(id -u)-${DISPLAY}-zelvaro"
setpriv --reuid=nobody --regid=nogroup --clear-groups /usr/bin/python3 -c '
import socket, sys, time
held = []
for name in [sys.argv[1]] + [sys.argv[1] + "-%d" % i for i in range(1, 4)]:
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.bind("\0" + name)
    s.listen(1)
    held.append(s)
print("listening", flush=True)
time.sleep(120)
' "$name" >"$WORK/squatter.log" 2>&1 &
squatter=$!
trap 'kill $squatter 2>/dev/null || true; e2e_teardown' EXIT
for _ in $(seq 100); do grep -q listening "$WORK/squatter.log" 2>/dev/null && break; sleep 0.05; done
grep -q listening "$WORK/squatter.log" || fail "the listener as nobody did not start: $(cat "$WORK/squatter.log")"

e2e_start
e2e_window >/dev/null
kill -0 "$APP_PID" 2>/dev/null || fail "the clock did not keep running"
[ -n "${XDG_RUNTIME_DIR:-}" ] && [ -S "$XDG_RUNTIME_DIR/$name.socket" ] || fail "no socket in the runtime folder"

timeout 10 "$APP" >"$WORK/second.log" 2>&1 || fail "the second copy failed or hung"
[ "$(xdotool search --onlyvisible --name '^Zelvaro$' | wc -l)" -eq 1 ] || fail "two clocks run"
kill -0 "$APP_PID" 2>/dev/null || fail "the first copy ended"
echo "ok"
