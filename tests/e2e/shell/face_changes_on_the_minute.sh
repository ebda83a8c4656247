#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Under a clock ten times fast the face changes on the minute, not up to
# half a minute late: the tick sleeps until just after each minute boundary.
# The window is minimised, so its caption follows the face; the fake time of
# each change is worked out from the real time since the start.
source "$(dirname "$0")/../lib.sh"
e2e_setup "$1"
now_ns() { date +%s%N; }

start=$(now_ns)
e2e_start '@2026-12-07 13:58:00 x10'
id=$(e2e_window)
xdotool windowminimize "$id"

# Fake seconds after 13:58:00 at which the caption first showed each text.
declare -A seen=()
deadline=$((start + 15000000000))  # 150 fake seconds
while [ "$(now_ns)" -lt "$deadline" ]; do
  title=$(xdotool getwindowname "$id" 2>/dev/null || true)
  if [[ "$title" =~ ^[0-9][0-9]:[0-9][0-9]\ [ap]m$ ]] && [ -z "${seen[$title]:-}" ]; then
    seen[$title]=$(( ($(now_ns) - start) / 100000000 ))  # real tenths = fake seconds
  fi
  sleep 0.05
done
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
# 13:59 comes 60 fake seconds in, 14:00 at 120: each within 10 fake seconds
# (one real second, for a loaded machine), where a tick every 30 s could be
# up to 30 late.
for pair in "01:59 pm 60" "02:00 pm 120"; do
  text=${pair% *}; due=${pair##* }
  at=${seen[$text]:-}
  [ -n "$at" ] || fail "the caption never showed $text (seen: ${!seen[*]})"
  [ "$at" -ge "$due" ] || fail "$text showed at $at fake seconds, before its minute ($due)"
  [ "$at" -le $((due + 10)) ] || fail "$text showed at $at fake seconds, $((at - due)) s after its minute"
done
echo "ok: 01:59 pm at ${seen["01:59 pm"]} fake s (due 60), 02:00 pm at ${seen["02:00 pm"]} (due 120)"  # the teardown ends the minimised program
