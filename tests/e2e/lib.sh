#!/usr/bin/env bash
# Helpers for end-to-end tests of the real program: a private X server with a window manager and
# tray, a session bus, and bounded waits. Everything started here is stopped when the test exits.
set -euo pipefail

E2E_PROGRAM=${E2E_PROGRAM:?path of the dorvexzede executable}
E2E_SOURCE=${E2E_SOURCE:?the source folder}
E2E_TMP=$(mktemp -d /tmp/dorvex-e2e-XXXXXX)
# No test may ever reach the real login manager.
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$E2E_TMP/no-system-bus"
E2E_PIDS=()

E2E_GROUPS=()

e2e_cleanup() {
    local pid
    # A program runs in a session of its own with its bus daemon: the whole group goes.
    for pid in "${E2E_GROUPS[@]}"; do
        kill -- "-$pid" 2>/dev/null || true
    done
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${E2E_PIDS[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    [[ -n ${E2E_SHOT_ON_FAIL:-} ]] && import -display "$DISPLAY" -window root "$E2E_SHOT_ON_FAIL" 2>/dev/null
    exit 1
}

# Runs a command until it succeeds, for at most the given seconds.
e2e_wait() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
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
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$E2E_TMP/display" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    e2e_wait 30 test -s "$E2E_TMP/display" || e2e_fail "the X server did not start"
    export DISPLAY=":$(cat "$E2E_TMP/display")"
    # The desktop the tests run in may be a Wayland one; this one is X only.
    unset WAYLAND_DISPLAY XDG_SESSION_TYPE
    icewm >"$E2E_TMP/icewm.log" 2>&1 &
    local icewm=$!
    E2E_PIDS+=($icewm)
    # The program looks for a tray when it starts: the tray must be up first.
    e2e_wait 60 sh -c "! kill -0 $icewm || xwininfo -root -tree | grep -q '\"SystemTray\"'" || true
    kill -0 "$icewm" 2>/dev/null || e2e_fail "the window manager ended: $(cat "$E2E_TMP/icewm.log")"
    xwininfo -root -tree | grep -q '"SystemTray"' || e2e_fail "no tray"
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
}

# A demo installation: Data/DorvexL.ini with the given text (the shipped one by default), Log/.
e2e_install() {
    local folder=$1
    mkdir -p "$folder/Data" "$folder/Log"
    if [[ $# -ge 2 ]]; then
        printf '%s' "$2" >"$folder/Data/DorvexL.ini"
    else
        cp "$E2E_SOURCE/desktop/DorvexL.ini" "$folder/Data/DorvexL.ini"
    fi
}

# Starts the program in a folder with its own session bus (the one at E2E_SESSION_BUS when that is
# set); sets E2E_LAST_PID. Its standard error goes to $folder/stderr.txt and its exit status to
# $folder/status.txt.
e2e_start_program() {
    local folder=$1 bus=(dbus-run-session --)
    shift
    [[ -n ${E2E_SESSION_BUS:-} ]] && bus=(env "DBUS_SESSION_BUS_ADDRESS=$E2E_SESSION_BUS")
    # A background job ignores SIGINT: the program gets the default back, as from a terminal.
    setsid bash -c 'cd "$1" && shift && "$@" 2>stderr.txt; echo $? >status.txt' \
        _ "$folder" "${bus[@]}" env --default-signal=INT "$E2E_PROGRAM" "$@" &
    E2E_LAST_PID=$!
    E2E_GROUPS+=($E2E_LAST_PID)
}

# Sends a signal to the program itself (not its bus daemon) started last.
e2e_signal_program() {
    local pid
    pid=$(pgrep -s "$E2E_LAST_PID" -x dorvexzede) || e2e_fail "the program is not running"
    kill -s "$1" "$pid"
}

# The program in the folder ends with status 0 and its log's last event matches the pattern.
e2e_expect_normal_end() {
    local folder=$1 pattern=$2 status last
    status=$(e2e_wait_exit "$folder")
    [[ $status == 0 ]] || e2e_fail "exit status $status"
    last=$(e2e_log_events "$folder" | tail -n 1)
    # shellcheck disable=SC2053 # a pattern
    [[ $last == $pattern ]] || e2e_fail "the log ends with \"$last\", not \"$pattern\""
}

# Waits for the program started in the folder to end; prints its exit status.
e2e_wait_exit() {
    local folder=$1 seconds=${2:-20}
    e2e_wait "$seconds" test -s "$folder/status.txt" || e2e_fail "the program did not end"
    cat "$folder/status.txt"
}

# The id of the visible window with exactly this title.
e2e_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1
}

e2e_wait_window() {
    local title=$1 seconds=${2:-20}
    e2e_wait "$seconds" sh -c "xdotool search --onlyvisible --name '^$title\$' | grep -q ." ||
        e2e_fail "no window \"$title\""
    e2e_window "$title"
}

# The centre of the program's tray icon, "x y", once the tray has embedded it.
e2e_tray_icon() {
    xwininfo -root -tree |
        sed -n 's/.*("dorvexzede" "Dorvex Zede")  \([0-9]*\)x\([0-9]*\)+[-0-9]*+[-0-9]*  +\([0-9]*\)+\([0-9]*\).*/\1 \2 \3 \4/p' |
        awk '$1 <= 64 && $2 <= 64 { print $3 + int($1 / 2), $4 + int($2 / 2); exit }'
}

e2e_wait_tray_icon() {
    local deadline=$((SECONDS + 20)) icon
    until icon=$(e2e_tray_icon) && [[ -n $icon ]]; do
        ((SECONDS < deadline)) || e2e_fail "no tray icon"
        sleep 0.2
    done
    echo "$icon"
}

# The number of the program's visible windows, menus included.
e2e_visible_windows() {
    { xdotool search --onlyvisible --classname dorvexzede 2>/dev/null || true; } | wc -l
}

# Runs the command that opens the program's popup menu and waits for the menu; sets E2E_MENU_BASE
# to the number of windows there were before it.
e2e_open_menu_with() {
    E2E_MENU_BASE=$(e2e_visible_windows)
    "$@"
    e2e_wait 10 sh -c "[ \$(xdotool search --onlyvisible --classname dorvexzede | wc -l) -gt $E2E_MENU_BASE ]" ||
        e2e_fail "no popup menu"
}

# Opens the tray icon's menu with a right click on the icon at "x y".
e2e_open_tray_menu() {
    e2e_open_menu_with xdotool mousemove "$1" "$2" click 3
}

# The absolute position "x y" of a window.
e2e_position() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'
}

# The activity log's event lines as "Event/State".
e2e_log_events() {
    sed -n 's/^[0-9][0-9]:[0-9][0-9]:[0-9][0-9], \(.\{10\}\), \(.\{10\}\), Count:.*\r$/\1\/\2/p' \
        "$1/Log/DorvexL.log" | sed 's/ *\//\//; s/ *$//'
}
