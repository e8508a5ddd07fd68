#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer and
# runs each on its seed corpus for a bounded time (FUZZ_SECONDS, at least 60). Any crash, leak
# or timeout fails the run. The readers and the settings file take inputs of up to 4 KiB; the
# large-input target takes recipes of up to 8 KiB and grows each into a file of 1 to 8 MiB.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
[ "$seconds" -ge 60 ] || seconds=60

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRELIN_BUILD_FUZZ=ON \
    -DSPRELIN_BUILD_TESTS=OFF -DSPRELIN_BUILD_GUI=OFF >/dev/null
targets=(touchstone_fuzz zetlabs_fuzz csv_fuzz settings_fuzz limits_fuzz large_fuzz)
declare -A max_len=([large_fuzz]=8192)
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/${target%_fuzz}"
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"${target%_fuzz}"/* "$corpus"/ 2>/dev/null || true
    echo "Fuzzing $target for $seconds s"
    log="build-fuzz/$target.log"
    status=0
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        "build-fuzz/fuzz/$target" -max_total_time="$seconds" -max_len="${max_len[$target]:-4096}" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/$target-" "$corpus" >"$log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|stat::new_units_added)" "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -n 40 "$log" >&2
        echo "$target failed with status $status" >&2
        exit 1
    fi
done
