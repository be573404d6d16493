#!/usr/bin/env bash
# Installs what is missing, checks the C++ files' layout, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, runs all tests, then the Windows build's tests under Wine, then a
# short run of each fuzz target.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-packages.sh" "$root/scripts/debian-packages.txt" \
    "$root/scripts/debian-packages-test.txt"
"$root/scripts/check-format.sh"
build="$root/build-test"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DDORVEX_SANITIZE=ON >/dev/null
cmake --build "$build" -j"$(nproc)"
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
# The Windows program's tests under Wine.
"$root/scripts/test-windows.sh" "$@"
# A short run of every fuzz target, unless only some tests were asked for.
if [ $# -eq 0 ]; then
    "$root/scripts/fuzz.sh"
fi
