#!/usr/bin/env bash
# The Windows program under Wine, in the X server, tray and Wine prefix of the Windows test run
# (scripts/test-windows.sh). It imports only Windows' own libraries. Start-up shows only the tray
# icon; a double click shows the main window; a second start shows the start-up notice, which its
# Exit button ends; a right click opens the menu, whose last item ends the program normally. A whole
# -InhibitShutdown cycle ends in the simulate message above the countdown, OK ends the program
# with status 0 and the log holds the cycle as on Linux. A broken configuration shows its message
# and ends the program with status 1. The end of the session ends the program as its Exit command
# does (last: it ends Wine's tray as well). "--status" asks the instance running, and without one
# ends with status 3. With E2E_SHOTS set, screenshots go to that folder.
source "$E2E_SOURCE/tests/e2e/lib.sh"
[[ -n ${DISPLAY:-} && -n ${WINEPREFIX:-} ]] || e2e_fail "needs the X server and Wine prefix of scripts/test-windows.sh"

allowed='^(KERNEL32|USER32|GDI32|COMCTL32|SHELL32|ADVAPI32|POWRPROF|WINHTTP|IPHLPAPI|OLE32|WTSAPI32|MSVCRT|API-MS-WIN-[A-Z0-9-]*)\.DLL$'
for dll in $(x86_64-w64-mingw32-objdump -p "$E2E_PROGRAM" | sed -n 's/^\s*DLL Name: //p' | tr '[:lower:]' '[:upper:]'); do
    [[ $dll =~ $allowed ]] || e2e_fail "imports $dll"
done

# Starts the program under Wine in a folder, as e2e_start_program does for the Linux one.
start_program() {
    local folder=$1
    shift
    setsid bash -c 'cd "$1" && shift && "$@" 2>stderr.txt; echo $? >status.txt' \
        _ "$folder" wine "$E2E_PROGRAM" "$@" &
    E2E_GROUPS+=($!)
}

# The centre of the tray icon, "x y", once icewm has embedded the one Wine's tray shows.
tray_icon() {
    xwininfo -root -tree |
        sed -n 's/.*"YXTrayEmbedder": ()  \([0-9]*\)x\([0-9]*\)+[-0-9]*+[-0-9]*  +\([0-9]*\)+\([0-9]*\).*/\1 \2 \3 \4/p' |
        awk '{ print $3 + int($1 / 2), $4 + int($2 / 2); exit }' | grep .
}

shot() {
    [[ -z ${E2E_SHOTS:-} ]] || import -window root "$E2E_SHOTS/$1.png"
}

# "--status" into files (Wine's processes may hold a pipe); its JSON names the run mode given.
ask_status() { wine "$E2E_PROGRAM" --status >"$E2E_TMP/status.json" 2>"$E2E_TMP/status-error.txt"; }
in_mode() { ask_status && tr -d '\r' <"$E2E_TMP/status.json" >"$E2E_TMP/status-lf.json" && python3 -m json.tool "$E2E_TMP/status-lf.json" | grep -q "\"runMode\": \"$1\""; }
status=0
ask_status || status=$?
[[ $status == 3 && ! -s $E2E_TMP/status.json ]] && tr -d '\r' <"$E2E_TMP/status-error.txt" | grep -qx "dorvexzede: no instance of Dorvex Zede runs in this session" ||
    e2e_fail "--status without an instance: status $status, $(cat "$E2E_TMP/status-error.txt")"

folder="$E2E_TMP/install"
e2e_install "$folder"
# Normal timings; the update check at start would leave the loopback-less test machine.
start_program "$folder" -InhibitUpdate
e2e_wait 60 tray_icon || e2e_fail "no tray icon: $(cat "$folder/stderr.txt")"
read -r x y < <(tray_icon)
sleep 1
! e2e_window "Dorvex Zede" >/dev/null || e2e_fail "the main window shows at start-up"
xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
e2e_wait_window "Dorvex Zede" 10 >/dev/null
sleep 1
shot main-window


