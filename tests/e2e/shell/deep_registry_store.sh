#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A registry store of three keys 20 000 names deep beside an ordinary one:
# the clock starts at once with little memory, and the deep keys, which it
# does not read, stay in the file byte for byte.
source "$(dirname "$0")/../lib.sh"
e2e_setup "$1"
reg="$XDG_CONFIG_HOME/zelvaro/registry.reg"
mkdir -p "$XDG_CONFIG_HOME/zelvaro"
deep=$(printf '\\k%.0s' $(seq 20000))
{
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"TileWallPaper"="0"\n'
  for i in 1 2 3; do printf '\n[HKEY_CURRENT_USER\\Deep%s%s]\r\n"v"="%s"\r\n' "$i" "$deep" "$i"; done
} >"$reg"
blocks=$(sed -n '/^\[HKEY_CURRENT_USER\\Deep/,$p' "$reg" | md5sum)

e2e_start
e2e_window >/dev/null
peak=$(awk '/^VmHWM/ { print $2 }' "/proc/$APP_PID/status")
[ "$peak" -lt 400000 ] || fail "the clock took $peak kB with a 120 kB registry store"
kill -TERM "$APP_PID"
e2e_ended_within 5 || fail "SIGTERM did not end the program"
APP_PID=""
[ "$blocks" = "$(sed -n '/^\[HKEY_CURRENT_USER\\Deep/,$p' "$reg" | md5sum)" ] ||
  fail "the deep keys were not kept byte for byte"
grep -q '^"TileWallPaper"="0"' "$reg" || fail "the ordinary key was lost"
