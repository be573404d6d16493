#!/usr/bin/env bash
# A whole -InhibitShutdown cycle with nobody at the keyboard ends in the simulate message; OK ends
# the program with status 0 and the log holds the cycle, also when the tray menu is held open
# over the idle limit and into the countdown. SIGTERM during a countdown ends the program normally.
# A broken configuration shows its message and ends the program with status 1, also on SIGTERM
# while it is open; a mistyped switch (status 2) and a missing or unreachable display (status 1)
# end it before any window, with their own message. A screen reader is told of the countdown at
# once. As root, the journal gets each entry of that cycle.
source "$(dirname "$0")/lib.sh"
e2e_start_desktop
folder="$E2E_TMP/broken"
e2e_install "$folder" $'[Run]\r\nCPUOn=7\r\n'
e2e_start_program "$folder"
box=$(e2e_wait_window "Dorvex Zede Configuration File Error")
xdotool windowactivate --sync "$box" key Return
status=$(e2e_wait_exit "$folder")
[[ $status == 1 ]] || e2e_fail "exit status $status"
grep -q "^The configuration file is corrupted.$" "$folder/stderr.txt" || e2e_fail "no message on standard error"
# SIGTERM while the box is open ends the program within a second, as OK does.
rm "$folder/status.txt"
e2e_start_program "$folder"
e2e_wait_window "Dorvex Zede Configuration File Error" >/dev/null
sent_us=${EPOCHREALTIME/./}
e2e_signal_program TERM
[[ $(e2e_wait_exit "$folder") == 1 ]] || e2e_fail "SIGTERM: exit status $(cat "$folder/status.txt")"
((${EPOCHREALTIME/./} - sent_us <= 1000000)) || e2e_fail "SIGTERM ended the program after more than a second"
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

# Keyboard and mouse only, so that the machine's load does not matter.
config=$'[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=1\r\nStopTime=12300\r\n[Shutdown]\r\nShutType=1\r\n'

# A screen reader on a bus of its own, which starts the accessibility bus as a session's does,
# hears the countdown come up in a dialog whose readings are named by their captions.
setsid dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/bus" >/dev/null 2>&1 &
E2E_GROUPS+=($!)
e2e_wait 10 test -s "$E2E_TMP/bus" || e2e_fail "no session bus"
bus=$(head -n 1 "$E2E_TMP/bus")
DBUS_SESSION_BUS_ADDRESS=$bus setsid sh -c '/usr/bin/python3 -u "$1" 70 >"$2" 2>&1; echo $? >"$2.x"' \
    _ "$E2E_SOURCE/tests/e2e/screen_reader.py" "$E2E_TMP/reader" &
E2E_GROUPS+=($!)
e2e_wait 20 grep -q listening "$E2E_TMP/reader" || e2e_fail "no screen reader: $(cat "$E2E_TMP/reader")"
folder="$E2E_TMP/terminated"
e2e_install "$folder" "$config"
E2E_SESSION_BUS=$bus QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 e2e_start_program "$folder" -InhibitShutdown
e2e_wait 80 test -s "$E2E_TMP/reader.x" && [[ $(cat "$E2E_TMP/reader.x") == 0 ]] ||
    e2e_fail "screen reader: $(cat "$E2E_TMP/reader")"
e2e_wait_window "Dorvex Zede" 45 >/dev/null
e2e_signal_program TERM
e2e_expect_end "$folder" "Exit/Power Off"

folder="$E2E_TMP/install"
e2e_install "$folder" "$config"
# A stand-in for journald in a /run of the program's own; the other runs have no journal at all.
standin=$E2E_SOURCE/tests/e2e/journal_standin.py journal=
if [[ $(id -u) == 0 ]]; then
    journal=$E2E_TMP/run/systemd/journal
    mkdir -p "$journal"
    setsid /usr/bin/python3 "$standin" "$journal/socket" >"$E2E_TMP/journal" &
    E2E_GROUPS+=($!)
    e2e_wait 10 test -S "$journal/socket" || e2e_fail "no stand-in for journald"
fi
E2E_RUN=${journal:+$E2E_TMP/run} e2e_start_program "$folder" -InhibitShutdown
read -r x y < <(e2e_wait_tray_icon)

# The menu is held open while the idle limit passes: the countdown begins on time all the same.
e2e_open_tray_menu "$x" "$y"
e2e_wait 20 grep -q "Enter     , Power Off" "$folder/Log/DorvexL.log" ||
    e2e_fail "no countdown while the menu was open"
xdotool key Escape

box=$(e2e_wait_window "Dorvex Zede Simulate Power Off" 10)
main=$(e2e_window "Dorvex Zede") || e2e_fail "the countdown did not show the main window"
e2e_wait_on_top "$main" || e2e_fail "the countdown is not on top"
grep -q "^Test Real Power Off$" "$folder/stderr.txt" || e2e_fail "the message is not on standard error"

