#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Files and limits a user's system can present: the usage written to a full
# device fails; a FIFO or folder in place of the registry file neither holds
# up nor aborts the start; a file size limit below the settings file's size
# fails the save without killing the program or leaving a temporary file;
# ten copies started at once under three spellings of the display leave one.
source "$(dirname "$0")/../lib.sh"
e2e_setup "$1"
ini="$WORK/zelvaro.INI"
reg="$XDG_CONFIG_HOME/zelvaro/registry.reg"
mkdir -p "$XDG_CONFIG_HOME/zelvaro"

status=0; "$APP" --help >/dev/full 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "--help into a full device ended with $status"
status=0; "$APP" --version junk >/dev/null 2>&1 || status=$?
[ "$status" -eq 2 ] || fail "--version junk ended with $status"

# SIGTERM ends the program within 5 s; its exit status goes to $ended.
term_and_wait() {
  kill -TERM "$APP_PID"
  e2e_ended_within 5 || fail "SIGTERM did not end the program ($1)"
  ended=0
  wait "$APP_PID" 2>/dev/null || ended=$?
  APP_PID=""
}

for kind in fifo folder; do
  if [ "$kind" = fifo ]; then mkfifo "$reg"; else mkdir "$reg"; fi
  e2e_start
  e2e_window >/dev/null
  term_and_wait "registry.reg as a $kind"
  [ "$ended" -ne 134 ] || fail "the program aborted with registry.reg as a $kind"
  [ "$kind" = fifo ] && { [ -p "$reg" ] || fail "the FIFO was replaced"; }
  [ "$kind" = folder ] && { [ -d "$reg" ] || fail "the folder was replaced"; }
  rm -rf "$reg"
done

# One 512-byte block: the settings file, with the user's long comment kept,
# cannot be written.
printf '; mine %0600d\n[Location]\nOnTop=1\n' 0 >"$ini"
before=$(md5sum <"$ini")
(ulimit -f 1; exec "$APP" >"$WORK/stdout.log" 2>&1) &
APP_PID=$!
e2e_window >/dev/null
sleep 0.5
term_and_wait "under a file size limit"
[ "$ended" -ne $((128 + 25)) ] || fail "SIGXFSZ ended the program"
grep -q 'could not be saved' "$WORK/stdout.log" || fail "the failed save was not logged"
[ "$before" = "$(md5sum <"$ini")" ] || fail "the settings file changed under the size limit"
leftovers=$(find "$WORK" -maxdepth 1 -name 'zelvaro.INI.*')
[ -z "$leftovers" ] || fail "temporary files left: $leftovers"
rm -f "$ini"

# Ten copies at once, as ":N", ":N.0" and "unix:N": one clock runs.
number=${DISPLAY#:}
pids=()
for i in $(seq 10); do
  case $((i % 3)) in 0) d=":$number" ;; 1) d=":$number.0" ;; 2) d="unix:$number" ;; esac
  DISPLAY=$d "$APP" >"$WORK/copy$i.log" 2>&1 &
  pids+=($!)
done
APP_PID=""
sleep 1
e2e_window >/dev/null
running=()
for _ in $(seq 200); do
  running=()
  for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && running+=("$p"); done
  [ "${#running[@]}" -le 1 ] && break
  sleep 0.1
done
[ "${#running[@]}" -eq 1 ] || fail "${#running[@]} copies run"
[ "$(xdotool search --onlyvisible --name '^Zelvaro$' | wc -l)" -eq 1 ] || fail "more than one clock window"
APP_PID=${running[0]}
echo "ok"
