#!/usr/bin/env bash
# Measures what the program costs on a desktop, beside references run in the same X server at the
# same time (the machine's load is shared and noisy; ratios to them are not): a bare C loop taking
# the program's sample once a second, and a bare Qt tray program with an empty 1-second timer and
# with that sample. It prints the time from start to the tray icon of the program and of the Qt
# program with the sample, and for each the resident and proportional memory, the processor time
# per hour and the context switches per minute of monitoring with the window hidden.
# Each runs as several copies at once, and each figure is the median of its copies: a copy's
# timer phase against the others' (all share one processor's caches) moves its processor time by
# up to a quarter, and stays for the whole run.
# Usage: scripts/measure-cost.sh path/to/dorvexzede [seconds of monitoring, default 120]
#        [copies of each, default 3]
# The references are the bench/ programs of the same build (a build with BUILD_TESTING).
set -euo pipefail
program=$(realpath "$1")
seconds=${2:-120}
copies=${3:-3}
bench=$(realpath "$(dirname "$program")/../bench")
for reference in sample_loop_reference tray_reference tray_icon_wait; do
    [[ -x $bench/$reference ]] || { echo "missing $bench/$reference: build the bench/ targets" >&2; exit 2; }
done
export E2E_PROGRAM=$program
E2E_SOURCE="$(cd "$(dirname "$0")/.." && pwd)"
export E2E_SOURCE
source "$E2E_SOURCE/tests/e2e/lib.sh"
e2e_start_desktop
lifetime=$((seconds + 120)) # the references end by themselves after this

# Starts a command in an install folder of its own, in a session of its own with its own bus and
# runtime folder (where the program keeps its single-instance lock) as the program has; sets
# started_pid to its process. The first copy of each (COPY 0) is timed: started_ms becomes the
# milliseconds from its exec to its icon in the tray (the icon's class is the command's name),
# which an X client waits for, so that nothing is started while waiting. Further copies are given
# a few seconds: a tray full of icons shows some of them only when there is room.
start_copy() {
    local copy=$1 class=$2 shown started group answers folder
    shift 2
    folder=$(mktemp -d "$E2E_TMP/install.XXXX")
    e2e_install "$folder"
    mkdir -m 700 "$folder/runtime"
    if ((copy == 0)); then
        rm -f "$E2E_TMP/icon"
        mkfifo "$E2E_TMP/icon"
        "$bench/tray_icon_wait" "$class" 60 >"$E2E_TMP/icon" &
        E2E_PIDS+=($!)
        exec {answers}<"$E2E_TMP/icon"
        read -r _ <&"$answers" # ready
    fi
    (
        cd "$folder"
        export XDG_RUNTIME_DIR=$folder/runtime
        exec setsid dbus-run-session -- bash -c 'echo "${EPOCHREALTIME/./}" >"started-$0"; exec "$@"' \
            "$class" "$@" 2>>"$folder/stderr.txt"
    ) &
    group=$!
    E2E_GROUPS+=("$group")
    if ((copy == 0)); then
        read -r shown <&"$answers" || { cat "$folder/stderr.txt" >&2; e2e_fail "no tray icon of $class"; }
        exec {answers}<&-
        started=$(cat "$folder/started-$class")
        started_ms=$(((shown / 1000 - started) / 1000))
    else
        sleep 3
    fi
    started_pid=$(pgrep -s "$group" -x "${class:0:15}") || {
        cat "$folder/stderr.txt" >&2
        e2e_fail "$class did not start"
    }
}

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

