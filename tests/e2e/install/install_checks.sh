#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The installed program and its Debian package, checked as a user and a
# packager would: `cmake --install` into a scratch DESTDIR lays out the program,
# its help, desktop entry, icons, metadata and manual page; the validators
# accept the entry and the metadata; the installed program, in a prefix its
# user cannot write, keeps its settings in the user's config folder, opens its
# help and lets a second start bring it forward; the command line answers;
# run by root, the installed program writes nothing under its prefix; the
# package holds what the install holds, names its libraries and fonts, passes
# lintian without an error or a warning, and the program unpacked from it starts.
# Usage: install_checks.sh <build dir>   (configured and built)
# Prints "ok: <check>" or "FAIL: <check>: <why>" per check and last
# "install checks: N passed, M failed"; exits 1 when one failed.
set -uo pipefail
# The windows keep their written Japanese texts, by which the checks find them.
export LC_ALL=C.UTF-8
unset LANGUAGE
HERE=$(cd "$(dirname "$0")" && pwd)
ROOT=$(cd "$HERE/../../.." && pwd)
BUILD=$(cd "${1:?usage: install_checks.sh <build dir>}" && pwd)
source "$ROOT/scripts/virtual-display.sh"
source "$ROOT/tests/e2e/shell/clock_lib.sh"

APP_ID=org.zelvaro.Zelvaro
ICON_SIZES="16 22 24 32 48 64 128 256"
passed=0
failed=0
ok() { passed=$((passed + 1)); echo "ok: $1"; }
bad() { failed=$((failed + 1)); echo "FAIL: $1: $2"; }

SCRATCH=$(mktemp -d /tmp/zelvaro-install.XXXXXX)
chmod 755 "$SCRATCH"
PIDS=()
cleanup() {
  for pid in "${PIDS[@]+"${PIDS[@]}"}"; do kill "$pid" 2>/dev/null || true; done
  sleep 0.3
  stop_virtual_display
  chmod -R u+w "$SCRATCH" 2>/dev/null
  rm -rf "$SCRATCH"
}
trap cleanup EXIT

# The files an install lays out, relative to its prefix.
expected_files() {
  echo bin/zelvaro
  echo share/zelvaro/zelvaro.HLP
  echo share/zelvaro/zelvaro.en.HLP
  echo share/zelvaro/translations/zelvaro_en.qm
  for s in hour_chime half_hour_signal quarter_hour_signal alarm; do echo share/zelvaro/sounds/$s.wav; done
  echo share/applications/$APP_ID.desktop
  echo share/icons/hicolor/scalable/apps/$APP_ID.svg
  for s in $ICON_SIZES; do echo share/icons/hicolor/${s}x${s}/apps/$APP_ID.png; done
  echo share/metainfo/$APP_ID.metainfo.xml
  echo share/man/man1/zelvaro.1.gz
  echo share/doc/zelvaro/README.md
  echo share/doc/zelvaro/copyright
  echo share/doc/zelvaro/changelog.gz
}

# --- cmake --install into a scratch DESTDIR, default prefix ---------------
DEST="$SCRATCH/dest"
PREFIX=/usr/local
if ! DESTDIR="$DEST" cmake --install "$BUILD" --prefix "$PREFIX" >"$SCRATCH/install.log" 2>&1; then
  bad "cmake --install" "$(tail -5 "$SCRATCH/install.log")"
  echo "install checks: $passed passed, $failed failed"; exit 1
fi
INST="$DEST$PREFIX"
missing=$(expected_files | while read -r f; do [ -f "$INST/$f" ] || echo "$f"; done)
extra=$(cd "$INST" && find . -type f | sed 's|^\./||' | sort | comm -13 <(expected_files | sort) -)
if [ -z "$missing" ] && [ -z "$extra" ]; then ok "cmake --install lays out the program and its data"
else bad "cmake --install" "missing: ${missing:-none}; unexpected: ${extra:-none}"; fi

wrong_sizes=""
for s in $ICON_SIZES; do
  file "$INST/share/icons/hicolor/${s}x${s}/apps/$APP_ID.png" | grep -q "PNG image data, $s x $s," \
    || wrong_sizes+=" $s"
