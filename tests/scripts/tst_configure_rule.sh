#!/usr/bin/env bash
# When telqar_build (scripts/setup.sh) configures: a stub cmake on PATH records each call and
# behaves like the real one, so no real build is needed.
set -euo pipefail

setup=$(cd "$(dirname "$0")/../../scripts" && pwd)/setup.sh
work=$(mktemp -d "${TMPDIR:-/tmp}/telqar-configure-rule.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir "$work/bin"

# Configuring writes CMakeCache.txt even when it fails, and the Makefile only when it succeeds;
# building without a Makefile fails as make does.
cat >"$work/bin/cmake" <<'STUB'
#!/usr/bin/env bash
if [ "$1" = --build ]; then
  echo build >>"$STUB_LOG"
  [ -f "$2/Makefile" ]
  exit
fi
echo configure >>"$STUB_LOG"
build=${4:?}
mkdir -p "$build"
touch "$build/CMakeCache.txt"
[ "${STUB_CONFIGURE_FAILS:-0}" = 0 ] || exit 1
touch "$build/Makefile"
STUB
chmod +x "$work/bin/cmake"

failures=0
passes=0

# check NAME EXPECTED_CALLS EXPECTED_EXIT [ENV...]: runs telqar_build as test.sh does and compares
# the cmake calls it made, in order, and its exit code.
check() {
  local name=$1 expected_calls=$2 expected_exit=$3
  shift 3
  : >"$work/calls"
  local status=0
  env "$@" PATH="$work/bin:$PATH" STUB_LOG="$work/calls" SETUP="$setup" BUILD="$work/build" \
    bash -c 'set -euo pipefail; source "$SETUP"; TELQAR_BUILD=$BUILD; telqar_build' \
    >/dev/null 2>&1 || status=$?
  local calls
  calls=$(paste -sd' ' "$work/calls")
  if [ "$calls" = "$expected_calls" ] && [ "$status" = "$expected_exit" ]; then
    passes=$((passes + 1))
  else
    failures=$((failures + 1))
    echo "FAIL: $name: called '$calls', exit $status; expected '$expected_calls', exit $expected_exit"
  fi
}

check "empty build folder" "configure build" 0
check "configured build folder" "build" 0
rm -rf "$work/build"
check "configure fails" "configure" 1 STUB_CONFIGURE_FAILS=1
check "after a failed configure" "configure build" 0

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