# "Close Dorvex Zede", the menu's last item, chosen with the keyboard, which reaches the menu
# through the main window, its owner.
sleep 1
e2e_open_tray_menu "$x" "$y"
sleep 1
shot tray-menu
xdotool windowfocus --sync "$(e2e_window "Dorvex Zede")" key Up Return
e2e_expect_end "$folder" "Exit/*"

# Keyboard and mouse only, so that the machine's load does not matter.
folder="$E2E_TMP/cycle"
e2e_install "$folder" $'[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=1\r\nStopTime=12300\r\n[Shutdown]\r\nShutType=1\r\n'
start_program "$folder" -InhibitShutdown
e2e_wait 60 grep -q "Enter     , Power Off" "$folder/Log/DorvexL.log" 2>/dev/null ||
    e2e_fail "no countdown: $(cat "$folder/stderr.txt")"
e2e_wait 30 in_mode countdown || e2e_fail "--status in the countdown: $(cat "$E2E_TMP/status.json" "$E2E_TMP/status-error.txt")"
shot countdown
box=$(e2e_wait_window "Dorvex Zede Simulate Power Off" 15)
main=$(e2e_window "Dorvex Zede") || e2e_fail "the countdown did not show the main window"
e2e_wait_on_top "$main" || e2e_fail "the countdown is not on top"
# Standard error is text, its lines ending in CR LF as on Windows.
tr -d '\r' <"$folder/stderr.txt" | grep -q "^Test Real Power Off$" || e2e_fail "the message is not on standard error"
shot simulate-message
xdotool windowfocus --sync "$box" key Return
e2e_expect_end "$folder" $'Start/Initialise\nEnter/Run\nEnter/Power Off\nStart/Power Off\nSimulate/Power Off\nClose/Power Off\nExit/Power Off'

folder="$E2E_TMP/broken"
e2e_install "$folder" $'[Run]\r\nCPUOn=7\r\n'
start_program "$folder"
box=$(e2e_wait_window "Dorvex Zede Configuration File Error" 30)
xdotool windowfocus --sync "$box" key Return
status=$(e2e_wait_exit "$folder")
[[ $status == 1 ]] || e2e_fail "exit status $status"
tr -d '\r' <"$folder/stderr.txt" | grep -q "^The configuration file is corrupted.$" || e2e_fail "no message on standard error"

folder="$E2E_TMP/session"
e2e_install "$folder"
start_program "$folder" -InhibitUpdate
e2e_wait 30 grep -q "Enter     , Run" "$folder/Log/DorvexL.log" 2>/dev/null || e2e_fail "no run"
e2e_wait 30 in_mode monitoring || e2e_fail "--status while monitoring: $(cat "$E2E_TMP/status.json" "$E2E_TMP/status-error.txt")"

# The notice of a second start ends it by its Exit button: a click at the button's place (its
# centre at 96 dpi), its mnemonic and Return.
for way in click alt+e Return; do
    second="$E2E_TMP/second-$way"
    e2e_install "$second"
    start_program "$second" -InhibitUpdate
    eval "$(xdotool getwindowgeometry --shell "$(e2e_wait_window "Dorvex Zede Start Up Error" 30)")"
    if [[ $way == click ]]; then
        xdotool mousemove $((X + 193)) $((Y + 80)) click 1
    else
        # A click on the title bar gives Wine's window the keyboard only now and then under icewm
        # (the X focus stays on icewm's frame): the keys go to the notice focused directly.
        xdotool windowfocus --sync "$WINDOW" key "$way"
    fi
    [[ $(e2e_wait_exit "$second") == 0 ]] || e2e_fail "the notice ended with an error after $way"
    [[ ! -e $second/Log/DorvexL.log ]] || e2e_fail "the second start wrote a log"
done
[[ ! -s $folder/status.txt ]] || e2e_fail "the first instance ended"

wine wineboot --end-session
e2e_expect_end "$folder" "Exit/Run"
