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

scratch=$(mktemp -d /tmp/dorvex-wine-XXXXXX)
export WINEPREFIX="$scratch/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Every helper leads a process group of its own, which goes as a whole at the end.
groups=()
cleanup() {
    wineserver -k 2>/dev/null || true
    local pid
    for pid in "${groups[@]}"; do
        kill -- "-$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT
# An interrupted run ends through the same clean-up.
trap 'exit 130' INT TERM

# The server takes a free display itself, so that runs beside this one never collide.
setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
groups+=($!)
for _ in $(seq 300); do
    [ -s "$scratch/display" ] && break
    sleep 0.1
done
[ -s "$scratch/display" ] || { echo "the X server did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$scratch/display")"
unset WAYLAND_DISPLAY XDG_SESSION_TYPE
setsid icewm >"$scratch/icewm.log" 2>&1 &
groups+=($!)

# A lasting Wine server, started before CTest: otherwise Wine's background processes inherit
# CTest's pipes and every test waits for them.
mkdir -p "$WINEPREFIX"
wineserver -p
wine cmd /c exit
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
