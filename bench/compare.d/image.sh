#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Image conversions (JPEG, GIF, TIFF, colour reduction, Photo CD) against
# djpeg and ImageMagick. Needs the build's bench/zelvaro_image_convert.
set -uo pipefail
here=$(dirname "$0")
need=()
command -v djpeg >/dev/null || need+=(libjpeg-turbo-progs)
[ -x /usr/bin/convert ] || need+=(imagemagick)
command -v valgrind >/dev/null || need+=(valgrind)
command -v python3 >/dev/null || need+=(python3)
[ -x /usr/bin/time ] || need+=(time)
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get install -y "${need[@]}" >/dev/null 2>&1 || echo "image: could not install ${need[*]}" >&2
fi
if [ ! -x "$ZELVARO_BUILD/bench/zelvaro_image_convert" ]; then
  echo "image: $ZELVARO_BUILD/bench/zelvaro_image_convert missing" >&2
  exit 1
fi
exec python3 "$here/image_compare.py"
