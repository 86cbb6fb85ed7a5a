#!/usr/bin/env bash
# Installs what a fresh Debian 12 or 13 machine lacks, then configures and builds incrementally in
# build/. Sourced by run.sh and test.sh; safe to run again.
set -euo pipefail

TELQAR_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TELQAR_BUILD="$TELQAR_ROOT/build"

# The tests check the traces and the DBC file with other CAN tools: python-can, canmatrix
# and can-utils.
# The install test checks the menu entry and metainfo with the desktop's own validators; CPack
# builds the Debian package with dpkg-shlibdeps, which needs file to find the programs.
telqar_packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-serialbus-dev qt6-serialport-dev
  qt6-multimedia-dev qt6-svg-dev libqt6svg6 libqt6serialbus6 qt6-qpa-plugins
  gstreamer1.0-plugins-base fonts-dejavu-core
  python3-can python3-canmatrix can-utils
  desktop-file-utils appstream dpkg-dev file poppler-utils
)

# A name counts as there when a package of that name is installed or an installed package
# provides it.
telqar_installed_names() {
  dpkg-query -W -f='${db:Status-Abbrev} ${Package}, ${Provides}\n' 2>/dev/null \
    | sed -n 's/^ii *//p' | tr ',' '\n' | sed 's/^ *//; s/ .*//; s/:.*//' | sort -u
}

telqar_install_missing() {
  local missing=()
  local package
  local installed
  installed=$(telqar_installed_names)
  for package in "$@"; do
    grep -qxF "$package" <<<"$installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# telqar_build [FOLDER [OPTION...]]: FOLDER is build/ by default; the CMake options count when
# the folder is first configured.
# A failed configure leaves CMakeCache.txt but writes no Makefile, so the Makefile is what says
# a configure got through. Once it exists, each build re-runs a later configure that failed, or
# one that a changed CMakeLists.txt calls for, by itself.
telqar_build() {
  local build=${1:-$TELQAR_BUILD}
  if [ ! -f "$build/Makefile" ]; then
    cmake -S "$TELQAR_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${@:2}"
  fi
  cmake --build "$build" -j2
}
