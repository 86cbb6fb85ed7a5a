#!/usr/bin/env bash
# Installs what is missing, builds, fuzzes the serial parsers and runs every test.
# TELQAR_FUZZ_SECONDS sets the fuzzing time per target (60 by default; 0 skips it).
# TELQAR_WERROR=1 makes a warning fail the build (when build/ is first configured);
# TELQAR_SANITIZE=1 runs every test once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/. CI sets both.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
telqar_install_missing "${telqar_packages[@]}"
werror=()
[ "${TELQAR_WERROR:-0}" = 0 ] || werror=(-DTELQAR_WERROR=ON)
telqar_build "$TELQAR_BUILD" "${werror[@]}"
fuzz_seconds=${TELQAR_FUZZ_SECONDS:-60}
if [ "$fuzz_seconds" -gt 0 ]; then
  "$TELQAR_ROOT/fuzz/run.sh" "$fuzz_seconds"
fi
cd "$TELQAR_BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
if [ "${TELQAR_SANITIZE:-0}" != 0 ]; then
  telqar_build "$TELQAR_ROOT/build-asan" -DTELQAR_SANITIZE=ON
  cd "$TELQAR_ROOT/build-asan"
  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
fi
