#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The first show of a dynamic HEIC file of 16 pictures at 5120 x 2880 (times
# of day, photo-like pictures) filled to 1920 x 1080, against heif-convert
# decoding the two pictures it needs, one file each (heif-convert decodes
# every picture of a file): the time against both runs together, the peak
# memory against one run. Medians of five runs. The moment is now (UTC), so
# the pair is the one around the time of the run; the single files hold the
# same pixels. Needs the build's bench/zelvaro_image_convert and the test
# helper make_dynamic_heic.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${ZELVARO_BUILD:-$ROOT/build}
TMP=${ZELVARO_BENCH_TMP:-$(mktemp -d)}/dynamic
RUNS=${DYNAMIC_BENCH_RUNS:-5}
OURS="$BUILD/bench/zelvaro_image_convert"
MAKER="$BUILD/tests/e2e/wallpaper/make_dynamic_heic"
for tool in "$OURS" "$MAKER"; do
  [ -x "$tool" ] || { echo "dynamic: $tool missing"; exit 0; }
done
command -v heif-convert >/dev/null || { echo "dynamic: heif-convert missing (libheif-examples)"; exit 0; }
mkdir -p "$TMP"

colour() { printf '%02x%02x%02x' $(($1 * 16)) $((255 - $1 * 16)) $(($1 * 8)); }
entries=()
for i in $(seq 0 15); do entries+=("$(colour "$i"):$(awk -v i="$i" 'BEGIN {print i / 16}')"); done
"$MAKER" --photo --h24 "$TMP/day.heic" 5120 2880 "${entries[@]}" || { echo "dynamic: cannot write the file"; exit 0; }
# The pair around now: the 16th of the day that has begun, and the next.
first=$(( $(date -u +%s) % 86400 * 16 / 86400 ))
second=$(( (first + 1) % 16 ))
"$MAKER" --photo --plain "$TMP/a.heic" 5120 2880 "$(colour "$first")" &&
  "$MAKER" --photo --plain "$TMP/b.heic" 5120 2880 "$(colour "$second")" || { echo "dynamic: cannot write the pair"; exit 0; }

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
# "<seconds> <peak kB>" of one run.
measure() { /usr/bin/time -f "%e %M" "$@" 2>&1 >/dev/null | tail -1; }

ot=() om=() pt=() pm=()
for _ in $(seq "$RUNS"); do
  read -r t m < <(measure "$OURS" --fill 1920x1080 "$TMP/day.heic" "$TMP/out.bmp")
  ot+=("$t") om+=("$m")
  read -r t1 m1 < <(measure heif-convert --quiet "$TMP/a.heic" "$TMP/a.y4m")
  read -r t2 m2 < <(measure heif-convert --quiet "$TMP/b.heic" "$TMP/b.y4m")
  pt+=("$(awk -v a="$t1" -v b="$t2" 'BEGIN {print a + b}')") pm+=("$(( m1 > m2 ? m1 : m2 ))")
done
line() {
  local name=$1 ours=$2 peer=$3 target=$4 unit=$5 ratio verdict
  ratio=$(awk -v a="$ours" -v b="$peer" 'BEGIN {printf "%.2f", a / b}')
  verdict=$(awk -v r="$ratio" -v t="$target" 'BEGIN {print (r <= t) ? "ok" : "SHORT"}')
  echo "$name: ratio $ratio (ours $ours $unit, peer $peer $unit) target <= $target $verdict"
}
line "dynamic HEIC 16 x 5120x2880 first show, time vs heif-convert of its two pictures" \
  "$(printf '%s\n' "${ot[@]}" | median)" "$(printf '%s\n' "${pt[@]}" | median)" 1.3 s
line "dynamic HEIC 16 x 5120x2880 first show, peak memory vs one heif-convert" \
  "$(printf '%s\n' "${om[@]}" | median)" "$(printf '%s\n' "${pm[@]}" | median)" 1.5 kB
