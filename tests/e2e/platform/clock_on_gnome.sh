#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The clock on a real GNOME Shell 43 (headless, on Wayland with a virtual
# monitor, in a gnome-session of its own), through Xwayland: it stands at
# its saved place without a frame above an activated normal window; the
# rotation's picture is what the shell shows (its own screenshot reads it
# back); "ｾｰﾊﾞ停止" holds an inhibitor gnome-session lists, dropped at a quit
# and at a kill -9 alike; the user's idle delay stays as it was; "ｾｰﾊﾞ起動"
# without the shell's screen shield says so in the log.
set -euo pipefail
SCRIPT=$(readlink -f "$0")
HERE=$(dirname "$SCRIPT")
source "$HERE/desktop_lib.sh"

SHOT_EXTENSION=zelvaro-test-screenshots@localhost

# The colour (rrggbb) the shell shows at <x> <y>, from its own screenshot.
shell_pixel() {
  rm -f "$WORK/shot.png"
  gdbus call --session --dest org.gnome.Shell.Screenshot --object-path /org/gnome/Shell/Screenshot \
    --method org.gnome.Shell.Screenshot.ScreenshotArea "$1" "$2" 1 1 false "$WORK/shot.png" >/dev/null 2>&1 &&
    convert "$WORK/shot.png" -format '%[hex:p{0,0}]' info: 2>/dev/null | tr 'A-F' 'a-f' | cut -c1-6
}
shell_eval() {  # <script>: the shell's answer (unsafe mode only)
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell --method org.gnome.Shell.Eval "$1" 2>/dev/null |
    sed -n "s/^(true, '\(.*\)')$/\1/p"
}
shows() { [ "$(shell_pixel "$1" "$2")" = "$3" ]; }

held() { gnome-session-inhibit --list 2>/dev/null | grep -q '^zelvaro:'; }

gnome_start() {
  export XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome XDG_SESSION_TYPE=wayland
  export XDG_DATA_DIRS="$WORK/data:/usr/local/share:/usr/share"
  # The screenshots over D-Bus are for trusted callers only: a test
  # extension opens them (the shell's unsafe mode).
  local ext="$XDG_DATA_HOME/gnome-shell/extensions/$SHOT_EXTENSION"
  mkdir -p "$ext" "$XDG_DATA_HOME/gnome-session/sessions" "$XDG_DATA_HOME/applications"
  cat >"$ext/metadata.json" <<EOF
{"uuid": "$SHOT_EXTENSION", "name": "Test screenshots", "description": "Unsafe mode for tests", "shell-version": ["43"]}
EOF
  cat >"$ext/extension.js" <<'EOF'
function init() {}
function enable() { global.context.unsafe_mode = true; }
function disable() { global.context.unsafe_mode = false; }
EOF
  gsettings set org.gnome.shell enabled-extensions "['$SHOT_EXTENSION']"
  gsettings set org.gnome.shell welcome-dialog-last-shown-version "'999'"
  gsettings set org.gnome.desktop.session idle-delay 300
  cat >"$XDG_DATA_HOME/gnome-session/sessions/zelvaro-test.session" <<'EOF'
[GNOME Session]
Name=Zelvaro test
RequiredComponents=zelvaro-test-shell;
EOF
  cat >"$XDG_DATA_HOME/applications/zelvaro-test-shell.desktop" <<'EOF'
[Desktop Entry]
Type=Application
Name=GNOME Shell headless
Exec=gnome-shell --headless --wayland --virtual-monitor 1280x800
X-GNOME-Autostart-Phase=DisplayServer
X-GNOME-AutoRestart=false
EOF
  /usr/libexec/gnome-session-binary --builtin --session=zelvaro-test >"$WORK/run/gnome-session.log" 2>&1 &
  wait_for 40 on_bus org.gnome.Shell.Screenshot || fail "gnome-shell did not start"
  # mutter starts Xwayland on :0 on demand, with a cookie of its own.
  export DISPLAY=:0
  wait_for 20 eval 'ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* >/dev/null 2>&1' || fail "mutter offers no Xwayland"
  XAUTHORITY=$(ls "$XDG_RUNTIME_DIR"/.mutter-Xwaylandauth.* | head -1)
  export XAUTHORITY
  wait_for 20 eval 'shell_pixel 10 10 >/dev/null' || fail "the shell takes no screenshots (unsafe mode off?)"
  # A session without windows starts in the overview; the desktop is behind it.
  wait_for 20 eval '[ "$(shell_eval "Main.layoutManager._startingUp")" = false ]' || fail "the shell did not finish starting"
  overview_hidden() {
    shell_eval 'Main.overview.hide()' >/dev/null
    sleep 0.5
    [ "$(shell_eval "Main.overview.visible")" = false ]
  }
  wait_for 10 overview_hidden || fail "the shell stays in its overview"
}

inside() {
  gnome_start

  start_clock_rotating_red mutter

  # The rotation's picture, centred on the 1280x800 monitor, through GSettings.
  local uri=""
  wait_for 20 eval 'uri=$(gsettings get org.gnome.desktop.background picture-uri); [[ $uri == *"$WORK"/* ]]' ||
    fail "GSettings does not name the rotation's picture: $uri"
  wait_for 10 shows 800 530 ff0000 || fail "the shell does not show the rotation's picture: $(shell_pixel 800 530)"
  shows 1200 700 ff0000 && fail "the centred picture covers the whole desktop"

  # A normal window, activated, under the clock: the clock stays above it.
  activate_other_window mutter
  wait_for 5 eval '[ "$(xdotool getactivewindow)" = "$OTHER_ID" ]' || fail "the other window is not active"
  local where
  where=$(xdotool getwindowgeometry "$OTHER_ID" | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  wait_for 5 shows $((${where% *} + 250)) $((${where#* } + 300)) ffffff || fail "the other window does not show at $where"
  shows 209 159 000000 || fail "the activated window covers the clock's face: $(shell_pixel 209 159)"

  # "ｾｰﾊﾞ起動": this shell has no screen shield; the log says so.
  clock_menu_item 200 150 "$SAVER_START_ITEM"
  wait_for 5 grep -q 'screen saver' "$WORK/app.log" || fail "ｾｰﾊﾞ起動 without a screen shield left no log line"

  # "ｾｰﾊﾞ停止": gnome-session lists the inhibitor until the clock quits, and after a restart until it is killed.
  saver_held_until_quit_and_kill 5 "gnome-session" 'gnome-session-inhibit --list'
  kill "$OTHER_PID" 2>/dev/null || true

  [ "$(gsettings get org.gnome.desktop.session idle-delay)" = "uint32 300" ] ||
    fail "the user's idle delay changed: $(gsettings get org.gnome.desktop.session idle-delay)"
  echo "ok"
}

desktop_main 120 gnome-shell gnome-session-inhibit gdbus gsettings -- "$@"