xdotool windowactivate --sync "$box" key Return
e2e_expect_end "$folder" $'Start/Initialise\nEnter/Run\nEnter/Power Off\nStart/Power Off\nSimulate/Power Off\nClose/Power Off\nExit/Power Off'
start=1c91f456fbec4e00800f8db866d9552e:6 exit=8382333dee6d49af96d60e4142bc01e5:6
[[ -z $journal ]] || e2e_wait 10 /usr/bin/python3 "$standin" "$E2E_TMP/journal" "$folder/Log/DorvexL.log" \
    $start $start $start 2aa80de375a04d8ba885c14296ce3e97:6 b9fd311f81f64b0c860ed0eba6caa077:6 \
    5cfa5024d5f74900b4101e4094104064:5 a255bb3b2c19485c8a77e2e34f1118e6:6 $exit $exit ||
    e2e_fail "the journal got: $(cat "$E2E_TMP/journal")"

# A mistyped fixed time's error box is left open and the countdown begins: the box stays above it,
# and Cancel cancels while it is open, for an administrator alone; the reset that showed the box
# goes on when it closes.
config=$'[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=2\r\nStopTime='"1$(date -d '+12 hours' +%H%M)"$'\r\n[Shutdown]\r\nShutType=1\r\n'
for switch in -InhibitShutdown -InhibitAdmin; do
    folder="$E2E_TMP/mistyped$switch"
    log="$folder/Log/DorvexL.log"
    e2e_install "$folder" "$config"
    e2e_start_program "$folder" "$switch"
    read -r x y < <(e2e_wait_tray_icon)
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
    main=$(e2e_wait_window "Dorvex Zede" 10)
    eval "$(xdotool getwindowgeometry --shell "$main")"
    # A control's centre from its place in twips, in the window 5970 twips wide.
    at() { echo $((X + $1 * WIDTH / 5970)) $((Y + $2 * WIDTH / 5970)); }
    # The time box takes typing once the start-up delay is over.
    e2e_wait 20 grep -q "Enter     , Run" "$log" || e2e_fail "$switch: no run"
    xdotool mousemove $(at 3532 1095) click 1 key ctrl+a type 24:00
    xdotool mousemove $(at 2989 1792) click 1
    box=$(e2e_wait_window "Dorvex Zede Set Time Error")
    e2e_wait 20 grep -q "Enter     , Power Off" "$log" || e2e_fail "$switch: no countdown"
    e2e_wait 10 e2e_above "$box" "$main" || e2e_fail "$switch: the countdown covers the box"
    [[ -z ${E2E_SHOTS:-} ]] || import -window root "$E2E_SHOTS/box-over-countdown$switch.png"
    xdotool mousemove $(at 2989 1792) click 1
    if [[ $switch == -InhibitAdmin ]]; then
        box=$(e2e_wait_window "Dorvex Zede Simulate Power Off" 20)
        xdotool windowactivate --sync "$box" key Return
        e2e_expect_end "$folder" $'*Enter/Power Off\nStart/Power Off\nSimulate/Power Off\nClose/Power Off\nExit/Power Off'
        continue
    fi
    e2e_wait 10 grep -q "Reset     , Power Off" "$log" || e2e_fail "Cancel did not cancel"
    e2e_window "Dorvex Zede Set Time Error" >/dev/null || e2e_fail "the box went with the countdown"
    xdotool windowactivate --sync "$box" key Return
    e2e_wait 10 sh -c "[ \$(grep -c 'Start     , Initialise' '$log') = 3 ]" || e2e_fail "no reset after the box"
    e2e_signal_program TERM
    e2e_expect_end "$folder" $'*Enter/Power Off\nReset/Power Off\n*Exit/*'
done

