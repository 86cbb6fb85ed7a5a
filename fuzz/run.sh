#!/bin/bash
# Builds the fuzz targets of the parsers of untrusted input (serial speed sources, CAN frames,
# the user's files and identifiers) and of the log's record line with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs each on a copy of its seed corpus
# in tests/<subsystem>/corpus/<target>.
#   fuzz/run.sh [SECONDS]   seconds per target, 60 by default
# Exits non-zero if a target does not build or finds a crash; its input is then kept in the
# work folder named at the end.
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
packages=(clang libclang-rt-14-dev pkg-config qt6-base-dev qt6-serialbus-dev)
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

# Qt is built for position-independent code; -fPIE is not enough for its headers. SerialBus
# only because the decoder's unit also drains the adapter.
qt=(Qt6Core Qt6SerialBus)
flags=(-std=c++20 -O1 -g -fPIC -fno-omit-frame-pointer -fno-sanitize-recover=all
       -I"$root" $(pkg-config --cflags "${qt[@]}"))
sources=(speed/uPacketSplitter.cpp speed/uGpsSpeed.cpp speed/uVboxSpeed.cpp speed/uCommaText.cpp
         speed/uDecimalText.cpp display/uNumberFormat.cpp settings/uIdentifiers.cpp
         display/uStatusCaptions.cpp app/uChangeLogText.cpp app/uTextCodec.cpp app/uTextFile.cpp
         can/uFrameDecoder.cpp can/PCANBasic.cpp can/uBusSpeeds.cpp log/uLogFormat.cpp
         log/uLogLocale.cpp)
objects=()
for source in "${sources[@]}"; do
  object=$work/$(basename "${source%.cpp}").o
  clang++ "${flags[@]}" -fsanitize=fuzzer-no-link,address,undefined -c "$root/$source" -o "$object"
  objects+=("$object")
done

# subsystem, target, longest input in bytes: a splitter stream runs past the 1024-byte bound,
# a sentence body stays below it, a VBOX payload is 34 bytes; a changelog runs past its line
# length and line count bounds, a status file needs less; the identifier lines leave room for
# nearly 300 frames of 14 bytes; four identifier fields of a dozen UTF-16 characters; a
# record's values take 148 bytes.
targets=("speed splitter 4096" "speed gps 1100" "speed vbox 64" "display status_captions 4096"
         "app changelog 8192" "can frame_decoder 4096" "settings identifier 128"
         "log log_record 160")
for entry in "${targets[@]}"; do
  read -r subsystem name max_len <<<"$entry"
  clang++ "${flags[@]}" -fsanitize=fuzzer,address,undefined "$here/fuzz_$name.cpp" "${objects[@]}" \
    $(pkg-config --libs "${qt[@]}") -o "$work/fuzz_$name"
done

for entry in "${targets[@]}"; do
  read -r subsystem name max_len <<<"$entry"
  mkdir -p "$work/corpus_$name" "$work/artifacts_$name"
  cp "$root/tests/$subsystem/corpus/$name"/* "$work/corpus_$name/"
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
