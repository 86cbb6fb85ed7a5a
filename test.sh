#!/usr/bin/env bash
# Installs what is missing, builds, fuzzes the serial parsers and runs every test.
# TELQAR_FUZZ_SECONDS sets the fuzzing time per target (60 by default; 0 skips it).
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
telqar_install_missing "${telqar_packages[@]}"
telqar_build
fuzz_seconds=${TELQAR_FUZZ_SECONDS:-60}
if [ "$fuzz_seconds" -gt 0 ]; then
  "$TELQAR_ROOT/fuzz/run.sh" "$fuzz_seconds"
fi
cd "$TELQAR_BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
