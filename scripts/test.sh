#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite headless:
# the normal build, the same tests under AddressSanitizer/UndefinedBehaviorSanitizer with leak
# checks, and the file-reader fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

JOBS=$(nproc)
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
export QT_QPA_PLATFORM=offscreen

# Printing tests go through a real print queue; once it is set up, its test must not be skipped.
if [ -x scripts/print-queue.sh ]; then
  scripts/print-queue.sh
  export KVIRO_PRINT_QUEUE_REQUIRED=1
fi

echo "== core without Qt"
cmake -S . -B build/core-only -G Ninja -DKVIRO_CORE_ONLY=ON -DKVIRO_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKVIRO_WERROR=ON >/dev/null
cmake --build build/core-only -j"$JOBS"

echo "== build and test"
cmake --preset dev >/dev/null
cmake --build --preset dev -j"$JOBS"
ctest --test-dir build/dev --output-on-failure

echo "== installation: Debian package, desktop entry, metadata, the unpacked program"
scripts/package-check.sh build/dev

echo "== benchmarks (smoke run)"
./build/dev/kviro_bench --benchmark_min_time=0 --benchmark_filter='BM_(GenerateAll|ValueAll)$|BM_Optimise_Smoke' >/dev/null

echo "== fuzzers"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$JOBS"
for f in build/fuzz/*_fuzzer; do
  [ -x "$f" ] || continue
  name=$(basename "$f" _fuzzer)
  name=${name%_reader}
  corpus=$(mktemp -d)
  cp -r fuzz/corpus/"$name"/. "$corpus"/ 2>/dev/null || true
  echo "-- $name for ${FUZZ_SECONDS}s"
  "$f" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" 2>&1 | tail -n 5
  rm -rf "$corpus"
done

echo "== sanitizers"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$JOBS"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:strict_string_checks=1"
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build/asan --output-on-failure

