#!/usr/bin/env bash
# Speed frames the program actually sends per second while the speed simulation runs, with
# the chart busy: the logger and telqar-sim on Qt's virtual bus under a virtual display, and
# Qt's own listener counting the logger's frames (30 km/h: data 00 1E 01 …) by time stamp.
#   bench/speed_frames.sh [SECONDS]    default 10
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
seconds=${1:-10}
listener=/usr/lib/qt6/bin/canbusutil
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || apt-get install -y -q xvfb xdotool >/dev/null
done
[ -x "$listener" ] || apt-get install -y -q libqt6serialbus6-bin >/dev/null

out=$(mktemp)
disp=":$(( 300 + RANDOM % 300 ))"
Xvfb "$disp" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 & xvfb=$!
sleep 1
"$build/tools/telqar-sim" --can=virtualcan:can0 --rate=100 2>/dev/null & sim=$!
sleep 1
stdbuf -oL "$listener" -l -t virtualcan can0 >"$out" 2>/dev/null & qtl=$!
(cd "$build/run" && DISPLAY=$disp QT_QPA_PLATFORM=xcb exec "$build/telqar-logger" --can=virtualcan:can0 2>/dev/null) & app=$!
window=$(DISPLAY=$disp xdotool search --sync --name '^Logger TELQAR$' | head -1)
sleep 2
DISPLAY=$disp xdotool mousemove --window "$window" 63 114 click 1    # Connect
sleep 2
DISPLAY=$disp xdotool mousemove --window "$window" 839 505 click 1   # sim. 30 km/h
sleep $((seconds + 2))
kill "$app" "$qtl" "$sim"; wait "$app" "$qtl" "$sim" 2>/dev/null || true
kill "$xvfb"; wait "$xvfb" 2>/dev/null || true

# Count the frames of a window of SECONDS that starts a second after the first one.
python3 - "$out" "$seconds" <<'PY'
import re, sys
path, seconds = sys.argv[1], float(sys.argv[2])
stamps = []
for line in open(path):
    if re.search(r'18FECF10.*\b00 1E 01 00 00 00 00 00', line):
        stamp = re.match(r'\s*(\d+)\.(\d+)', line)
        stamps.append(int(stamp.group(1)) + int(stamp.group(2)) / 10 ** len(stamp.group(2)))
if not stamps:
    sys.exit("no speed frame was seen")
start = stamps[0] + 1.0
inside = [s for s in stamps if start <= s < start + seconds]
gaps = [b - a for a, b in zip(stamps, stamps[1:])]
print(f"{len(inside) / seconds:.1f} speed frames/s over {seconds:.0f} s "
      f"(longest gap {max(gaps) * 1000:.0f} ms, {len(stamps)} frames in all)")
PY
rm -f "$out"
