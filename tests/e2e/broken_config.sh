#!/usr/bin/env bash
# A broken configuration shows its message and ends the program with status 1. A mistyped switch
# (status 2) and a missing or unreachable display (status 1) end it before any window, with their
# own message.
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
# "x" is the private X server, where the program would start if it did not refuse; "none" no display.
while read -r expected display message args; do
    [[ $display == x ]] && display=$DISPLAY
    [[ $display == none ]] && display=
    status=0
    (cd "$folder" && env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" \
        timeout 20 "$E2E_PROGRAM" $args >/dev/null 2>"$E2E_TMP/said") || status=$?
    [[ $status == "$expected" ]] || e2e_fail "$args on \"$display\": status $status"
    head -n 1 "$E2E_TMP/said" | grep -q "$message" || e2e_fail "$args: said $(cat "$E2E_TMP/said")"
    if [[ $expected == 1 ]]; then
        [[ $(wc -l <"$E2E_TMP/said") == 1 ]] || e2e_fail "more than one line: $(cat "$E2E_TMP/said")"
    else
        grep -q "^Usage: dorvexzede" "$E2E_TMP/said" || e2e_fail "no usage"
    fi
done <<'EOF'
2 x ^dorvexzede:.unknown.switch."-InhibitShutdwn"$ -InhibitShutdwn
2 x ^dorvexzede:.unknown.switch."-allowmulti"$ -InhibitShutdown -allowmulti
2 x unknown.switch."-InhibitUpdateAndMore" -InhibitUpdateAndMore
1 none needs.a.graphical.session:.neither.DISPLAY -InhibitShutdown
1 :31999 needs.a.graphical.session:.the.display.:31999.cannot -InhibitShutdown
EOF
[[ ! -e $folder/Log/DorvexL.log ]] || e2e_fail "a log was written"
echo "1 passed, 0 failed"
