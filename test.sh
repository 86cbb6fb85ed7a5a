#!/usr/bin/env bash
# Installs what is missing, builds, fuzzes the parsers of untrusted input briefly and runs every
# test; at the end it says how long each step took.
# TELQAR_FUZZ_SECONDS sets the fuzzing time per target (3 by default, a smoke run; CI fuzzes
# for a minute; 0 skips it).
# TELQAR_WERROR=1 makes a warning fail the build (when build/ is first configured);
# TELQAR_SANITIZE=1 runs every test once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"

took=()
# timed NAME COMMAND...
timed() {
  local name=$1 started=$SECONDS
  shift
  "$@"
  took+=("$name $((SECONDS - started)) s")
}
run_tests() {
  local build=$1
  shift
  (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@")
}

timed install telqar_install_missing "${telqar_packages[@]}"
werror=()
[ "${TELQAR_WERROR:-0}" = 0 ] || werror=(-DTELQAR_WERROR=ON)
timed build telqar_build "$TELQAR_BUILD" "${werror[@]}"
fuzz_seconds=${TELQAR_FUZZ_SECONDS:-3}
if [ "$fuzz_seconds" -gt 0 ]; then
  timed fuzz "$TELQAR_ROOT/fuzz/run.sh" "$fuzz_seconds"
fi
timed tests run_tests "$TELQAR_BUILD" "$@"
if [ "${TELQAR_SANITIZE:-0}" != 0 ]; then
  timed "sanitizer build" telqar_build "$TELQAR_ROOT/build-asan" -DTELQAR_SANITIZE=ON
  timed "sanitizer tests" run_tests "$TELQAR_ROOT/build-asan" "$@"
fi
summary=$(printf '%s, ' "${took[@]}")
echo "test.sh took: ${summary%, }"
