#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A solar dynamic HEIC file in the rotation, in Tokyo on the March equinox,
# from 04:00 to 22:00 with the clock running 1200 times fast: the root
# window's middle goes through the pictures' colours in the sun's order,
# blends between them, and the program's resident size stays flat.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wallpaper_lib.sh"
wp_setup "$1"
[ -x "${ZELVARO_MAKE_DYNAMIC_HEIC:-}" ] || fail "make_dynamic_heic is not built"

mkdir -p "$WORK/pics"
# Night before dawn, sunrise, the morning's 45 degrees, the afternoon's, sunset, dusk.
"$ZELVARO_MAKE_DYNAMIC_HEIC" "$WORK/pics/day.heic" 64 48 \
  ff0000:-30:60 0000ff:0:90 00ff00:45:150 ffff00:45:210 ff00ff:0:270 00ffff:-30:300 ||
  fail "cannot write the dynamic HEIC file"
wp_ini "[Location]" "Latitude=35.6895" "Longitude=139.6917" "[WallDir]" "WallDir1=$WORK/pics" \
  "[WallSw]" "WallChangeSw=1" "WallInterval=12:00:00" "StartWallChangeSw=1"

export TZ=Asia/Tokyo
before=$(wp_root_pixmap)
e2e_start "@2026-03-20 04:00:00 x1200"
e2e_window >/dev/null
wp_wait_pixmap_change "$before" 20 >/dev/null || fail "no wallpaper at start-up"
w=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\1/p')
h=$(xdpyinfo | sed -n 's/.*dimensions: *\([0-9]*\)x\([0-9]*\).*/\2/p')
rss_kb() { awk '/^VmRSS:/{print $2}' "/proc/$APP_PID/status"; }

# The nearest of the six colours when within 40 of each channel, else "blend".
name_of() {
  local hex=$1 best="" r g b
  r=$((16#${hex:0:2})) g=$((16#${hex:2:2})) b=$((16#${hex:4:2}))
  for c in ff0000:red 0000ff:blue 00ff00:green ffff00:yellow ff00ff:magenta 00ffff:cyan; do
    local cr=$((16#${c:0:2})) cg=$((16#${c:2:2})) cb=$((16#${c:4:2}))
    if [ $(((r - cr) ** 2)) -le 1600 ] && [ $(((g - cg) ** 2)) -le 1600 ] && [ $(((b - cb) ** 2)) -le 1600 ]; then
      best=${c#*:}
    fi
  done
  echo "${best:-blend}"
}

# 18 hours at 1200 times: 54 s.
seen=() blends=0 rss_start="" rss_end=""
end=$((SECONDS + 54))
while [ $SECONDS -lt $end ]; do
  pixel=$(wp_root_pixel $((w / 2)) $((h / 2)))
  [ "$pixel" = 000000 ] && fail "the middle of the root window went black"
  name=$(name_of "$pixel")
  if [ "$name" = blend ]; then
    blends=$((blends + 1))
  elif [ ${#seen[@]} -eq 0 ] || [ "${seen[-1]}" != "$name" ]; then
    seen+=("$name")
  fi
  [ -z "$rss_start" ] && [ $SECONDS -gt $((end - 40)) ] && rss_start=$(rss_kb)
  sleep 0.1
done
rss_end=$(rss_kb)
kill -0 "$APP_PID" || fail "the program ended"
echo "colours: ${seen[*]}; blended samples: $blends; resident: ${rss_start} kB then ${rss_end} kB"

# Every daytime picture in the sun's order (the night's red and cyan may show at the ends).
order=" ${seen[*]} "
[[ "$order" =~ blue.*green.*yellow.*magenta.*cyan ]] || fail "colours out of the sun's order: ${seen[*]}"
[ "$blends" -ge 10 ] || fail "only $blends blended samples"
[ "$rss_end" -le $((rss_start + rss_start / 5 + 4096)) ] || fail "resident size grew from $rss_start kB to $rss_end kB"
echo "ok"
