#!/usr/bin/env bash
# A broken configuration shows its message and ends the program with status 1.
source "$(dirname "$0")/lib.sh"
e2e_start_desktop
folder="$E2E_TMP/install"
e2e_install "$folder" $'[Run]\r\nCPUOn=7\r\n'
e2e_start_program "$folder"
box=$(e2e_wait_window "Dorvex Zede Configuration File Error" 20)
xdotool windowactivate --sync "$box" key Return
status=$(e2e_wait_exit "$folder")
[[ $status == 1 ]] || e2e_fail "exit status $status"
grep -q "^The configuration file is corrupted.$" "$folder/stderr.txt" || e2e_fail "no message on standard error"
[[ ! -e $folder/Log/DorvexL.log ]] || e2e_fail "a log was written"
echo "1 passed, 0 failed"