# "--status" asks the instance of the session what it sees: while a program keeps the machine
# awake (logind, mocked on the test's bus, names it), then in the countdown; another user of the
# same bus gets a refusal and nothing on standard output; with no instance the status is 3.
cat >"$E2E_TMP/bus.conf" <<CONF
<busconfig><type>session</type><listen>unix:abstract=$E2E_TMP/bus</listen><auth>EXTERNAL</auth>
<policy context="default"><allow user="*"/><allow send_destination="*"/><allow receive_sender="*"/>
<allow own="*"/></policy>
</busconfig>
CONF
setsid dbus-daemon --config-file="$E2E_TMP/bus.conf" --nofork --print-address=3 3>"$E2E_TMP/status-bus" >/dev/null 2>&1 &
E2E_GROUPS+=($!)
e2e_wait 10 test -s "$E2E_TMP/status-bus" || e2e_fail "no bus for the status"
bus=$(head -n 1 "$E2E_TMP/status-bus")
login1=(org.freedesktop.login1 /org/freedesktop/login1 org.freedesktop.login1.Manager)
DBUS_SESSION_BUS_ADDRESS=$bus setsid /usr/bin/python3 -m dbusmock "${login1[@]}" >/dev/null 2>&1 &
E2E_GROUPS+=($!)
# Makes logind list the inhibitors given (Python) and tell of the change.
inhibitors() {
    local mock=("--dest=${login1[0]}" "${login1[1]}" org.freedesktop.DBus.Mock)
    DBUS_SESSION_BUS_ADDRESS=$bus dbus-send --session --print-reply "${mock[@]}.AddMethod" \
        "string:${login1[2]}" string:ListInhibitors string: "string:a(ssssuu)" "string:ret = $1" &&
        DBUS_SESSION_BUS_ADDRESS=$bus gdbus call --session -d "${login1[0]}" -o "${login1[1]}" \
            -m org.freedesktop.DBus.Mock.EmitSignal org.freedesktop.DBus.Properties \
            PropertiesChanged "sa{sv}as" "[<'${login1[2]}'>, <@a{sv} {}>, <@as []>]"
} >/dev/null
e2e_wait 20 inhibitors '[("idle", "Totem \"Videos\"", "Playing", "block", 0, 1)]' || e2e_fail "no logind mock"
# The status as another process gets it: parsed as JSON, and the Python condition on it (s) holds.
status_holds() {
    DBUS_SESSION_BUS_ADDRESS=$bus "$E2E_PROGRAM" --status >"$E2E_TMP/status.json" &&
        /usr/bin/python3 -m json.tool "$E2E_TMP/status.json" >/dev/null &&
        /usr/bin/python3 -c 'import json, sys; s = json.load(open(sys.argv[2])); sys.exit(not eval("(" + sys.argv[1] + ")"))' \
            "$1" "$E2E_TMP/status.json"
}
folder="$E2E_TMP/status"
e2e_install "$folder" "$config"
DBUS_SYSTEM_BUS_ADDRESS=$bus E2E_SESSION_BUS=$bus e2e_start_program "$folder" -InhibitShutdown
e2e_wait 30 status_holds 's["runMode"] == "monitoring" and s["signsOfUse"] == [{"kind": "presence",
    "text": "Totem \"Videos\" keeps the machine awake (Playing)"}] and s["inputSource"]["name"] == "X11"
    and s["watched"][1]["watched"] and s["watched"][1]["limit"] == 6 and not s["watched"][0]["watched"]' ||
    e2e_fail "status while held off: $(cat "$E2E_TMP/status.json")"
status=0
runuser -u nobody -- env DBUS_SESSION_BUS_ADDRESS="$bus" "$E2E_PROGRAM" --status >"$E2E_TMP/other" 2>"$E2E_TMP/said" || status=$?
[[ $status == 3 && ! -s $E2E_TMP/other ]] || e2e_fail "another user: status $status, $(cat "$E2E_TMP/other")"
grep -q "AccessDenied: Only the user running it" "$E2E_TMP/said" || e2e_fail "another user: $(cat "$E2E_TMP/said")"
# An instance started beside it keeps no name: once the first has ended, nobody answers.
beside="$E2E_TMP/status-beside"
e2e_install "$beside" $'[Run]\r\nCPUOn=1\r\nKMOn=1\r\nStopOn=2\r\nStopTime='"1$(date -d '+12 hours' +%H%M)"$'\r\n[Shutdown]\r\nShutType=1\r\n'
DBUS_SYSTEM_BUS_ADDRESS=$bus E2E_SESSION_BUS=$bus e2e_start_program "$beside" -InhibitShutdown -AllowMulti
e2e_wait 30 grep -q "Enter     , Run" "$beside/Log/DorvexL.log" || e2e_fail "no instance beside it"
inhibitors "[]" || e2e_fail "the inhibitor stays"
e2e_wait 30 status_holds 's["runMode"] == "countdown" and 0 <= s["countdownSeconds"] <= 6 and
    s["signsOfUse"] == [] and s["shutType"] == "Power Off"' || e2e_fail "status: $(cat "$E2E_TMP/status.json")"
box=$(e2e_wait_window "Dorvex Zede Simulate Power Off" 20)
xdotool windowactivate --sync "$box" key Return
e2e_expect_end "$folder" "Exit/Power Off"
status=0
DBUS_SESSION_BUS_ADDRESS=$bus "$E2E_PROGRAM" --status >"$E2E_TMP/status.json" 2>"$E2E_TMP/said" || status=$?
[[ $status == 3 && ! -s $E2E_TMP/status.json && $(wc -l <"$E2E_TMP/said") == 1 ]] ||
    e2e_fail "no instance: status $status, $(cat "$E2E_TMP/said")"
e2e_signal_program TERM
e2e_expect_end "$beside" "Exit/*"
[[ -n $journal ]] || { echo "SKIP: the journal's stand-in needs root (all else passed)"; exit 77; }
