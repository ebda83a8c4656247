#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The clock on sway's top layer beside the same clock as an Xwayland window,
# both at once on one headless sway: wake-ups over two minutes at rest (no
# frame callback, no timer while nothing moves) and resident memory at the
# end. CLOCK_IDLE_SECONDS shortens the idle run. As root sway runs as a user
# of its own (tests/e2e/platform/sway_lib.sh).
set -uo pipefail
SCRIPT=$(readlink -f "$0")
ROOT=$(cd "$(dirname "$SCRIPT")/../.." && pwd)
source "$ROOT/tests/e2e/platform/sway_lib.sh"
SECONDS_IDLE=${CLOCK_IDLE_SECONDS:-120}
export SECONDS_IDLE

# Wake-ups: voluntary context switches of every thread (each is a sleep that ended).
wakes() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/{s += $2} END{printf "%d", s}'; }
rss_kb() { awk '/^VmRSS:/{print $2}' "/proc/$1/status"; }

inside() {
  sway_start 1 "output HEADLESS-1 resolution 1280x1024 position 0 0 bg #3050a0 solid_color"
  # Under another name, so the single-instance guard lets both run.
  mkdir -p "$WORK/window"
  cp "$WORK/zelvaro" "$WORK/window/zelvaro_window"
  printf '%s\n' "[Location]" "OffsetX=100" "OffsetY=100" >"$WORK/zelvaro.INI"
  printf '%s\n' "[Location]" "OffsetX=400" "OffsetY=100" >"$WORK/window/zelvaro_window.INI"
  DISPLAY="$XDISPLAY" "$WORK/zelvaro" >/dev/null 2>&1 &
  local ours=$!
  DISPLAY="$XDISPLAY" ZELVARO_LAYER_SHELL=0 "$WORK/window/zelvaro_window" >/dev/null 2>&1 &
  local peer=$!
  sleep 10  # both started and settled
  local o0 p0 o1 p1
  o0=$(wakes $ours); p0=$(wakes $peer)
  sleep "$SECONDS_IDLE"
  o1=$(wakes $ours); p1=$(wakes $peer)
  local ow=$((o1 - o0)) pw=$((p1 - p0))
  local orss prss
  orss=$(rss_kb $ours); prss=$(rss_kb $peer)
  kill $ours $peer
  wait $ours $peer 2>/dev/null
  local verdict=SHORT
  [ "$ow" -le 3 ] && verdict=ok
  echo "layer_clock_idle_wakeups: ratio $(awk -v o="$ow" -v p="$pw" 'BEGIN{printf "%.3f", o / (p > 0 ? p : 1)}') (layer clock $ow, Xwayland clock $pw wake-ups in ${SECONDS_IDLE} s) target <= 3 wake-ups $verdict"
  local ratio
  ratio=$(awk -v o="$orss" -v p="$prss" 'BEGIN{printf "%.3f", o / (p > 0 ? p : 1)}')
  verdict=SHORT
  awk -v r="$ratio" 'BEGIN{exit !(r <= 1.1)}' && verdict=ok
  echo "layer_clock_resident: ratio $ratio (layer clock $orss kB, Xwayland clock $prss kB) target <= 1.1 $verdict"
}

if [ "${1:-}" = --inside ]; then
  sway_main $((SECONDS_IDLE + 120)) "$@"
else
  sway_main $((SECONDS_IDLE + 120)) "${ZELVARO_BUILD:-$ROOT/build}/zelvaro"
fi
