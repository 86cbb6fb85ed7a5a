#!/usr/bin/env bash
# The drive report's time and memory: an hour's log at 100 samples/s (360,000 records) written
# as the program writes it, and ten minutes of a raw trace at the bus's maximum (4.5 M frames),
# each turned into a PDF by `telqar-logger report`; wall time and peak memory of each.
#   bench/report.sh [RECORDS [FRAMES]]    360000 and 4500000 by default
# TELQAR_BUILD names the build folder (build/ by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TELQAR_BUILD:-$root/build}
records=${1:-360000}
frames=${2:-4500000}
nice -n 10 cmake --build "$build" -j2 --target telqar-logger telqar-logger-gui bench_make_trace \
  >/dev/null
work=$(mktemp -d "${TMPDIR:-/tmp}/telqar-report.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A drive through bends: every value moves, the LTR passes 0,5 now and then; a hundred records
# share each clock second, in Windows-1250 with CR LF.
log="$work/drive_001_20261210_100000.csv"
awk -v n="$records" 'BEGIN {
  printf "Data wykonania bada\361;10.12.2026\r\n\r\nFirmware;\r\n\r\n"
  printf "LP;GODZINA;PREDKOSC LINIOWA [km/h];PREDKOSC KATOWA [\260/s];KAT X1 [\260];KAT Y1 [\260];"
  printf "PRZYSP X1 [g];PRZYSP Y1 [g];STATUS1;LTR1\r\n"
  for (i = 1; i <= n; i++) {
    s = 36000 + int((i - 1) / 100)
    t = i / 100.0
    printf "%d;%02d:%02d:%02d;%.2f;0,00;%.2f;%.2f;%.2f;%.2f;00;%.3f\r\n", i,
      int(s / 3600) % 24, int(s / 60) % 60, s % 60, 50 + 30 * sin(t / 97),
      3 * sin(t / 7), 8 * sin(t / 11), 0.2 * sin(t / 5), 0.4 * sin(t / 13), 0.6 * sin(t / 17)
  }
}' | sed '6,$ s/\([0-9]\)\.\([0-9]\)/\1,\2/g' >"$log"
echo "log: $records records, $(du -h "$log" | cut -f1)"

trace="$work/drive.log"
"$build/bench/bench_make_trace" "$trace" "$frames" >/dev/null
echo "trace: $frames frames, $(du -h "$trace" | cut -f1)"

measure() {
  local name=$1
  shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >/dev/null
  read -r seconds kilobytes <"$work/time"
  echo "$name: $seconds s, peak memory $((kilobytes / 1024)) MB"
}
measure "report of the log" "$build/telqar-logger" report "$log" -o "$work/log.pdf"
measure "report of the trace" "$build/telqar-logger" report "$trace" -o "$work/trace.pdf"
measure "first page of the log as PNG" "$build/telqar-logger" report "$log" -o "$work/log.png"
