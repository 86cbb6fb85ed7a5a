#!/usr/bin/env bash
# Checks an installed Logger TELQAR as a user meets it: every installed file in its place, the
# program answering --version, `convert` of the shipped sample trace, run from an empty
# folder, writing exactly the expected CSV, and `report` of that CSV without a display.
#   check-installed.sh PREFIX EXPECTED.csv
set -euo pipefail
prefix=${1:?PREFIX}
expected=$(realpath "${2:?EXPECTED.csv}")
id=org.telqar.logger
data=$prefix/share/telqar-logger

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for file in bin/telqar-logger bin/telqar-logger-gui bin/telqar-sim \
  share/telqar-logger/alert.wav share/telqar-logger/opisy.ini share/telqar-logger/changelog.txt \
  share/telqar-logger/telqar.dbc share/telqar-logger/examples/sample-drive.log \
  share/applications/$id.desktop share/icons/hicolor/scalable/apps/$id.svg \
  share/metainfo/$id.metainfo.xml share/man/man1/telqar-logger.1.gz \
  share/doc/telqar-logger/README.md; do
  [ -f "$prefix/$file" ] || fail "$prefix/$file is missing"
done

version=$("$prefix/bin/telqar-logger" --version) || fail "--version failed"
echo "--version: $version"
[[ $version == *"$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' \
  "$prefix/share/metainfo/$id.metainfo.xml")"* ]] || fail "--version does not name the release"

# The log's date and times are the trace's, in local time.
work=$(mktemp -d "${TMPDIR:-/tmp}/telqar-installed.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && TZ=UTC "$prefix/bin/telqar-logger" convert "$data/examples/sample-drive.log" \
  -o sample-drive.csv) || fail "convert of the sample trace failed"
if cmp -s "$work/sample-drive.csv" "$expected"; then
  echo "convert: $(($(wc -l <"$expected") - 5)) records, as expected"
else
  fail "convert of the sample trace differs from $expected"
  diff <(tr -d '\r' <"$expected") <(tr -d '\r' <"$work/sample-drive.csv") | head -10 >&2 || true
fi

# The report needs no display: none is there, as over SSH.
(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
  "$prefix/bin/telqar-logger" report sample-drive.csv) || fail "report of the sample log failed"
if [ "$(head -c 5 "$work/sample-drive.pdf" 2>/dev/null)" = "%PDF-" ]; then
  echo "report: sample-drive.pdf written without a display"
else
  fail "report wrote no PDF"
fi

[ "$failures" -eq 0 ] || exit 1
echo "installed files: all in place"
