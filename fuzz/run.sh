#!/bin/bash
# Builds the fuzz targets of the parsers of untrusted input (serial speed sources, CAN frames,
# the user's files and identifiers) and of the log's record line with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, and runs each on a copy of its seed corpus
# in tests/<subsystem>/corpus/<target>. The targets are CMake's (option TELQAR_FUZZ), built
# with clang in a folder of their own: build-fuzz/, or TELQAR_FUZZ_BUILD.
#   fuzz/run.sh [SECONDS]   seconds per target, 60 by default
# Exits non-zero if a target does not build or finds a crash; its input is then kept in the
# work folder named at the end.
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${TELQAR_FUZZ_BUILD:-$root/build-fuzz}
# Configuring needs every Qt module the project finds, so the same packages as the build.
source "$root/scripts/setup.sh"
# Debian's unversioned names follow its default clang: its fuzzer and sanitizer runtimes come
# with libclang-rt-dev.
telqar_install_missing "${telqar_packages[@]}" clang libclang-rt-dev

work=$(mktemp -d "${TMPDIR:-/tmp}/telqar-fuzz.XXXXXX")
failed=0
trap '[ "$failed" -ne 0 ] || rm -rf "$work"' EXIT

# subsystem, target, longest input in bytes: a splitter stream runs past the 1024-byte bound,
# a sentence body stays below it, a VBOX payload is 34 bytes; a changelog runs past its line
# length and line count bounds, a status file needs less; the identifier lines leave room for
# nearly 300 frames of 14 bytes; four identifier fields of a dozen UTF-16 characters; a
# record's values take 148 bytes; a raw trace line about 60; ASC and PCAN-View traces need
# their head (a few hundred bytes, which changes how the lines after it read) and some lines; a
# log for the report its head and a few dozen records.
targets=("speed splitter 4096" "speed gps 1100" "speed vbox 64" "display status_captions 4096"
         "app changelog 8192" "protocol frame_decoder 4096" "protocol identifier 128"
         "log log_record 160" "trace candump 512" "trace asc 2048" "trace trc 2048"
         "report drive_log 4096")
binaries=()
for entry in "${targets[@]}"; do
  read -r subsystem name max_len <<<"$entry"
  binaries+=("fuzz_$name")
done
# -O1 without NDEBUG, as libFuzzer recommends: fast enough, and every check of the code stays.
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DTELQAR_FUZZ=ON -DBUILD_TESTING=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" >"$work/configure.log" \
  || { failed=1; cat "$work/configure.log"; exit 1; }
cmake --build "$build" -j2 --target "${binaries[@]}" >"$work/build.log" 2>&1 \
  || { failed=1; tail -n 40 "$work/build.log"; echo "build log kept in $work"; exit 1; }

for entry in "${targets[@]}"; do
  read -r subsystem name max_len <<<"$entry"
  mkdir -p "$work/corpus_$name" "$work/artifacts_$name"
  cp "$root/tests/$subsystem/corpus/$name"/* "$work/corpus_$name/"
  log=$work/fuzz_$name.log
  if "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=1024 -max_len="$max_len" -timeout=10 \
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
