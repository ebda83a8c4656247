#!/usr/bin/env bash
# The clock's idle cost beside xclock -digital -update 1 on the same virtual
# display: CPU time over a minute of ticks (both run at once), resident
# memory at the end, and the time from start to the first painted window
# (median of five starts each).
set -uo pipefail
cd "$(dirname "$0")/../.."
BUILD=${ZELVARO_BUILD:-build}
TMP=${ZELVARO_BENCH_TMP:-$(mktemp -d)}
SECONDS_IDLE=${CLOCK_IDLE_SECONDS:-60}
command -v xclock >/dev/null || { echo "clock_idle_cpu: xclock missing (x11-apps)"; exit 0; }
source scripts/virtual-display.sh
start_virtual_display 1024x768 >/dev/null 2>&1
trap stop_virtual_display EXIT
export SDL_AUDIODRIVER=dummy XDG_DATA_HOME="$TMP/data"
cp "$BUILD/zelvaro" "$TMP/zelvaro"

# CPU time in nanoseconds of every thread (schedstat is exact, unlike the 10 ms ticks of stat).
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{s += $1} END{printf "%d", s}'; }
rss_kb() { awk '/^VmRSS:/{print $2}' "/proc/$1/status"; }
median() { sort -n | awk '{a[NR]=$1} END{print a[int((NR+1)/2)]}'; }
now_ms() { date +%s%3N; }

# Start to first paint: until the window is mapped and viewable.
first_paint_ms() {  # <title regex> <command...>
  local title=$1; shift
  local start pid
  start=$(now_ms)
  "$@" >/dev/null 2>&1 &
  pid=$!
  local tries=0
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    sleep 0.005
    tries=$((tries + 1))
    [ "$tries" -lt 2000 ] || break
  done
  echo $(($(now_ms) - start))
  kill "$pid"; wait "$pid" 2>/dev/null
}
ours_start=(); peer_start=()
for _ in 1 2 3 4 5; do
  ours_start+=("$(first_paint_ms '^Zelvaro$' "$TMP/zelvaro")")
  peer_start+=("$(first_paint_ms '^xclock$' xclock -digital -update 1)")
done
ours_ms=$(printf '%s\n' "${ours_start[@]}" | median)
peer_ms=$(printf '%s\n' "${peer_start[@]}" | median)

"$TMP/zelvaro" >/dev/null 2>&1 &
ours=$!
xclock -digital -update 1 >/dev/null 2>&1 &
peer=$!
floor=""
[ -x "$BUILD/bench/shell/qt_tick_floor" ] && { "$BUILD/bench/shell/qt_tick_floor" >/dev/null 2>&1 & floor=$!; }
sleep 3  # all settled and painted
o0=$(cpu_ns $ours); p0=$(cpu_ns $peer); f0=${floor:+$(cpu_ns $floor)}
sleep "$SECONDS_IDLE"
o1=$(cpu_ns $ours); p1=$(cpu_ns $peer); f1=${floor:+$(cpu_ns $floor)}
orss=$(rss_kb $ours); prss=$(rss_kb $peer)
kill $ours $peer $floor; wait $ours $peer $floor 2>/dev/null

ocpu=$(awk -v a="$o0" -v b="$o1" 'BEGIN{printf "%.2f", (b - a) / 1e6}')
pcpu=$(awk -v a="$p0" -v b="$p1" 'BEGIN{printf "%.2f", (b - a) / 1e6}')
ratio=$(awk -v o="$ocpu" -v p="$pcpu" 'BEGIN{printf "%.2f", o / (p > 0 ? p : 0.01)}')
verdict=$(awk -v r="$ratio" 'BEGIN{print (r <= 1) ? "ok" : "SHORT"}')
echo "clock_idle_cpu: ratio $ratio (ours ${ocpu} ms, xclock ${pcpu} ms CPU in ${SECONDS_IDLE} s) target <= 1 $verdict"
if [ -n "$floor" ]; then
  # For information: what an empty 450 ms Qt timer costs on its own here.
  fcpu=$(awk -v a="$f0" -v b="$f1" 'BEGIN{printf "%.2f", (b - a) / 1e6}')
  echo "clock_idle_floor: ours ${ocpu} ms against ${fcpu} ms for an empty 450 ms Qt timer window (xclock/floor $(awk -v p="$pcpu" -v f="$fcpu" 'BEGIN{printf "%.2f", p / (f > 0 ? f : 0.01)}'))"
fi
omb=$(awk -v k="$orss" 'BEGIN{printf "%.1f", k / 1024}')
pmb=$(awk -v k="$prss" 'BEGIN{printf "%.1f", k / 1024}')
ratio=$(awk -v o="$orss" -v p="$prss" 'BEGIN{printf "%.2f", o / p}')
verdict=$(awk -v m="$omb" 'BEGIN{print (m < 60) ? "ok" : "SHORT"}')
echo "clock_idle_rss: ratio $ratio (ours ${omb} MB, xclock ${pmb} MB) target < 60 MB $verdict"
ratio=$(awk -v o="$ours_ms" -v p="$peer_ms" 'BEGIN{printf "%.2f", o / (p > 0 ? p : 1)}')
verdict=$(awk -v o="$ours_ms" 'BEGIN{print (o < 300) ? "ok" : "SHORT"}')
echo "clock_first_paint: ratio $ratio (ours ${ours_ms} ms, xclock ${peer_ms} ms, median of 5) target < 300 ms $verdict"
