#!/usr/bin/env bash
# Installs what is missing, builds Korvane and runs every test: the unit and
# window tests, the print test against a print spooler of its own, and the
# whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
# Runs as the caller: only the installing of missing packages asks for root.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_WARNINGS_AS_ERRORS=ON
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

# the whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer;
# any report fails the run
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DKORVANE_BENCHMARKS=OFF -DKORVANE_WARNINGS_AS_ERRORS=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

scripts/fuzz.sh
