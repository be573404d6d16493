#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and UndefinedBehaviorSanitizer in a
# tree of their own and runs each on its seed corpus for at most SECONDS seconds or RUNS inputs
# (-1: no limit). Inputs found stay in build-fuzz/fuzz/corpus/; a finding is written as
# build-fuzz/fuzz/crash-* (or leak-*, timeout-*) and fails its test.
# Usage: scripts/fuzz.sh [SECONDS [RUNS]]   (defaults: 20 and 100000, a smoke run)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"
cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDORVEX_SANITIZE=ON -DDORVEX_FUZZ=ON -DBUILD_TESTING=OFF -DDORVEX_WITH_QT=OFF \
    -DDORVEX_FUZZ_SECONDS="${1:-20}" -DDORVEX_FUZZ_RUNS="${2:-100000}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target dorvex_fuzzers
cd "$build"
ctest --output-on-failure -j"$(nproc)" -L fuzz --timeout 0