done
[ -z "$wrong_sizes" ] && ok "icons are PNG pictures of their folder's size" || bad "icon sizes" "wrong:$wrong_sizes"

desktop="$INST/share/applications/$APP_ID.desktop"
if out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ]; then
  grep -qx 'Categories=Utility;Clock;' "$desktop" && grep -q '^Name\[ja\]=' "$desktop" \
    && grep -q '^Comment\[ja\]=' "$desktop" && grep -qx "Icon=$APP_ID" "$desktop" \
    && ok "desktop-file-validate accepts the desktop entry" || bad "desktop entry" "a required key is missing"
else bad "desktop-file-validate" "$out"; fi

if out=$(appstreamcli validate --no-net "$INST/share/metainfo/$APP_ID.metainfo.xml" 2>&1); then
  ok "appstreamcli validate --no-net accepts the metadata"
else bad "appstreamcli validate" "$out"; fi

zcat "$INST/share/man/man1/zelvaro.1.gz" | grep -q '^\.SH EXIT STATUS' \
  && ok "the manual page is installed compressed" || bad "manual page" "no EXIT STATUS section"

# --- the command line -----------------------------------------------------
# Without a display: an option that started a copy would fail here.
CFG="$SCRATCH/cli-config"
mkdir -p "$CFG"
cli() {  # cli <args...>: sets $out, $err, $status
  out=$(env -u DISPLAY XDG_CONFIG_HOME="$CFG" XDG_DATA_HOME="$CFG" timeout 10 "$INST/bin/zelvaro" "$@" 2>"$SCRATCH/err")
  status=$?
  err=$(cat "$SCRATCH/err")
}
cli --help
[ "$status" = 0 ] && [[ "$out" == "Usage: zelvaro [--help | --version]"* ]] && [ -z "$err" ] \
  && ok "--help prints the usage and exits 0" || bad "--help" "status $status, out '$out', err '$err'"
cli --version
[ "$status" = 0 ] && [ "$out" = "zelvaro 1.6" ] && [ -z "$err" ] \
  && ok "--version prints the version and exits 0" || bad "--version" "status $status, out '$out', err '$err'"
cli --bogus
[ "$status" = 2 ] && [ -z "$out" ] && [ "$err" = "zelvaro: unknown option '--bogus'
Try 'zelvaro --help' for more information." ] \
  && ok "an unknown option is refused with status 2" || bad "--bogus" "status $status, out '$out', err '$err'"
[ -z "$(ls -A "$CFG")" ] && [ ! -e "$INST/bin/zelvaro.INI" ] \
  && ok "the options touch no settings" || bad "options touched files" "$(ls -A "$CFG")"

# --- the installed program, in a prefix its user cannot write --------------
start_virtual_display 1024x768 || { bad "virtual display" "did not start"; echo "install checks: $passed passed, $failed failed"; exit 1; }
export SDL_AUDIODRIVER=dummy
HOMEDIR="$SCRATCH/home"
mkdir -p "$HOMEDIR/config" "$HOMEDIR/data" "$HOMEDIR/runtime"
chmod 700 "$HOMEDIR/runtime"
if [ "$(id -u)" = 0 ]; then
  # root writes anywhere: the program runs as "nobody" instead.
  chown -R 65534:65534 "$HOMEDIR"
  AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups)
else
  chmod a-w "$INST/bin"
  AS_USER=()
fi
as_user() {
  env HOME="$HOMEDIR" XDG_CONFIG_HOME="$HOMEDIR/config" XDG_DATA_HOME="$HOMEDIR/data" \
    XDG_RUNTIME_DIR="$HOMEDIR/runtime" DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy \
    "${AS_USER[@]+"${AS_USER[@]}"}" "$@"
}

