#!/usr/bin/env bash
# Start-up shows only the tray icon; a double click shows the window; a second start shows the
# start-up notice and ends, the first going on; a right click opens the menu, whose last item
# ends the program normally. A session bus that does not answer and a compositor that does not
# either hold nothing up. On a StatusNotifierItem host (a watcher on the session bus, as KDE Plasma
# has) the item has the name as title, the status line in its tool tip, opens the main window when
# activated, exports the menu as it stands, with items that act, and needs attention in countdowns.
source "$(dirname "$0")/lib.sh"
e2e_start_desktop
folder="$E2E_TMP/install"
e2e_install "$folder"
e2e_start_program "$folder"

read -r x y < <(e2e_wait_tray_icon)
sleep 1
! e2e_window "Dorvex Zede" >/dev/null || e2e_fail "the main window shows at start-up"
# Its wake-ups may come a twentieth of a second late, to fall in with the machine's others.
slack=$(cat "/proc/$(pgrep -s "$E2E_LAST_PID" -x dorvexzede)/timerslack_ns")
[[ $slack == 50000000 ]] || e2e_fail "the timer slack is $slack ns"

xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
e2e_wait_window "Dorvex Zede" 10 >/dev/null

# Started as on a Wayland session, where keyboard and mouse count as in use.
second="$E2E_TMP/second"
e2e_install "$second"
XDG_SESSION_TYPE=wayland e2e_start_program "$second"
notice=$(e2e_wait_window "Dorvex Zede Start Up Error")
xdotool windowactivate --sync "$notice" key alt+e
status=$(e2e_wait_exit "$second")
[[ $status == 0 ]] || e2e_fail "the notice ended with status $status"
[[ ! -e $second/Log/DorvexL.log ]] || e2e_fail "the second start wrote a log"
said=$(grep -c "^Dorvex Zede cannot watch keyboard and mouse: a Wayland session .*; they count as in use$" \
    "$second/stderr.txt")
[[ $said == 1 ]] || e2e_fail "the Wayland session told $said times on standard error"
[[ ! -s $folder/status.txt ]] || e2e_fail "the first instance ended"

# "Close Dorvex Zede", the menu's last item, chosen with the keyboard. Another right click within
# the double-click time would be a double click.
sleep 1
e2e_open_tray_menu "$x" "$y"
[[ -z ${E2E_SHOTS:-} ]] || import -window root "$E2E_SHOTS/tray-menu.png"
xdotool key Up Return
e2e_expect_end "$folder" "Exit/*"

# A session bus whose daemon is stopped and a compositor socket that nobody serves (the program
# takes the X display before it): the tray icon comes within seconds all the same (a wait on either would take minutes), the log is written and
# SIGTERM ends the program normally.
setsid dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/frozen-bus" >/dev/null 2>&1 &
E2E_GROUPS+=($!)
frozen=$!
e2e_wait 20 test -s "$E2E_TMP/frozen-bus" || e2e_fail "no bus to stop"
kill -STOP "$frozen"
setsid /usr/bin/python3 -c 'import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(8)
time.sleep(600)' "$XDG_RUNTIME_DIR/wayland-silent" &
E2E_GROUPS+=($!)
e2e_wait 20 test -S "$XDG_RUNTIME_DIR/wayland-silent" || e2e_fail "no silent socket"
folder="$E2E_TMP/unanswered"
e2e_install "$folder"
started=$SECONDS
E2E_SESSION_BUS=$(head -n 1 "$E2E_TMP/frozen-bus") WAYLAND_DISPLAY=wayland-silent \
    e2e_start_program "$folder" -InhibitUpdate
e2e_wait 10 e2e_tray_icon || e2e_fail "no tray icon with a stopped bus: $(cat "$folder/stderr.txt")"
((SECONDS - started <= 10)) || e2e_fail "the tray icon came after $((SECONDS - started)) s"
e2e_wait 10 grep -q "Start     , Initialise" "$folder/Log/DorvexL.log" || e2e_fail "no log"
grep -qx "Dorvex Zede: the session bus does not answer; the program starts without it" \
    "$folder/stderr.txt" || e2e_fail "not told: $(cat "$folder/stderr.txt")"
