#!/usr/bin/env bash
# The whole program on a virtual display, fed by telqar-sim through Qt's virtual bus: its CPU
# share and resident memory over a measured period, beside Qt's own listener receiving the
# same frames.
#   bench/program_load.sh [SECONDS] [RATE...]    RATE in samples/s (7 frames each, plus 10
#                                               chassis frames a second); default 100 1084
# The logger is started with "D" (traffic window on); TELQAR_ARGS= starts it without.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
for program in telqar-logger tools/telqar-sim; do
  [ -x "$build/$program" ] || { echo "build/$program is missing: run ./test.sh first" >&2; exit 1; }
done
seconds=${1:-60}
shift || true
rates=("${@:-100 1084}")
read -r -a rates <<<"${rates[*]}"

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || apt-get install -y -q xvfb xdotool >/dev/null
done
listener=/usr/lib/qt6/bin/canbusutil
[ -x "$listener" ] || apt-get install -y -q libqt6serialbus6-bin >/dev/null

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS/ {print $2}' "/proc/$1/status"; }

measure() {  # measure RATE
  local rate=$1 disp=":$(( 300 + RANDOM % 300 ))"
  Xvfb "$disp" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 & local xvfb=$!
  sleep 1
  "$build/tools/telqar-sim" --can=virtualcan:can0 --rate="$rate" 2>/tmp/program_load_sim.err & local sim=$!
  sleep 1
  "$listener" -l virtualcan can0 >/tmp/program_load_listener.out 2>&1 & local qtl=$!
  (cd "$build/run" && DISPLAY=$disp QT_QPA_PLATFORM=xcb exec "$build/telqar-logger" ${TELQAR_ARGS-D} --can=virtualcan:can0 2>/dev/null) &
  local app=$!
  sleep 3
  local window
  window=$(DISPLAY=$disp xdotool search --sync --name '^Logger TELQAR$' | head -1)
  DISPLAY=$disp xdotool mousemove --window "$window" 63 114 click 1  # Connect
  sleep 5  # the chart fills and the traffic pane starts growing

  local a0 l0 rss=()
  a0=$(cpu_ticks "$app"); l0=$(cpu_ticks "$qtl")
  for ((t = 0; t < seconds; t += 10)); do
    rss+=("$(( $(rss_kib "$app") / 1024 ))")
    sleep 10
  done
  rss+=("$(( $(rss_kib "$app") / 1024 ))")
  local a1 l1
  a1=$(cpu_ticks "$app"); l1=$(cpu_ticks "$qtl")
  DISPLAY=$disp import -window root "/tmp/program_load_$rate.png" 2>/dev/null || true
  kill "$app" "$qtl" "$sim" 2>/dev/null; wait "$app" "$qtl" "$sim" 2>/dev/null || true
  kill "$xvfb"; wait "$xvfb" 2>/dev/null || true

  local frames=$(( rate * 7 + 10 ))
  awk -v a=$((a1 - a0)) -v l=$((l1 - l0)) -v s="$seconds" -v t="$ticks" -v r="$rate" -v f="$frames" -v m="${rss[*]}" 'BEGIN {
    printf "%d samples/s (%d frames/s), %d s: logger %.1f %% of a core, listener %.1f %%; logger RSS every 10 s (MiB): %s\n",
      r, f, s, 100 * a / t / s, 100 * l / t / s, m }'
}

for rate in "${rates[@]}"; do
  measure "$rate"
done
