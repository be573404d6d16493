#!/usr/bin/env bash
# Measures what the program costs on a desktop, beside references run in the same X server at the
# same time (the machine's load is shared and noisy; ratios to them are not): a bare C loop taking
# the program's sample once a second, and a bare Qt tray program with an empty 1-second timer and
# with that sample. It prints the time from start to the tray icon of the program and of the Qt
# program with the sample, and for each the resident and proportional memory, the processor time
# per hour and the context switches per minute of monitoring with the window hidden.
# Usage: scripts/measure-cost.sh path/to/dorvexzede [seconds of monitoring, default 120]
# The references are the bench/ programs of the same build (a build with BUILD_TESTING).
set -euo pipefail
program=$(realpath "$1")
seconds=${2:-120}
bench=$(realpath "$(dirname "$program")/../bench")
for reference in sample_loop_reference tray_reference tray_icon_wait; do
    [[ -x $bench/$reference ]] || { echo "missing $bench/$reference: build the bench/ targets" >&2; exit 2; }
done
export E2E_PROGRAM=$program
E2E_SOURCE="$(cd "$(dirname "$0")/.." && pwd)"
export E2E_SOURCE
source "$E2E_SOURCE/tests/e2e/lib.sh"
e2e_start_desktop
folder="$E2E_TMP/install"
e2e_install "$folder"
lifetime=$((seconds + 120)) # the references end by themselves after this

# Starts a command in the install folder, in a session of its own with its own bus as the program
# has; sets started_ms to the milliseconds from its exec to its icon in the tray (the icon's class
# is the command's name) and started_pid to its process. An X client waits for the icon, so
# nothing is started while waiting.
start_to_tray() {
    local class=$1 shown started group answers
    shift
    rm -f "$E2E_TMP/icon"
    mkfifo "$E2E_TMP/icon"
    "$bench/tray_icon_wait" "$class" 60 >"$E2E_TMP/icon" &
    E2E_PIDS+=($!)
    exec {answers}<"$E2E_TMP/icon"
    read -r _ <&"$answers" # ready
    (
        cd "$folder"
        exec setsid dbus-run-session -- bash -c 'echo "${EPOCHREALTIME/./}" >"started-$0"; exec "$@"' \
            "$class" "$@" 2>>"$folder/stderr.txt"
    ) &
    group=$!
    E2E_GROUPS+=("$group")
    read -r shown <&"$answers" || e2e_fail "no tray icon of $class"
    exec {answers}<&-
    started=$(cat "$folder/started-$class")
    started_ms=$(((shown / 1000 - started) / 1000))
    started_pid=$(pgrep -s "$group" -x "${class:0:15}")
}

# The first client of a fresh X server pays for what the server and the tray set up once: the
# empty Qt tray goes first, and its start-up is left out.
names=(program "C loop" "Qt tray" "Qt tray + sample")
pids=()
start_to_tray tray_reference "$bench/tray_reference" "$lifetime"
pids[2]=$started_pid
start_to_tray tray_reference "$bench/tray_reference" "$lifetime" sample
pids[3]=$started_pid
tray_start=$started_ms
start_to_tray dorvexzede "$program" -InhibitUpdate
pids[0]=$started_pid
program_start=$started_ms
"$bench/sample_loop_reference" "$lifetime" 2>>"$folder/stderr.txt" &
E2E_PIDS+=($!)
pids[1]=$!
sleep 5

# Memory in kB: resident, then proportional.
memory() { awk '/^Rss:/ { rss = $2 } /^Pss:/ { pss = $2 } END { print rss, pss }' "/proc/$1/smaps_rollup"; }
# Processor time of all threads in nanoseconds as the scheduler counts it (clock ticks would be
# too coarse for a few milliseconds a minute), and their context switches.
cpu_ns() { cat /proc/"$1"/task/*/schedstat | awk '{ total += $1 } END { printf "%d", total }'; }
# Context switches of all threads: voluntary (waiting for the timer or a reply), then involuntary
# (taken off the processor by others, which says more about the machine's load than the program).
switches() {
    cat /proc/"$1"/task/*/status |
        awk '/^voluntary/ { v += $2 } /^nonvoluntary/ { n += $2 } END { print v, n }'
}

declare -a rss pss cpu_before cpu_after voluntary_before voluntary_after forced_before forced_after
for i in "${!pids[@]}"; do
    read -r "rss[i]" "pss[i]" < <(memory "${pids[i]}")
done
for i in "${!pids[@]}"; do
    cpu_before[i]=$(cpu_ns "${pids[i]}")
    read -r "voluntary_before[i]" "forced_before[i]" < <(switches "${pids[i]}")
done
sleep "$seconds"
for i in "${!pids[@]}"; do
    cpu_after[i]=$(cpu_ns "${pids[i]}")
    read -r "voluntary_after[i]" "forced_after[i]" < <(switches "${pids[i]}")
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "-" }'; }
# One figure of the program and the references, with the program's ratio to each.
report() {
    local title=$1 unit=$2 i
    shift 2
    local values=("$@") line="$title: program $1$unit"
    for i in 1 2 3; do
        line+="; ${names[i]} ${values[i]}$unit (program $(ratio "$1" "${values[i]}") times)"
    done
    echo "$line"
}
echo "machine load: $(uptime | sed 's/.*load average/load average/')"
echo "start-up to tray icon: program $program_start ms; Qt tray + sample $tray_start ms (program $(ratio "$program_start" "$tray_start") times)"
declare -a values
megabytes() { awk -v kB="$1" 'BEGIN { printf "%.1f", kB / 1024 }'; }
for i in "${!pids[@]}"; do values[i]=$(megabytes "${rss[i]}"); done
report "resident memory (RSS)" " MB" "${values[@]}"
for i in "${!pids[@]}"; do values[i]=$(megabytes "${pss[i]}"); done
report "proportional memory (PSS)" " MB" "${values[@]}"
for i in "${!pids[@]}"; do values[i]=$(((cpu_after[i] - cpu_before[i]) * 3600 / seconds / 1000000)); done
report "processor time per hour of monitoring (window hidden)" " ms" "${values[@]}"
per_minute() { echo $((($1 - $2) * 60 / seconds)); }
for i in "${!pids[@]}"; do
    values[i]=$(per_minute $((voluntary_after[i] + forced_after[i])) $((voluntary_before[i] + forced_before[i])))
done
report "context switches a minute (window hidden)" "" "${values[@]}"
for i in "${!pids[@]}"; do values[i]=$(per_minute "${voluntary_after[i]}" "${voluntary_before[i]}"); done
report "  of them voluntary" "" "${values[@]}"
for i in "${!pids[@]}"; do values[i]=$(per_minute "${forced_after[i]}" "${forced_before[i]}"); done
report "  of them involuntary" "" "${values[@]}"
