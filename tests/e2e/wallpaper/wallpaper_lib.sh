# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers of the wallpaper end-to-end tests, sourced after ../lib.sh.
#   wp_setup <zelvaro>          e2e_setup, with the program under a name of its
#                               own so a copy run by another test elsewhere on
#                               the machine does not hold its single-instance name
#   wp_ini <lines...>           writes the settings file
#   wp_root_pixmap              the root window's _XROOTPMAP_ID (hex), empty when none
#   wp_root_pixel <x> <y>       the colour shown on the root window there (rrggbb)
#   wp_bmp <file> <w> <h> <colour>   a 24-bit BMP filled with one colour
wp_setup() {
  e2e_setup "$1"
  mv "$APP" "$WORK/zelvarowp"
  APP="$WORK/zelvarowp"
  INI="$WORK/zelvarowp.INI"
}

wp_ini() { printf '%s\n' "$@" >"$INI"; }

wp_root_pixmap() {
  xprop -root _XROOTPMAP_ID 2>/dev/null | sed -n 's/.*# \(0x[0-9a-f]*\).*/\1/p'
}

wp_root_pixel() {
  xwd -root -silent | convert xwd:- -format "%[hex:p{$1,$2}]" info: 2>/dev/null | tr 'A-F' 'a-f' | cut -c1-6
}

wp_bmp() {
  convert -size "$2x$3" "xc:#$4" -type TrueColor "BMP3:$1"
}

# Waits up to $2 seconds (default 10) for the root pixmap to differ from $1.
wp_wait_pixmap_change() {
  local before=$1 limit=${2:-10} now
  for _ in $(seq $((limit * 10))); do
    now=$(wp_root_pixmap)
    [ -n "$now" ] && [ "$now" != "$before" ] && { echo "$now"; return 0; }
    sleep 0.1
  done
  return 1
}
