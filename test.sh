#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
telqar_install_missing "${telqar_packages[@]}"
telqar_build
cd "$TELQAR_BUILD"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 "$@"
