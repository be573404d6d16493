#!/usr/bin/env bash
# Cross-builds the Windows program with mingw-w64 in build-windows: a static, stripped
# dorvexzede.exe (Release) and the ZIP to install it from, dorvexzede-<version>-windows-x64.zip,
# with the program, Data\DorvexL.ini holding the shipped settings and an empty Log\, and the setup
# program DorvexZede-<version>-setup.exe (NSIS, packaging/windows/setup.nsi.in).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-packages.sh" "$root/scripts/debian-packages.txt"
build="$root/build-windows"
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DDORVEX_WITH_QT=OFF -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target dorvexzede_win dorvexzede_setup
(cd "$build" && cpack -G ZIP >/dev/null)
ls -l "$build/desktop/win32/dorvexzede.exe" "$build"/dorvexzede-*-windows-x64.zip "$build"/DorvexZede-*-setup.exe
