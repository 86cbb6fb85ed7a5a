#!/usr/bin/env bash
# An hour of a bus at its maximum replayed: a candump trace of 27 M frames (about 1.4 GB) is
# made under /var/tmp and deleted at the end; then
#  1. the window program telqar-logger-gui opens it offscreen, and stays 3 s with its window
#     shown: the time the trace took to read (its own report) and the peak resident memory;
#  2. bench_replay_window, the same window offscreen, opens it, moves in it and plays SECONDS
#     at 10x: its figures and the peak resident memory.
#   bench/replay_open.sh [BUILD] [FRAMES] [SECONDS]   BUILD: build/ by default
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
frames=${2:-27000000}
seconds=${3:-5}
for program in telqar-logger-gui bench/bench_make_trace bench/bench_replay_window; do
  [ -x "$build/$program" ] || { echo "$build/$program is missing: build it first" >&2; exit 1; }
done

work=$(mktemp -d)
trace=$(mktemp /var/tmp/replay_open.XXXXXX.log)
trap 'rm -rf "$trace" "$work"' EXIT
start=$(date +%s.%N)
"$build/bench/bench_make_trace" "$trace" "$frames"
awk -v s="$start" -v e="$(date +%s.%N)" -v b="$(stat -c %s "$trace")" -v f="$frames" \
  'BEGIN { printf "trace: %d frames, %.0f MB, made in %.1f s\n", f, b / 1e6, e - s }'
# Read once before, so that both runs find it in the page cache alike.
cat "$trace" >/dev/null

cd "$work"
export QT_QPA_PLATFORM=offscreen
/usr/bin/time -v -o "$work/time.txt" "$build/telqar-logger-gui" "--can=replay:$trace" \
  2>"$work/err.txt" &
timer=$!
app=""
for ((i = 0; i < 1200; ++i)); do  # up to 2 minutes
  [ -n "$app" ] || app=$(cat "/proc/$timer/task/$timer/children" 2>/dev/null | awk '{print $1}')
  grep -q "replaying\|telqar-logger: .*trace" "$work/err.txt" 2>/dev/null && break
  sleep 0.1
done
sleep 3
[ -n "$app" ] && kill -TERM "$app" 2>/dev/null || true
wait "$timer" || true
echo "window program: $(grep -h 'telqar-logger' "$work/err.txt" | head -3 | tr '\n' ' ')"
awk -F': ' '/Maximum resident/ { printf "window program: peak resident %.0f MiB\n", $2 / 1024 }' \
  "$work/time.txt"

/usr/bin/time -v -o "$work/time.txt" "$build/bench/bench_replay_window" "$trace" "$seconds" \
  2>"$work/err.txt" | sed 's/^/bench_replay_window: /'
awk -F': ' '/Maximum resident/ { printf "bench_replay_window: peak resident %.0f MiB\n", $2 / 1024 }' \
  "$work/time.txt"
