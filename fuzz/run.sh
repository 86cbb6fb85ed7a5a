#!/bin/bash
# Builds the fuzz targets of the serial speed sources with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each on a copy of its seed corpus.
#   fuzz/run.sh [SECONDS]   seconds per target, 60 by default
# Exits non-zero if a target does not build or finds a crash; its input is then kept in the
# work folder named at the end.
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
corpus=$root/tests/speed/corpus

packages=(clang libclang-rt-14-dev pkg-config qt6-base-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if ((${#missing[@]})); then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update
  "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/telqar-fuzz.XXXXXX")
failed=0
trap '[ "$failed" -ne 0 ] || rm -rf "$work"' EXIT

# Qt is built for position-independent code; -fPIE is not enough for its headers.
flags=(-std=c++20 -O1 -g -fPIC -fno-omit-frame-pointer -fno-sanitize-recover=all
       -I"$root" $(pkg-config --cflags Qt6Core))
sources=(speed/uPacketSplitter.cpp speed/uGpsSpeed.cpp speed/uVboxSpeed.cpp speed/uCommaText.cpp
         speed/uDecimalText.cpp display/uNumberFormat.cpp settings/uIdentifiers.cpp)
objects=()
for source in "${sources[@]}"; do
  object=$work/$(basename "${source%.cpp}").o
  clang++ "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$root/$source" -o "$object"
  objects+=("$object")
done

# target, longest input in bytes: a splitter stream runs past the 1024-byte bound, a sentence
# body stays below it, a VBOX payload is 34 bytes.
targets=("splitter 4096" "gps 1100" "vbox 64")
for entry in "${targets[@]}"; do
  read -r name max_len <<<"$entry"
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "$here/fuzz_$name.cpp" "${objects[@]}" \
    $(pkg-config --libs Qt6Core) -o "$work/fuzz_$name"
done

for entry in "${targets[@]}"; do
  read -r name max_len <<<"$entry"
  mkdir -p "$work/corpus_$name" "$work/artifacts_$name"
  cp "$corpus/$name"/* "$work/corpus_$name/"
  log=$work/fuzz_$name.log
  if "$work/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=1024 -max_len="$max_len" -timeout=10 \
       -print_final_stats=1 -artifact_prefix="$work/artifacts_$name/" "$work/corpus_$name" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz_$name: ${runs:-?} inputs in ${seconds} s, no crash"
  else
    failed=1
    echo "fuzz_$name: FAILED"
    tail -n 40 "$log"
  fi
done

if [ "$failed" -ne 0 ]; then
  echo "crashing inputs and logs kept in $work"
  exit 1
fi
