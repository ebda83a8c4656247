#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# "ﾊﾞｰｼﾞｮﾝ" opens "about Zelvaro"; its home-page line starts the desktop's
# default browser (a made-up one named in the scratch mimeapps.list) and its
# mail line the desktop's opener (a made-up xdg-open); F1 opens the about
# topic in the help window, which can be closed while the box stays open.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../shell/clock_lib.sh"
e2e_setup "$1"
cp "$(dirname "$1")/zelvaro.HLP" "$WORK/"

# A program that writes its arguments, one a line, to the file $1 names.
recorder() {
  printf '#!/bin/sh\nfor a in "$@"; do printf "%%s\\n" "$a"; done > "%s.tmp" && mv "%s.tmp" "%s"\n' "$2" "$2" "$2" >"$1"
  chmod +x "$1"
}
mkdir -p "$WORK/bin" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/applications"
recorder "$WORK/bin/made-up-web" "$WORK/browser.args"
recorder "$WORK/bin/xdg-open" "$WORK/opener.args"
printf '[Desktop Entry]\nType=Application\nName=Made-up Web\nExec=%s --new-window %%u\n' "$WORK/bin/made-up-web" \
  >"$XDG_DATA_HOME/applications/made-up-web.desktop"
printf '[Default Applications]\nx-scheme-handler/http=made-up-web.desktop\n' >"$XDG_CONFIG_HOME/mimeapps.list"
export PATH="$WORK/bin:$PATH"

printf '[Location]\nOffsetX=100\nOffsetY=100\n' >"$WORK/zelvaro.INI"
e2e_start
e2e_window >/dev/null

wait_for_file() {
  for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.05; done
  return 1
}

clock_menu Up Up Return                      # ﾊﾞｰｼﾞｮﾝ
about=$(e2e_window_named '^about Zelvaro$' 5) || fail "ﾊﾞｰｼﾞｮﾝ did not open the about box"
# The box's client area on the screen (xdotool's geometry adds the frame
# offset twice under openbox; xwininfo's absolute corner is the true one).
read -r X Y WIDTH HEIGHT < <(xwininfo -id "$about" |
  awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF} /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
[ "$WIDTH" = 380 ] && [ "$HEIGHT" = 236 ] || fail "about box is ${WIDTH}x$HEIGHT"

# The home-page line and, above it, the mail line: their heights follow the
# font, so each is looked for down the box's middle, a click every 3 pixels,
# until its program starts.
click_down_to() {  # FILE: clicks at x 60 from y 90 down to 160 until FILE appears
  for dy in $(seq 90 3 160); do
    xdotool mousemove $((X + 60)) $((Y + dy)) click 1
    for _ in 1 2 3 4; do [ -s "$1" ] && return 0; sleep 0.05; done
  done
  wait_for_file "$1"
}
click_down_to "$WORK/browser.args" || fail "the home-page line started no browser"
[ "$(sed -n 1p "$WORK/browser.args")" = "--new-window" ] || fail "browser arguments: $(cat "$WORK/browser.args")"
grep -q '^https://zelvaro.example.org/$' "$WORK/browser.args" || fail "no home page: $(cat "$WORK/browser.args")"
click_down_to "$WORK/opener.args" || fail "the mail line started no opener"
[ "$(cat "$WORK/opener.args")" = "mailto:zelvaro@example.org" ] || fail "opener got: $(cat "$WORK/opener.args")"

# F1 in the box: the about topic, which the user can close beside the box.
xdotool windowactivate --sync "$about" 2>/dev/null || xdotool windowfocus --sync "$about"
xdotool key F1
help=$(e2e_window_named 'Zelvaro ヘルプ' 5) || fail "F1 in the about box opened no help"
wmctrl -i -c "$help"
for _ in $(seq 100); do
  xdotool search --onlyvisible --name 'Zelvaro ヘルプ' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name 'Zelvaro ヘルプ' >/dev/null 2>&1 && fail "the help window could not be closed beside the box"
xdotool search --onlyvisible --name '^about Zelvaro$' >/dev/null || fail "the about box closed with the help"

xdotool windowactivate --sync "$about" 2>/dev/null || xdotool windowfocus --sync "$about"
xdotool key Return
for _ in $(seq 100); do
  xdotool search --onlyvisible --name '^about Zelvaro$' >/dev/null 2>&1 || break
  sleep 0.05
done
xdotool search --onlyvisible --name '^about Zelvaro$' >/dev/null 2>&1 && fail "OK did not close the about box"
e2e_close
echo "ok"
