#!/usr/bin/env bash
# Builds Dorvex Zede and starts it in a demo installation (demo/ beside this script's folder) with
# "-InhibitShutdown": short timings, and a message at the end of the countdown instead of a power
# off. Leave mouse and keyboard alone for about 15 seconds to see the whole cycle.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-packages.sh" "$root/scripts/debian-packages.txt"
build="$root/build-release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target dorvexzede

demo="$root/demo"
mkdir -p "$demo/Data" "$demo/Log"
cp "$root/desktop/DorvexL.ini" "$demo/Data/DorvexL.ini"
echo "Demo installation: $demo (the activity log is $demo/Log/DorvexL.log)"
cd "$demo"
exec "$build/desktop/dorvexzede" -InhibitShutdown "$@"
