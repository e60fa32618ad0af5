#!/usr/bin/env bash
# Builds the coverage-guided fuzz targets with clang's libFuzzer (under
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs each on its
# committed corpus for the given number of seconds (60 by default; the
# README's test command runs them this way). For a long hunt:
#   bash tools/fuzz.sh 14400
# A crash stops the run; libFuzzer saves the input in build-fuzz/crash-*.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKIRIMO_CORE_ONLY=ON -DKIRIMO_FUZZ=ON -DKIRIMO_BENCH=OFF -DKIRIMO_WERROR=ON >/dev/null
cmake --build build-fuzz -j2 --target decode_fuzz reader_fuzz write_fuzz roundtrip_fuzz
passed=0
for target in decode reader write roundtrip; do
  # New finds go to a scratch copy; the committed corpus stays as it is.
  scratch=build-fuzz/corpus-$target
  mkdir -p "$scratch"
  cp -n fuzz/corpus/$target/* "$scratch/" 2>/dev/null || true
  echo "fuzzing $target for $seconds s"
  (cd build-fuzz && UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ./bin/${target}_fuzz -max_total_time="$seconds" -max_len=4096 -timeout=10 \
      -dict=../fuzz/cipher.dict -print_final_stats=1 "../$scratch" 2>"${target}.log") ||
    { tail -n 40 "build-fuzz/${target}.log"; echo "fuzz: $passed passed, 1 failed"; exit 1; }
  grep -E "^stat::number_of_executed_units" "build-fuzz/${target}.log" || true
  passed=$((passed + 1))
done
echo "fuzz: $passed passed, 0 failed"
