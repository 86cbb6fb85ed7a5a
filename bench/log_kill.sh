#!/usr/bin/env bash
# The program killed with SIGKILL while logging: how far behind the kill the log on disk is,
# and whether every line but the last is whole. Runs the built-in simulated unit (100
# samples per second) on a virtual display for SECONDS (default 5) of logging, ROUNDS times.
#   bench/log_kill.sh [SECONDS] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
seconds=${1:-5}  # whole seconds
rounds=${2:-3}
[ -x "$build/telqar-logger" ] || { echo "build/telqar-logger is missing: run ./test.sh first" >&2; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || apt-get install -y -q xvfb xdotool >/dev/null
done

now() { date +%s.%N; }

for ((round = 1; round <= rounds; round++)); do
  work=$(mktemp -d)
  disp=":$(( 300 + RANDOM % 300 ))"
  Xvfb "$disp" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
  sleep 1
  (cd "$work" && DISPLAY=$disp QT_QPA_PLATFORM=xcb exec "$build/telqar-logger" --can=sim 2>/dev/null) & app=$!
  window=$(DISPLAY=$disp xdotool search --sync --name 'Logger TELQAR' | head -1)
  sleep 2
  DISPLAY=$disp xdotool mousemove --window "$window" 63 114 click 1   # Connect
  sleep 1
  DISPLAY=$disp xdotool mousemove --window "$window" 75 207 click 1   # Start
  while ! ls "$work"/log_001_*.csv >/dev/null 2>&1; do sleep 0.005; done
  started=$(now)
  sleep "$(printf "%d.%02d" "$seconds" $(( RANDOM % 100 )))"  # a random phase against the flush
  killed=$(now)
  kill -9 "$app"
  wait "$app" 2>/dev/null || true
  kill "$xvfb"; wait "$xvfb" 2>/dev/null || true
  python3 - "$work"/log_001_*.csv "$started" "$killed" <<'PY'
import sys
path, started, killed = sys.argv[1], float(sys.argv[2]), float(sys.argv[3])
data = open(path, 'rb').read()
lines = data.split(b'\r\n')
tail = lines.pop()                      # after the last CR LF: empty, or a cut record
records = lines[5:]
numbers = [int(r.split(b';')[0]) for r in records]
assert numbers == list(range(1, len(numbers) + 1)), "records missing or out of order"
assert all(r.count(b';') == 9 for r in records), "a whole line with missing fields"
# Samples the unit sent while the log ran; the first CAN tick after Start also logs up to
# 50 ms of samples that were waiting, so the figure is good to about ±50 ms.
expected = (killed - started) * 100
behind_ms = (expected - len(records)) * 10
print(f"{len(records)} whole records, {len(tail)} bytes of a cut line; the file ends "
      f"{behind_ms:.0f} ms before the kill (±50 ms)")
PY
  rm -rf "$work"
done