clock_window() {  # waits up to 30 s for the visible clock window; prints its id
  local id=""
  for _ in $(seq 600); do
    id=$(xdotool search --onlyvisible --name '^Zelvaro$' 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  return 1
}
ended_within() {  # ended_within <pid> <seconds>
  for _ in $(seq $(($2 * 20))); do kill -0 "$1" 2>/dev/null || return 0; sleep 0.05; done
  return 1
}

if as_user test -w "$INST/bin"; then
  bad "unwritable prefix" "the program's user can write $INST/bin"
fi
HELP="$INST/share/zelvaro/zelvaro.HLP"
touch -a -d '2001-01-01' "$HELP"   # relatime then records the next read
as_user "$INST/bin/zelvaro" >"$SCRATCH/first.log" 2>&1 &
first=$!
PIDS+=("$first")
if id=$(clock_window); then
  sleep 0.5
  ini="$HOMEDIR/config/zelvaro/zelvaro.INI"
  # Its help opens from the command menu ("ﾍ  ﾙ  ﾌﾟ"), from the data folder.
  clock_menu Up Up Up Return
  sleep 0.5
  if xdotool search --onlyvisible --name 'Zelvaro ヘルプ' >/dev/null \
     && [ "$(stat -c %X "$HELP")" -gt "$(date -d 2001-01-02 +%s)" ]; then
    ok "the installed program opens its help from its data folder"
  else bad "installed help" "no help window, or $HELP was not read"; fi

  # A second start brings the minimised first copy forward and ends.
  xdotool windowminimize "$id"
  sleep 0.5
  window_state "$id" | grep -q _NET_WM_STATE_HIDDEN || bad "minimise" "the clock did not minimise"
  if timeout 15 "${AS_USER[@]+"${AS_USER[@]}"}" env HOME="$HOMEDIR" XDG_CONFIG_HOME="$HOMEDIR/config" \
       XDG_RUNTIME_DIR="$HOMEDIR/runtime" DISPLAY="$DISPLAY" "$INST/bin/zelvaro" >"$SCRATCH/second.log" 2>&1; then
    sleep 0.5
    if window_state "$id" | grep -q _NET_WM_STATE_HIDDEN; then bad "second start" "the first copy stayed minimised"
    elif ! kill -0 "$first" 2>/dev/null; then bad "second start" "the first copy ended"
    else ok "a second start brings the installed clock forward"; fi
  else bad "second start" "it failed or did not end: $(cat "$SCRATCH/second.log")"; fi

  # Closing saves the settings in the user's config folder, none beside the program.
  wmctrl -i -c "$id"
  if ended_within "$first" 10; then
    if [ -f "$ini" ] && [ "$(grep -c '=' "$ini")" -eq 30 ] && [ ! -e "$INST/bin/zelvaro.INI" ]; then
      ok "the installed program saves its settings under XDG_CONFIG_HOME"
    else bad "installed settings" "$ini: $(ls -la "$HOMEDIR/config/zelvaro" 2>&1)"; fi
  else bad "installed close" "the program did not end after its window closed"; fi
else
  bad "installed program" "no clock window appeared: $(tail -5 "$SCRATCH/first.log")"
fi
[ "$(id -u)" = 0 ] || chmod u+w "$INST/bin"

# --- run by root, the installed copy still keeps its settings in root's config folder
if [ "$(id -u)" = 0 ]; then
  ROOTHOME="$SCRATCH/root-home"
  mkdir -p "$ROOTHOME/config" "$ROOTHOME/runtime"
  chmod 700 "$ROOTHOME/runtime"
  before=$(cd "$INST" && find . | sort)
  # In English this time: the installed translation and English help are used.
  env HOME="$ROOTHOME" XDG_CONFIG_HOME="$ROOTHOME/config" XDG_RUNTIME_DIR="$ROOTHOME/runtime" \
    LC_ALL= LANG=en_US.UTF-8 DISPLAY="$DISPLAY" SDL_AUDIODRIVER=dummy "$INST/bin/zelvaro" >"$SCRATCH/root.log" 2>&1 &
  asroot=$!
  PIDS+=("$asroot")
  if id=$(clock_window); then
    sleep 0.5
    clock_menu Up Up Up Return
    sleep 0.5
    if xdotool search --onlyvisible --name '^Zelvaro Help$' >/dev/null \
       && grep -q 'Zelvaro Help: Contents' "$INST/share/zelvaro/zelvaro.en.HLP"; then
      ok "under LANG=en_US.UTF-8 the installed program speaks English and opens its English help"
    else bad "installed program in English" "no window 'Zelvaro Help'"; fi
    wmctrl -i -c "$id"
    ended_within "$asroot" 10 || kill "$asroot" 2>/dev/null
    after=$(cd "$INST" && find . | sort)
    if [ "$before" = "$after" ] && [ -f "$ROOTHOME/config/zelvaro/zelvaro.INI" ]; then
      ok "run by root, the installed program writes nothing under its prefix"
    else bad "installed program as root" "new under the prefix: $(comm -13 <(echo "$before") <(echo "$after") | tr '\n' ' ')"; fi
  else bad "installed program as root" "no clock window: $(tail -5 "$SCRATCH/root.log")"; fi
fi

# --- the Debian package ---------------------------------------------------
if (cd "$BUILD" && rm -f zelvaro_*.deb && cpack -G DEB >"$SCRATCH/cpack.log" 2>&1); then
  deb=$(ls "$BUILD"/zelvaro_*.deb | head -1)
  # The package holds what an install under /usr holds, and nothing else.
  rm -rf "$SCRATCH/usr-dest"
  DESTDIR="$SCRATCH/usr-dest" cmake --install "$BUILD" --prefix /usr >/dev/null 2>&1
  want=$(cd "$SCRATCH/usr-dest" && find . -type f | sort)
  have=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort)
  [ -n "$want" ] && [ "$want" = "$have" ] && ok "dpkg-deb --contents lists what the install lists" \
    || bad "package contents" "$(diff <(echo "$want") <(echo "$have"))"
  version=$(dpkg-deb --field "$deb" Version)
  depends=$(dpkg-deb --field "$deb" Depends)
  lacking=""
  for need in libqt6widgets6 libqt6gui6 libsdl2-mixer libjpeg62-turbo libtiff libgif libimagequant libx11-6 libxss1 \
              qt6-qpa-plugins qt6-wayland fonts-ipafont-gothic fonts-liberation2; do
    grep -q "$need" <<<"$depends" || lacking+=" $need"
  done
  [ "$version" = 1.6 ] && [ -z "$lacking" ] && ok "the package is version 1.6 and depends on its libraries and fonts" \
    || bad "package fields" "Version '$version', Depends lacks:$lacking ($depends)"

  recommends=$(dpkg-deb --field "$deb" Recommends)
  suggests=$(dpkg-deb --field "$deb" Suggests)
  [ "$recommends" = xdg-utils ] && [ "$suggests" = swaybg ] \
    && ok "the package recommends xdg-utils and suggests swaybg" \
    || bad "package relations" "Recommends '$recommends', Suggests '$suggests'"

  # lintian: no error and no warning (its informational notes are not counted).
  if lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$SCRATCH/lintian.log" 2>&1; then
    ok "lintian finds no error and no warning in the package"
  else bad "lintian" "$(grep -E '^[EW]:' "$SCRATCH/lintian.log" | head -20)$(tail -3 "$SCRATCH/lintian.log")"; fi

  # The program unpacked from the package starts and shows its clock.
  dpkg-deb -x "$deb" "$SCRATCH/unpacked"
  mkdir -p "$SCRATCH/unpacked-home"
  XDG_CONFIG_HOME="$SCRATCH/unpacked-home" XDG_DATA_HOME="$SCRATCH/unpacked-home" \
    "$SCRATCH/unpacked/usr/bin/zelvaro" >"$SCRATCH/unpacked.log" 2>&1 &
  unpacked=$!
  PIDS+=("$unpacked")
  if id=$(clock_window) && kill -0 "$unpacked" 2>/dev/null; then
    ok "the program unpacked from the package starts"
    wmctrl -i -c "$id"
    ended_within "$unpacked" 10 || kill "$unpacked" 2>/dev/null
  else bad "unpacked program" "no clock window: $(tail -5 "$SCRATCH/unpacked.log")"; fi
else
  bad "cpack -G DEB" "$(tail -20 "$SCRATCH/cpack.log")"
fi

echo "install checks: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