# The first client of a fresh X server pays for what the server and the tray set up once: an
# empty Qt tray goes first, and its start-up is left out. The copies of each go in turns.
names=(program "C loop" "Qt tray" "Qt tray + sample")
declare -A pids
declare -a rss pss # of the first copies
for ((copy = 0; copy < copies; copy++)); do
    start_copy "$copy" tray_reference "$bench/tray_reference" "$lifetime"
    pids[2,$copy]=$started_pid
    start_copy "$copy" tray_reference "$bench/tray_reference" "$lifetime" sample
    pids[3,$copy]=$started_pid
    ((copy > 0)) || tray_start=$started_ms
    start_copy "$copy" dorvexzede "$program" -InhibitUpdate
    pids[0,$copy]=$started_pid
    ((copy > 0)) || program_start=$started_ms
    "$bench/sample_loop_reference" "$lifetime" 2>>"$E2E_TMP/stderr.txt" &
    E2E_PIDS+=($!)
    pids[1,$copy]=$!
    # Memory of the first copies, before further copies share their pages and so their PSS.
    if ((copy == 0)); then
        sleep 5
        for subject in 0 1 2 3; do
            read -r "rss[$subject]" "pss[$subject]" < <(memory "${pids[$subject,0]}")
        done
    fi
done
sleep 5

declare -A cpu_before cpu_after voluntary_before voluntary_after forced_before forced_after
for key in "${!pids[@]}"; do
    cpu_before[$key]=$(cpu_ns "${pids[$key]}")
    read -r "voluntary_before[$key]" "forced_before[$key]" < <(switches "${pids[$key]}")
done
sleep "$seconds"
for key in "${!pids[@]}"; do
    cpu_after[$key]=$(cpu_ns "${pids[$key]}")
    read -r "voluntary_after[$key]" "forced_after[$key]" < <(switches "${pids[$key]}")
done

median() { printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# The median over the copies of subject $1 of the figure the command prints for a copy's key.
over_copies() {
    local subject=$1 copy figures=()
    shift
    for ((copy = 0; copy < copies; copy++)); do figures+=("$("$@" "$subject,$copy")"); done
    median "${figures[@]}"
}
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
# Figures of one copy, by its key.
cpu_per_hour() { echo $(((cpu_after[$1] - cpu_before[$1]) * 3600 / seconds / 1000000)); }
per_minute() { echo $((($1 - $2) * 60 / seconds)); }
voluntary() { per_minute "${voluntary_after[$1]}" "${voluntary_before[$1]}"; }
forced() { per_minute "${forced_after[$1]}" "${forced_before[$1]}"; }
all_switches() { echo $(($(voluntary "$1") + $(forced "$1"))); }
# One line: the figure's median for the program and each reference, with the program's ratios.
report_median() {
    local title=$1 unit=$2 subject values=()
    shift 2
    for subject in 0 1 2 3; do values+=("$(over_copies "$subject" "$@")"); done
    report "$title" "$unit" "${values[@]}"
}
echo "machine load: $(uptime | sed 's/.*load average/load average/')"
echo "copies of each: $copies; each figure is their median"
echo "start-up to tray icon (first copies): program $program_start ms; Qt tray + sample $tray_start ms (program $(ratio "$program_start" "$tray_start") times)"
megabytes() { awk -v kB="$1" 'BEGIN { printf "%.1f", kB / 1024 }'; }
declare -a values
for subject in 0 1 2 3; do values[subject]=$(megabytes "${rss[subject]}"); done
report "resident memory (RSS) of the first copies" " MB" "${values[@]}"
for subject in 0 1 2 3; do values[subject]=$(megabytes "${pss[subject]}"); done
report "proportional memory (PSS) of the first copies" " MB" "${values[@]}"
report_median "processor time per hour of monitoring (window hidden)" " ms" cpu_per_hour
# Each copy's figure too: copies of one build differ by up to a third in the same run.
for subject in 0 1 2 3; do
    line="  each copy: ${names[subject]}"
    for ((copy = 0; copy < copies; copy++)); do line+=" $(cpu_per_hour "$subject,$copy") ms"; done
    echo "$line"
done
report_median "context switches a minute (window hidden)" "" all_switches
report_median "  of them voluntary" "" voluntary
report_median "  of them involuntary" "" forced
