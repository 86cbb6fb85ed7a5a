#!/usr/bin/env bash
# telqar-logger record at bus maximum: telqar-sim sends through Qt's virtual bus at the rate
# that fills a 250 kbit/s bus (1084 samples/s, 7,598 frames/s), record logs it, and Qt's own
# listener receives the same frames beside it. Prints the CPU share and memory of both over
# the measured period, and whether any sample went missing:
#  - the frames record read against the frames the listener received (every frame sent);
#  - the records in the log against unit 1's frames in the raw trace (every frame read while
#    the log ran) and record's own count of lost samples.
#   bench/record.sh [SECONDS] [RATE]      default 60 s, 1084 samples/s
#   BUILD=folder runs another build (default build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
seconds=${1:-60}
rate=${2:-1084}
for program in telqar-logger tools/telqar-sim; do
  [ -x "$build/$program" ] || { echo "$build/$program is missing: run ./test.sh first" >&2; exit 1; }
done
listener=/usr/lib/qt6/bin/canbusutil
[ -x "$listener" ] || apt-get install -y -q libqt6serialbus6-bin >/dev/null

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
rss_mib() { awk '/^VmRSS/ {printf "%d", $2 / 1024}' "/proc/$1/status"; }

work=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"' EXIT

# Listener and recorder first, so that both see the simulator's first frame.
stdbuf -oL "$listener" -l virtualcan can0 >"$work/listener.out" 2>/dev/null & qtl=$!; pids+=($qtl)
sleep 1
(cd "$work" && exec "$build/telqar-logger" record --can=virtualcan:can0 -o bench.csv 2>"$work/record.err") &
rec=$!; pids+=($rec)
sleep 1
"$build/tools/telqar-sim" --can=virtualcan:can0 --rate="$rate" 2>/dev/null & sim=$!; pids+=($sim)
sleep 3  # the log has started and the queues run full

r0=$(cpu_ticks "$rec"); l0=$(cpu_ticks "$qtl")
sleep "$seconds"
r1=$(cpu_ticks "$rec"); l1=$(cpu_ticks "$qtl")
rss_rec=$(rss_mib "$rec"); rss_qtl=$(rss_mib "$qtl")

# The simulator stops first: what it sent last has time to arrive before the others stop.
kill "$sim"; wait "$sim" 2>/dev/null || true
sleep 1
kill -TERM "$rec"; wait "$rec" && rec_exit=0 || rec_exit=$?
kill "$qtl"; wait "$qtl" 2>/dev/null || true

csv=$(ls "$work"/bench_001_*[0-9].csv)  # not the events record beside it
trace=${csv%.csv}.log
records=$(( $(tr -cd '\n' <"$csv" | wc -c) - 5 ))
unit1_traced=$(grep -c ' 18FECE47#' "$trace" || true)
sent=$(grep -c '#\|\[' "$work/listener.out" || true)
read_frames=$(sed -n 's/^recorded: .* lost, \([0-9]*\) frames$/\1/p' "$work/record.err")
lost=$(sed -n 's/^recorded: .* records, \([0-9]*\) lost.*/\1/p' "$work/record.err")

awk -v r=$((r1 - r0)) -v l=$((l1 - l0)) -v s="$seconds" -v t="$ticks" -v rate="$rate" \
    -v mr="$rss_rec" -v ml="$rss_qtl" 'BEGIN {
  printf "%d samples/s (%d frames/s), %d s: record %.1f %% of a core, RSS %d MiB; Qt listener %.1f %%, RSS %d MiB\n",
    rate, rate * 7 + 10, s, 100 * r / t / s, mr, 100 * l / t / s, ml }'
echo "frames: listener received $sent, record read $read_frames (difference $((sent - read_frames)))"
echo "samples: $records records, $unit1_traced unit-1 frames in the raw trace (difference $((unit1_traced - records))), $lost lost by record's count"
echo "record exit code $rec_exit; $(grep "^supervision: " "$work/record.err")"
