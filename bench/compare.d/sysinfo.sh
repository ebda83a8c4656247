#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The information dialog from its creation to its first paint, against the
# 150 ms a person starts to notice: the first opening of a run (median of five
# runs, each in its own process, so fonts and charts load cold) and a later
# opening (Google Benchmark's mean).
set -uo pipefail
cd "$(dirname "$0")/../.."
BUILD=${ZELVARO_BUILD:-build}
BENCH="$BUILD/bench/sysinfo/bench_sysinfo"
[ -x "$BENCH" ] || { echo "info_dialog_first_paint: $BENCH missing"; exit 0; }
export QT_QPA_PLATFORM=offscreen
median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
# Real time in milliseconds of one benchmark line.
real_ms() { awk -v name="$1" '$1 ~ name {print $2; exit}'; }

cold=$(for _ in 1 2 3 4 5; do
  "$BENCH" --benchmark_filter=FirstOpeningOfTheRun 2>/dev/null | real_ms FirstOpeningOfTheRun
done | median)
warm=$("$BENCH" --benchmark_filter='^FirstPaintThisMachine$' 2>/dev/null | real_ms '^FirstPaintThisMachine$')

verdict() { awk -v r="$1" 'BEGIN{print (r < 1 ? "ok" : "SHORT")}'; }
for pair in "info_dialog_first_opening:$cold" "info_dialog_later_opening:$warm"; do
  name=${pair%%:*}; ms=${pair#*:}
  [ -n "$ms" ] || { echo "$name: no figure"; continue; }
  ratio=$(awk -v ms="$ms" 'BEGIN{printf "%.2f", ms / 150}')
  echo "$name: ${ms} ms of a 150 ms budget"
  echo "$name: ratio $ratio target < 1 $(verdict "$ratio")"
done

# 20 000 mounts: the dialog's first paint over them, against the same budget.
many=$("$BENCH" --benchmark_filter='^FirstPaintTwentyThousandMounts$' 2>/dev/null | real_ms '^FirstPaintTwentyThousandMounts$')
if [ -n "$many" ]; then
  ratio=$(awk -v ms="$many" 'BEGIN{printf "%.2f", ms / 150}')
  echo "info_dialog_20000_mounts: ${many} ms of a 150 ms budget"
  echo "info_dialog_20000_mounts: ratio $ratio target < 1 $(verdict "$ratio")"
else
  echo "info_dialog_20000_mounts: no figure"
fi

# 200 openings: the resident size may grow by at most 2 MB over the first's.
growth=$("$BENCH" --benchmark_filter='^ResidentAfterOpenings' 2>/dev/null |
  grep -o 'growth_kB=[-0-9.]*[kM]\?' | head -1 | sed 's/growth_kB=//')
if [ -n "$growth" ]; then
  kb=$(awk -v g="$growth" 'BEGIN{m=1; if (g ~ /k$/) m=1000; if (g ~ /M$/) m=1000000; sub(/[kM]$/, "", g); print g * m}')
  ratio=$(awk -v kb="$kb" 'BEGIN{printf "%.2f", kb / 2048}')
  echo "info_dialog_200_openings: resident size grew ${kb} kB (budget 2048 kB)"
  echo "info_dialog_200_openings: ratio $ratio target < 1 $(verdict "$ratio")"
else
  echo "info_dialog_200_openings: no figure"
fi
