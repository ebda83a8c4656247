#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Settings files the program cannot use as they are: a termination signal
# still ends it at once (one save, its failure logged); a file far too large
# is refused at start with the read error and left as it was; a read-only file
# is not overwritten; a link is written through and stays a link.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/clock_lib.sh"
e2e_setup "$1"
ini="$WORK/zelvaro.INI"

# SIGTERM ends the program within 5 s whatever the save gives.
term_ends() {
  e2e_start
  e2e_window >/dev/null
  sleep 0.5
  kill -TERM "$APP_PID"
  e2e_ended_within 5 || fail "SIGTERM did not end the program ($1)"
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}

mkdir "$ini"
term_ends "a folder in the file's place"
grep -q 'could not be saved' "$WORK/stdout.log" || fail "the failed save was not logged"
[ "$(grep -c 'could not be saved' "$WORK/stdout.log")" -eq 1 ] || fail "saved more than once"
rmdir "$ini"

printf '[Location]\nOffsetX=40\n' >"$ini"
chmod 0444 "$ini"
before=$(md5sum <"$ini")
term_ends "a read-only file"
[ "$before" = "$(md5sum <"$ini")" ] || fail "the read-only file was overwritten"
[ "$(stat -c %a "$ini")" = 444 ] || fail "the read-only file's mode changed"
rm -f "$ini"

# 20 MB of blank lines: the read error shows at once, and the file stays.
head -c 20000000 /dev/zero | tr '\0' '\n' >"$ini"
before=$(md5sum <"$ini")
started=$(date +%s)
e2e_start
box=""
for _ in $(seq 200); do
  box=$(xdotool search --onlyvisible --name '^Zelvaro Ver\.1\.6$' 2>/dev/null | head -1 || true)
  [ -n "$box" ] && break
  sleep 0.05
done
[ -n "$box" ] || fail "no error box for a 20 MB settings file"
[ $(($(date +%s) - started)) -le 8 ] || fail "the large file took $(($(date +%s) - started)) s to refuse"
xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
e2e_window >/dev/null
e2e_close
[ "$before" = "$(md5sum <"$ini")" ] || fail "the large settings file was changed"
rm -f "$ini"

# A link: the file it points to is replaced, the link stays, the mode is the file's.
mkdir "$WORK/real"
printf '; mine\n[Location]\nOffsetX=40\n' >"$WORK/real/clock.ini"
chmod 0600 "$WORK/real/clock.ini"
ln -s real/clock.ini "$ini"
e2e_start
e2e_window >/dev/null
sleep 0.5
e2e_close
[ -L "$ini" ] || fail "the link was replaced by a file"
grep -q '^; mine' "$WORK/real/clock.ini" || fail "the linked file lost its lines"
[ "$(grep -c '=' "$WORK/real/clock.ini")" -eq 30 ] || fail "not every key written through the link"
[ "$(stat -c %a "$WORK/real/clock.ini")" = 600 ] || fail "the linked file's mode changed"
echo "ok"
