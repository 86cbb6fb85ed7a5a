#!/usr/bin/env bash
# Installs what is missing, builds, and starts the logger on the built-in simulated unit.
# Arguments are handed to the program (for example: ./run.sh D, ./run.sh --can=peakcan:usb0).
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
telqar_install_missing "${telqar_packages[@]}"
telqar_build

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<MSG
There is no display to open the window on. Start the program on a virtual one:
  apt-get install xvfb xauth
  xvfb-run -a -s '-screen 0 1400x900x24' ./run.sh $*
MSG
  exit 1
fi

args=("$@")
[[ " $* " == *" --can="* ]] || args=(--can=sim "$@")
# Started in the caller's folder, so paths in the arguments mean what they mean there; the
# program finds alert.wav, opisy.ini and changelog.txt in the build's run/ itself.
exec "$TELQAR_BUILD/telqar-logger" "${args[@]}"
