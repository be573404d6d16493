#!/usr/bin/env bash
# Measures what the program costs on a desktop: the time from start to the tray icon, its resident
# and proportional memory, and its processor time per hour of monitoring with the window hidden.
# Usage: scripts/measure-cost.sh path/to/dorvexzede [seconds of monitoring, default 120]
set -euo pipefail
program=$(realpath "$1")
seconds=${2:-120}
export E2E_PROGRAM=$program
export E2E_SOURCE="$(cd "$(dirname "$0")/.." && pwd)"
source "$E2E_SOURCE/tests/e2e/lib.sh"
e2e_start_desktop
folder="$E2E_TMP/install"
e2e_install "$folder"

# Start-up: from the exec of the program to its icon in the tray.
(
    cd "$folder"
    exec setsid dbus-run-session -- sh -c 'date +%s%N >started; exec "$0" -InhibitUpdate' \
        "$program" 2>"$folder/stderr.txt"
) &
E2E_GROUPS+=($!)
until [[ -n $(e2e_tray_icon) ]]; do sleep 0.005; done
shown=$(date +%s%N)
echo "start-up to tray icon: $(((shown - $(cat "$folder/started")) / 1000000)) ms"

pid=$(pgrep -n -f "^$program -InhibitUpdate")
sleep 5
awk '/^Rss:/ { print "resident memory (RSS): " int($2 / 1024) " MB" }
     /^Pss:/ { print "proportional memory (PSS): " int($2 / 1024) " MB" }' "/proc/$pid/smaps_rollup"

# Processor time of all the program's threads in nanoseconds, as the scheduler counts it (clock
# ticks would be too coarse for a few milliseconds a minute), over the given monitoring time.
cpu_ns() { cat /proc/"$pid"/task/*/schedstat | awk '{ total += $1 } END { printf "%d", total }'; }
before=$(cpu_ns)
sleep "$seconds"
after=$(cpu_ns)
per_hour=$(((after - before) / 1000000 * 3600 / seconds))
echo "processor time per hour of monitoring (window hidden): $per_hour ms"
