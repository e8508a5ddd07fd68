#!/usr/bin/env bash
# Builds everything and runs every test: the normal build, then the core under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzzers for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh
ensure_packages $BUILD_PACKAGES $FUZZ_PACKAGES
ensure_locales

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DSPRELIN_WERROR=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSPRELIN_WERROR=ON -DSPRELIN_SANITIZE=ON -DSPRELIN_BUILD_GUI=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-asan --output-on-failure -j"$jobs"

if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh
fi
echo "All tests passed."
