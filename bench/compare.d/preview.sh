#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The image picker's preview of an 8000 x 8000 JPEG against a 40 MB budget:
# what it holds while the picker is open, and its peak while reading.
set -uo pipefail
cd "$(dirname "$0")/../.."
BUILD=${ZELVARO_BUILD:-build}
BENCH="$BUILD/bench/options/bench_options_preview"
[ -x "$BENCH" ] || { echo "preview_8000_jpeg: $BENCH missing"; exit 0; }
export QT_QPA_PLATFORM=offscreen
out=$("$BENCH" 2>/dev/null)
counter() { grep -o "$1=[-0-9.]*[kM]\?" <<<"$out" | head -1 | sed "s/$1=//" |
  awk '{m=1; if ($0 ~ /k$/) m=1000; if ($0 ~ /M$/) m=1000000; sub(/[kM]$/, ""); print $0 * m}'; }
for name in held peak; do
  mb=$(counter "${name}_MB")
  [ -n "$mb" ] || { echo "preview_8000_jpeg_$name: no figure"; continue; }
  ratio=$(awk -v mb="$mb" 'BEGIN{printf "%.2f", mb / 40}')
  echo "preview_8000_jpeg_$name: ${mb} MB of a 40 MB budget"
  echo "preview_8000_jpeg_$name: ratio $ratio target < 1 $(awk -v r="$ratio" 'BEGIN{print (r < 1 ? "ok" : "SHORT")}')"
done
