#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a short while on
# its corpus in the repository. New inputs go to a scratch folder, so the
# corpora stay small; a crash leaves its input in build-fuzz/ and fails.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-30}
cmake -S . -B build-fuzz -DKORVANE_WITH_QT=OFF -DKORVANE_BENCHMARKS=OFF -DKORVANE_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link"
cmake --build build-fuzz -j"$(nproc)" --target fuzz_number_reading fuzz_adjustment fuzz_observation_file

# removed however the run ends: success, a crash, or an interrupt
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# each target as its module and name: its corpus and dictionary are in <module>/fuzz/
for module_target in core/number_reading core/adjustment files/observation_file; do
    module=${module_target%/*}
    target=${module_target#*/}
    mkdir "$scratch/$target"
    # a target's dictionary names the tokens it gives a meaning to
    dictionary=()
    [ -f "$module/fuzz/$target.dict" ] && dictionary=(-dict="../$module/fuzz/$target.dict")
    echo "fuzzing $target for $seconds s"
    (cd build-fuzz && "./$module/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        "${dictionary[@]}" "$scratch/$target" "../$module/fuzz/corpus/$target" 2>&1 \
        | grep -E "^(Done|stat::number_of_executed_units)|ERROR|SUMMARY" )
done
