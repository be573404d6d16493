#!/usr/bin/env bash
# A whole -InhibitShutdown cycle with nobody at the keyboard ends in the simulate message; OK ends
# the program with status 0 and the log holds the cycle, also when the tray menu is held open
# over the idle limit and into the countdown. SIGTERM during a countdown ends the program normally.
source "$(dirname "$0")/lib.sh"
e2e_start_desktop
# Keyboard and mouse only, so that the machine's load does not matter.
config=$'[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=1\r\nStopTime=12300\r\n[Shutdown]\r\nShutType=1\r\n'

folder="$E2E_TMP/terminated"
e2e_install "$folder" "$config"
e2e_start_program "$folder" -InhibitShutdown
e2e_wait_window "Dorvex Zede" 45 >/dev/null
e2e_signal_program TERM
e2e_expect_normal_end "$folder" "Exit/Power Off"

folder="$E2E_TMP/install"
e2e_install "$folder" "$config"
e2e_start_program "$folder" -InhibitShutdown
read -r x y < <(e2e_wait_tray_icon)

# The menu is held open while the idle limit passes: the countdown begins on time all the same.
e2e_open_tray_menu "$x" "$y"
e2e_wait 20 grep -q "Enter     , Power Off" "$folder/Log/DorvexL.log" ||
    e2e_fail "no countdown while the menu was open"
xdotool key Escape

box=$(e2e_wait_window "Dorvex Zede Simulate Power Off" 10)
main=$(e2e_window "Dorvex Zede")
[[ -n $main ]] || e2e_fail "the countdown did not show the main window"
xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || e2e_fail "the countdown is not on top"
grep -q "^Test Real Power Off$" "$folder/stderr.txt" || e2e_fail "the message is not on standard error"

xdotool windowactivate --sync "$box" key Return
status=$(e2e_wait_exit "$folder")
[[ $status == 0 ]] || e2e_fail "exit status $status"
expected=$'Start/Initialise\nEnter/Run\nEnter/Power Off\nStart/Power Off\nSimulate/Power Off\nClose/Power Off\nExit/Power Off'
events=$(e2e_log_events "$folder")
[[ $events == "$expected" ]] || e2e_fail "log events: $events"
echo "1 passed, 0 failed"
