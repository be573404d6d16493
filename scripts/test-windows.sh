#!/usr/bin/env bash
# Cross-builds the Windows program and its tests with mingw-w64 in build-win and runs them under
# Wine through CTest, in a fresh Wine prefix with a private X server and icewm for the windows and
# the tray. Arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-win"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DDORVEX_WITH_QT=OFF -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j"$(nproc)"

# A private X server with icewm, up with its tray before any test starts, and the clean-up of
# everything started here, as for the end-to-end tests.
export E2E_PROGRAM="$build/desktop/win32/dorvexzede.exe" E2E_SOURCE="$root"
source "$root/tests/e2e/lib.sh"
export WINEPREFIX="$E2E_TMP/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k 2>/dev/null || true; e2e_cleanup' EXIT
# An interrupted run ends through the same clean-up.
trap 'exit 130' INT TERM
e2e_start_desktop

# A lasting Wine server, started before CTest: otherwise Wine's background processes inherit
# CTest's pipes and every test waits for them.
mkdir -p "$WINEPREFIX"
wineserver -p
wine cmd /c exit
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