e2e_signal_program TERM
e2e_expect_end "$folder" "Exit/*"
kill -CONT "$frozen"

setsid dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/bus" >/dev/null 2>&1 &
E2E_GROUPS+=($!)
e2e_wait 20 test -s "$E2E_TMP/bus" || e2e_fail "no session bus"
export E2E_SESSION_BUS=$(head -n 1 "$E2E_TMP/bus") DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")
setsid /usr/bin/python3 -m dbusmock --session -l "$E2E_TMP/watcher.log" org.kde.StatusNotifierWatcher \
    /StatusNotifierWatcher org.kde.StatusNotifierWatcher >/dev/null 2>&1 &
E2E_GROUPS+=($!)
mock() { gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher -m "$@"; }
e2e_wait 20 mock org.freedesktop.DBus.Mock.AddMethod "" RegisterStatusNotifierItem s "" "" ||
    e2e_fail "no watcher"
mock org.freedesktop.DBus.Mock.AddProperties org.kde.StatusNotifierWatcher \
    "{'IsStatusNotifierHostRegistered': <true>, 'ProtocolVersion': <0>}" >/dev/null
# The item registered last, its properties and its menu as the host shows it.
item() { sed -n 's/.*RegisterStatusNotifierItem "\([^"]*\)".*/\1/p' "$E2E_TMP/watcher.log" | tail -n 1; }
property() { gdbus call --session -d "$(item)" -o /StatusNotifierItem -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$1"; }
shows() { property "$1" | grep -qE "$2"; }
menu() { /usr/bin/python3 "$E2E_SOURCE/tests/e2e/sni_menu.py" "$(item)" "$@"; }

folder="$E2E_TMP/status-notifier"
e2e_install "$folder"
# Test timings would bring the countdown, and with it the main window, within seconds.
e2e_start_program "$folder" -InhibitUpdate
e2e_wait 20 grep -q RegisterStatusNotifierItem "$E2E_TMP/watcher.log" || e2e_fail "no item registered"
[[ $(property Title) == "(<'Dorvex Zede'>,)" ]] || e2e_fail "title $(property Title)"
# Below the name the status line, as the monitoring has it.
e2e_wait 20 shows ToolTip "'Dorvex Zede\\\\n(Activity|No activity for [0-9]+s)'" || e2e_fail "tool tip $(property ToolTip)"
! e2e_window "Dorvex Zede" >/dev/null || e2e_fail "the main window shows at start-up"

gdbus call --session -d "$(item)" -o /StatusNotifierItem -m org.kde.StatusNotifierItem.Activate 0 0 >/dev/null
e2e_wait_window "Dorvex Zede" 5 >/dev/null
[[ $(menu) == "About Dorvex Zede|-|Minimise|Reset|Test|Update|-|Close Dorvex Zede" ]] || e2e_fail "menu $(menu)"
menu "Close Dorvex Zede" >/dev/null
# The log, not the status, tells the end: LeakSanitizer finds QtDBus memory that Qt's item leaves.
e2e_wait 10 grep -q ", Exit      , " "$folder/Log/DorvexL.log" || e2e_fail "Close did not close"

# The countdown needs attention and leaves only Cancel in the menu (the window's activation as it
# shows gives Close back until the next step), which cancels it; the new run needs none.
folder="$E2E_TMP/status-notifier-countdown"
e2e_install "$folder" $'[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=1\r\nStopTime=12300\r\n[Shutdown]\r\nShutType=1\r\n'
e2e_start_program "$folder" -InhibitShutdown
e2e_wait 30 shows Status NeedsAttention || e2e_fail "status $(property Status)"
locked() { [[ $(menu) == "About Dorvex Zede (disabled)|-|Cancel|Minimise (disabled)|Test (disabled)|Update (disabled)|-|Close Dorvex Zede (disabled)" ]]; }
e2e_wait 5 locked || e2e_fail "countdown menu $(menu)"
menu Cancel >/dev/null
e2e_wait 10 grep -q "Reset     , Power Off" "$folder/Log/DorvexL.log" || e2e_fail "Cancel did not cancel"
e2e_wait 10 shows Status Active || e2e_fail "status after the countdown $(property Status)"
