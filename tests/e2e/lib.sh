#!/usr/bin/env bash
# Helpers for end-to-end tests of the real program: a private X server with a window manager and
# tray, a session bus, and bounded waits. Everything started here is stopped when the test exits.
set -euo pipefail

E2E_PROGRAM=${E2E_PROGRAM:?path of the dorvexzede executable}
E2E_SOURCE=${E2E_SOURCE:?the source folder}
E2E_TMP=$(mktemp -d /tmp/dorvex-e2e-XXXXXX)
# No test may ever reach the real login manager.
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$E2E_TMP/no-system-bus"
# Every helper process leads a process group of its own, which goes as a whole at the end.
E2E_GROUPS=()

e2e_cleanup() {
    local pid
    for pid in "${E2E_GROUPS[@]}"; do
        kill -- "-$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs a command until it succeeds, for at most the given seconds.
e2e_wait() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# A private X server with icewm, which is both window manager and tray host. The waits are long
# enough for a machine under load.
e2e_start_desktop() {
    # The server takes a free display itself: tests of other builds may start one at the same time,
    # and a number chosen here could be taken before the server gets it.
    setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$E2E_TMP/display" >/dev/null 2>&1 &
    E2E_GROUPS+=($!)
    e2e_wait 30 test -s "$E2E_TMP/display" || e2e_fail "the X server did not start"
    export DISPLAY=":$(cat "$E2E_TMP/display")"
    # The desktop the tests run in may be a Wayland one; this one is X only.
    unset WAYLAND_DISPLAY XDG_SESSION_TYPE
    setsid icewm >"$E2E_TMP/icewm.log" 2>&1 &
    E2E_GROUPS+=($!)
    # The program looks for a tray when it starts: the tray must be up first.
    e2e_wait 60 sh -c "xwininfo -root -tree | grep -q '\"SystemTray\"'" ||
        e2e_fail "no tray: $(cat "$E2E_TMP/icewm.log")"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
}

# A demo installation: Data/DorvexL.ini with the given text (the shipped one by default), Log/.
e2e_install() {
    mkdir -p "$1/Data" "$1/Log"
    if [[ $# -ge 2 ]]; then
        printf '%s' "$2" >"$1/Data/DorvexL.ini"
    else
        cp "$E2E_SOURCE/desktop/DorvexL.ini" "$1/Data/DorvexL.ini"
    fi
}

# Starts the program in a folder with its own session bus (the one at E2E_SESSION_BUS when that is
# set); sets E2E_LAST_PID. Its standard error goes to $folder/stderr.txt and its exit status to
# $folder/status.txt. With E2E_RUN set, it runs in a mount namespace of its own with that folder as
# its /run.
e2e_start_program() {
    local folder=$1 bus=(dbus-run-session --) run=()
    shift
    [[ -n ${E2E_SESSION_BUS:-} ]] && bus=(env "DBUS_SESSION_BUS_ADDRESS=$E2E_SESSION_BUS")
    [[ -n ${E2E_RUN:-} ]] && run=(unshare -m sh -c 'mount --bind "$0" /run && exec "$@"' "$E2E_RUN")
    # A background job ignores SIGINT: the program gets the default back, as from a terminal.
    setsid bash -c 'cd "$1" && shift && "$@" 2>stderr.txt; echo $? >status.txt' \
        _ "$folder" "${bus[@]}" env --default-signal=INT "${run[@]}" "$E2E_PROGRAM" "$@" &
    E2E_LAST_PID=$!
    E2E_GROUPS+=($E2E_LAST_PID)
}

# Sends a signal to the program itself (not its bus daemon) started last.
e2e_signal_program() {
    local pid
    pid=$(pgrep -s "$E2E_LAST_PID" -x dorvexzede) || e2e_fail "the program is not running"
    kill -s "$1" "$pid"
}

# Waits for the program started in the folder to end; prints its exit status.
e2e_wait_exit() {
    e2e_wait 20 test -s "$1/status.txt" || e2e_fail "the program did not end"
    cat "$1/status.txt"
}

# The program in the folder ends with status 0, and its log's event lines
# ("Event/State") match the pattern, or the last line does when the pattern has one line.
e2e_expect_end() {
    local status events
    status=$(e2e_wait_exit "$1")
    [[ $status == 0 ]] || e2e_fail "exit status $status"
    events=$(e2e_log_events "$1")
    [[ $2 == *$'\n'* ]] || events=${events##*$'\n'}
    # shellcheck disable=SC2053 # a pattern
    [[ $events == $2 ]] || e2e_fail "the log ends with \"$events\", not \"$2\""
}

# The id of the visible window with exactly this title; fails when there is none.
e2e_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 | grep .
}

e2e_wait_window() {
    e2e_wait "${2:-20}" e2e_window "$1" || e2e_fail "no window \"$1\""
    e2e_window "$1"
}

# The centre of the program's tray icon, "x y", once the tray has embedded it; fails before.
e2e_tray_icon() {
    xwininfo -root -tree |
        sed -n 's/.*("dorvexzede" "Dorvex Zede")  \([0-9]*\)x\([0-9]*\)+[-0-9]*+[-0-9]*  +\([0-9]*\)+\([0-9]*\).*/\1 \2 \3 \4/p' |
        awk '$1 <= 64 && $2 <= 64 { print $3 + int($1 / 2), $4 + int($2 / 2); exit }' | grep .
}

e2e_wait_tray_icon() {
    e2e_wait 20 e2e_tray_icon || e2e_fail "no tray icon"
    e2e_tray_icon
}

# The window manager marks the window as kept above the others, at its own time.
e2e_wait_on_top() {
    e2e_wait 10 sh -c "xprop -id $1 _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE"
}

# Whether the window manager stacks the first window above the second.
e2e_above() {
    local order upper lower
    order=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | xargs printf '%d\n')
    upper=$(grep -nx "$1" <<<"$order") lower=$(grep -nx "$2" <<<"$order")
    [[ -n $upper && -n $lower ]] && ((${upper%%:*} > ${lower%%:*}))
}

# Runs the command that opens a popup menu of the program: one more of its windows shows.
e2e_open_menu_with() {
    local before
    before=$({ xdotool search --onlyvisible --classname dorvexzede || true; } | wc -l)
    "$@"
    e2e_wait 10 sh -c "[ \$(xdotool search --onlyvisible --classname dorvexzede | wc -l) -gt $before ]" ||
        e2e_fail "no popup menu"
}

# Opens the tray icon's menu with a right click on the icon at "x y".
e2e_open_tray_menu() {
    e2e_open_menu_with xdotool mousemove "$1" "$2" click 3
}

# The activity log's event lines as "Event/State".
e2e_log_events() {
    sed -n 's/^[0-9][0-9]:[0-9][0-9]:[0-9][0-9], \(.\{10\}\), \(.\{10\}\), Count:.*\r$/\1\/\2/p' \
        "$1/Log/DorvexL.log" | sed 's/ *\//\//; s/ *$//'
}
