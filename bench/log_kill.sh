#!/usr/bin/env bash
# The program killed with SIGKILL while logging: how much of what the unit sent before the
# kill is missing from the log, and whether every line but the last is whole. Runs the
# built-in simulated unit (100 samples per second) on a virtual display, logs for SECONDS
# (default 5) plus a random fraction of a second, kills, ROUNDS times (default 10), and prints
# each loss with their median and maximum.
#   bench/log_kill.sh [SECONDS] [ROUNDS]        BUILD=folder runs another build (default build)
#
# The loss is the kill instant less the send time of the last record's sample. The unit sends
# the log's sample n at T0 + n × 10 ms, so the last record's number (LP) gives that time once T0
# is known. The file is watched every millisecond while the log runs: n records present at
# instant w were sent by w, so T0 ≤ w − n × 10 ms; the smallest of these bounds comes right
# after a tick has handed over a sample the unit had just sent, and pins T0 within a few ms.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
seconds=${1:-5}  # whole seconds
rounds=${2:-10}
[ -x "$build/telqar-logger" ] || { echo "$build/telqar-logger is missing: run ./test.sh first" >&2; exit 1; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || apt-get install -y -q xvfb xdotool >/dev/null
done

disp=":$(( 300 + RANDOM % 300 ))"
Xvfb "$disp" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
losses=$(mktemp)
trap 'kill $xvfb 2>/dev/null || true; rm -f "$losses"' EXIT
sleep 1

for ((round = 1; round <= rounds; round++)); do
  work=$(mktemp -d)
  (cd "$work" && DISPLAY=$disp QT_QPA_PLATFORM=xcb exec "$build/telqar-logger" --can=sim 2>/dev/null) & app=$!
  disown "$app"  # its end by SIGKILL is the point, not news
  window=$(DISPLAY=$disp xdotool search --sync --name 'Logger TELQAR' | head -1)
  sleep 2
  # Positions in the window of the design size, as a screenshot shows them.
  DISPLAY=$disp xdotool mousemove --window "$window" 64 118 click 1   # Connect
  sleep 1
  DISPLAY=$disp xdotool mousemove --window "$window" 75 207 click 1   # Start
  printf 'round %2d: ' "$round"
  python3 - "$work" "$app" "$seconds" "$losses" <<'PY'
import glob, os, random, signal, sys, time
work, pid, seconds, losses = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
Head = 5          # lines before the first record
SampleS = 0.010   # the unit's 100 samples per second

deadline = time.monotonic() + 10
while not glob.glob(os.path.join(work, 'log_001_*.csv')):
    if time.monotonic() > deadline:
        sys.exit('no log file: the clicks missed Connect or Start (check with a screenshot)')
    time.sleep(0.001)
path = glob.glob(os.path.join(work, 'log_001_*.csv'))[0]

t0 = float('inf')  # send time of the sample before record 1, from above
lines = 0
kill_at = time.monotonic() + seconds + random.random()
with open(path, 'rb') as log:
    while time.monotonic() < kill_at:
        lines += log.read().count(b'\n')  # LF ends a line and nothing else
        seen = time.monotonic()
        if lines > Head:
            t0 = min(t0, seen - (lines - Head) * SampleS)
        time.sleep(0.001)
killed = time.monotonic()
os.kill(pid, signal.SIGKILL)
time.sleep(0.3)

data = open(path, 'rb').read()
records = data.split(b'\r\n')
tail = records.pop()  # after the last CR LF: empty, or a cut record
records = records[Head:]
numbers = [int(r.split(b';')[0]) for r in records]
assert numbers == list(range(1, len(numbers) + 1)), 'records missing or out of order'
assert all(r.count(b';') == 9 for r in records), 'a whole line with missing fields'
loss_ms = (killed - (t0 + len(records) * SampleS)) * 1000
print(f'{len(records)} whole records, {len(tail)} bytes of a cut line; '
      f'the last record was sent {loss_ms:.0f} ms before the kill')
with open(losses, 'a') as out:
    out.write(f'{loss_ms}\n')
PY
  while kill -0 "$app" 2>/dev/null; do sleep 0.05; done
  rm -rf "$work"
done

python3 - "$losses" <<'PY'
import statistics, sys
losses = [float(line) for line in open(sys.argv[1])]
print(f'lost over {len(losses)} kills: median {statistics.median(losses):.0f} ms, '
      f'max {max(losses):.0f} ms, min {min(losses):.0f} ms')
PY
