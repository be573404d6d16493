#!/usr/bin/env bash
# A second start shows the start-up notice and ends; the first goes on running.
source "$(dirname "$0")/lib.sh"
e2e_start_desktop
first="$E2E_TMP/first"
e2e_install "$first"
e2e_start_program "$first"
e2e_wait_tray_icon >/dev/null
first_pid=$E2E_LAST_PID

# Started as on a Wayland session, where keyboard and mouse count as in use.
second="$E2E_TMP/second"
e2e_install "$second"
XDG_SESSION_TYPE=wayland QT_QPA_PLATFORM=xcb e2e_start_program "$second"
notice=$(e2e_wait_window "Dorvex Zede Start Up Error" 20)
xdotool windowactivate --sync "$notice" key alt+e
status=$(e2e_wait_exit "$second")
[[ $status == 0 ]] || e2e_fail "the notice ended with status $status"
[[ ! -e $second/Log/DorvexL.log ]] || e2e_fail "the second start wrote a log"
said=$(grep -c "^Dorvex Zede cannot watch keyboard and mouse: a Wayland session .*; they count as in use$" \
    "$second/stderr.txt")
[[ $said == 1 ]] || e2e_fail "the Wayland session told $said times on standard error"
kill -0 "$first_pid" 2>/dev/null || e2e_fail "the first instance is gone"
[[ ! -s $first/status.txt ]] || e2e_fail "the first instance ended"
echo "1 passed, 0 failed"
