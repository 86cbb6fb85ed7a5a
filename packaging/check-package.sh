#!/usr/bin/env bash
# Run as root in a fresh Debian 12 or 13 root: installs the package with apt as a user would, then
# checks what the user gets: the installed files and the program (check-installed.sh), Qt's
# run-time plugins all present and resolving, and the window started from /tmp playing the
# shipped sample drive, with the status texts of the installed opisy.ini (a screenshot).
#   check-package.sh PACKAGE.deb EXPECTED.csv SCREENSHOT.png
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
package=$(realpath "${1:?PACKAGE.deb}")
expected=$(realpath "${2:?EXPECTED.csv}")
screenshot=${3:?SCREENSHOT.png}
export DEBIAN_FRONTEND=noninteractive

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

echo "== package: $(basename "$package"), $(stat -c %s "$package") bytes"
apt-get update -q >/dev/null
apt-get install -y -q "$package" >/tmp/apt.log || { cat /tmp/apt.log; exit 1; }
grep -E '^(The following NEW packages|[0-9]+ upgraded)' /tmp/apt.log || true
dpkg-query -W -f='${Package} ${Version}, ${Installed-Size} KiB installed\nDepends: ${Depends}\nRecommends: ${Recommends}\n' telqar-logger

echo "== the installed program"
"$here/check-installed.sh" /usr "$expected" || fail "check-installed.sh"

# Before anything else is installed, so that no test tool brings a library the package lacks.
# The media backends are whatever the release ships: GStreamer's in Debian 12, FFmpeg's in 13.
echo "== libraries and Qt plugins"
plugins=$(find /usr/lib -type d -path '*/qt6/plugins' | head -1)
for file in /usr/bin/telqar-logger /usr/bin/telqar-logger-gui /usr/bin/telqar-sim \
  "$plugins"/platforms/libqxcb.so "$plugins"/canbus/libqtpeakcanbus.so \
  "$plugins"/canbus/libqtsocketcanbus.so "$plugins"/canbus/libqtvirtualcanbus.so \
  "$plugins"/multimedia/*.so "$plugins"/imageformats/libqsvg.so \
  "$plugins"/iconengines/libqsvgicon.so; do
  if [ ! -f "$file" ]; then
    fail "$file is missing"
  elif ldd "$file" | grep -q 'not found'; then
    fail "$file lacks libraries: $(ldd "$file" | grep 'not found' | tr -s ' \t\n' ' ')"
  else
    echo "resolves: $file"
  fi
done

echo "== the window, started from /tmp"
apt-get install -y -q --no-install-recommends xvfb xauth xdotool imagemagick strace >/dev/null
display=:37
Xvfb "$display" -screen 0 1400x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
cd /tmp
export DISPLAY=$display
# A session of its own, so that the traced window goes with strace at the end.
setsid strace -f -qq -e trace=openat -o /tmp/opened.txt \
  telqar-logger --can=replay:/usr/share/telqar-logger/examples/sample-drive.log \
  >/tmp/window.log 2>&1 &
app=$!
window=$(timeout 30 xdotool search --sync --name 'Logger TELQAR' | head -1) || true
if [ -z "$window" ]; then
  fail "no window appeared"; cat /tmp/window.log >&2
else
  echo "window: $(xdotool getwindowname "$window")"
  # Connect, at the top left of the Logging page: the trace plays, and its samples set the
  # unit's status bits 0 and 3 ("Przekroczony próg LTR", "Autotest czujnika").
  sleep 2
  xdotool mousemove --window "$window" 64 118 click 1
  sleep 5
  import -window root "$screenshot"
  echo "screenshot: $screenshot"
fi
kill -TERM -- "-$app" 2>/dev/null || true
wait "$app" 2>/dev/null || true
# The installed status texts were read, from /tmp where there is no opisy.ini.
if grep -E 'openat\(.*"/usr/share/telqar-logger/opisy.ini".* = [0-9]+$' /tmp/opened.txt; then
  echo "read: /usr/share/telqar-logger/opisy.ini"
else
  fail "the window did not read the installed opisy.ini"
fi
grep -q '"/usr/share/telqar-logger/alert.wav"' /tmp/opened.txt \
  && echo "read: /usr/share/telqar-logger/alert.wav"

[ "$failures" -eq 0 ] || { echo "$failures checks failed" >&2; exit 1; }
echo "== the package passed"
