#!/usr/bin/env bash
# convert's speed on one core: a candump log of FRAMES frames of a plausible drive (production,
# then the test protocol with three units) turned into the log's CSV, frames per second. Beside
# it, in the same run and on the same core, python-can's reader with canmatrix decoding the
# units' DBC and Python's csv writer on the first SLICE frames of the production trace, and the
# ratio of the two.
#   bench/convert.sh [FRAMES [SLICE]]   10,000,000 and 500,000 by default
# TELQAR_BUILD names the build folder (build/ by default), TELQAR_DBC the DBC.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TELQAR_BUILD:-$root/build}
frames=${1:-10000000}
slice=${2:-500000}
dbc=${TELQAR_DBC:-$root/assets/telqar.dbc}
nice -n 10 cmake --build "$build" -j2 --target bench_convert >/dev/null
bench="$build/bench/bench_convert"
work=$(mktemp -d "${TMPDIR:-/tmp}/telqar-convert.XXXXXX")
trap 'rm -rf "$work"' EXIT

"$bench" write "$work/production.log" "$frames" production
"$bench" write "$work/test.log" "$frames" test
echo "trace sizes: $(du -h "$work/production.log" | cut -f1) production, $(du -h "$work/test.log" | cut -f1) test"
ours=$(taskset -c 0 "$bench" convert "$work/production.log")
echo "$ours"
rm -f "$work/production.log.csv"
taskset -c 0 "$bench" convert "$work/test.log" --protocol=test --id2=18FEDC20 --id3=18FEDC30
rm -f "$work/test.log.csv"

head -n "$slice" "$work/production.log" >"$work/slice.log"
theirs=$(taskset -c 0 /usr/bin/python3 "$root/bench/convert_python.py" "$work/slice.log" "$dbc" \
  "$work/slice.csv")
echo "$theirs"
# The frames per second of the wall clock and of the processor's time, as each line gives them.
rate() { grep -o '[0-9]* frames/s' <<<"$1" | sed -n "$2s/ frames\/s//p"; }
echo "convert is $(( $(rate "$ours" 1) / $(rate "$theirs" 1) )) times as fast by the wall clock," \
  "$(( $(rate "$ours" 2) / $(rate "$theirs" 2) )) times by the processor's time (production)"
