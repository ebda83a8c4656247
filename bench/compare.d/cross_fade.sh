#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The wallpaper's cross-fade on a 1920x1080 output (drawn into memory as the
# compositor's buffers would be): the frames it draws, and the CPU time of
# the whole fade beside the conversion of the new picture (a 1920x1080 JPEG),
# medians of five runs.
set -uo pipefail
cd "$(dirname "$0")/../.."
BUILD=${ZELVARO_BUILD:-build}
TMP=${ZELVARO_BENCH_TMP:-$(mktemp -d)}
TOOL="$BUILD/bench/cross_fade_tool"
[ -x "$TOOL" ] || { echo "cross_fade: $TOOL missing"; exit 0; }
median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }

convert -size 1920x1080 gradient:red-blue -type TrueColor "BMP3:$TMP/old.bmp"
convert -size 1920x1080 plasma:fractal -quality 90 "$TMP/new.jpg" 2>/dev/null
runs=()
for _ in 1 2 3 4 5; do runs+=("$(QT_QPA_PLATFORM=offscreen "$TOOL" "$TMP/old.bmp" "$TMP/new.jpg" 2>/dev/null)"); done
field() { printf '%s\n' "${runs[@]}" | awk -v k="$1" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}' | median; }
frames=$(field frames)
fade=$(field cpu_ms)
conversion=$(field conversion_ms)
verdict=SHORT
[ "${frames:-99}" -le 23 ] && verdict=ok
echo "cross_fade_frames: ratio 1.000 ($frames frames) target <= 23 frames $verdict"
ratio=$(awk -v f="$fade" -v c="$conversion" 'BEGIN{printf "%.3f", f / (c > 0 ? c : 1)}')
verdict=SHORT
awk -v r="$ratio" 'BEGIN{exit !(r <= 0.5)}' && verdict=ok
echo "cross_fade_cpu: ratio $ratio (fade $fade ms CPU, conversion $conversion ms) target <= 0.5 $verdict"
