#!/usr/bin/env bash
# The real program on a headless sway without XWayland, on Qt's Wayland platform, watching keyboard
# and mouse through the compositor's idle notices: no countdown while keys are typed, and the
# countdown once they have stopped for the quiet time, shown in its window and also sent to the
# session's notification daemon as an urgent notice, which a full-screen window does not hide,
# withdrawn at the end; the cycle ends in the simulate message. sway refuses to run as root: then
# it runs as nobody, in a runtime folder of its own.
source "$(dirname "$0")/lib.sh"
export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
as_user=()
if [[ $EUID == 0 ]]; then
    chmod o+x "$E2E_TMP"
    chown nobody:nogroup "$XDG_RUNTIME_DIR"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp)
fi
unset DISPLAY QT_QPA_PLATFORM
echo "xwayland disable" >"$E2E_TMP/sway.conf"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    setsid "${as_user[@]}" sway -c "$E2E_TMP/sway.conf" >/dev/null 2>&1 &
E2E_GROUPS+=($!)
socket() { find "$XDG_RUNTIME_DIR" -name 'wayland-[0-9]*' ! -name '*.lock' -printf '%f\n' | grep .; }
e2e_wait 30 socket || e2e_fail "sway did not start"
export WAYLAND_DISPLAY=$(socket)
setsid dbus-daemon --session --nofork --print-address=3 3>"$E2E_TMP/bus" >/dev/null 2>&1 &
E2E_GROUPS+=($!)
e2e_wait 20 test -s "$E2E_TMP/bus" || e2e_fail "no session bus"
export E2E_SESSION_BUS=$(head -n 1 "$E2E_TMP/bus") DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/bus")
setsid /usr/bin/python3 -m dbusmock --session -l "$E2E_TMP/notices.log" --template notification_daemon \
    >/dev/null 2>&1 &
E2E_GROUPS+=($!)
e2e_wait 20 gdbus introspect --session -d org.freedesktop.Notifications -o /org/freedesktop/Notifications \
    >/dev/null || e2e_fail "no notification daemon"
folder="$E2E_TMP/wayland"
e2e_install "$folder" $'[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=1\r\nStopTime=12300\r\n[Shutdown]\r\nShutType=1\r\n'
# Qt's Wayland platform leaves some of libwayland's objects to the end of the process.
echo "leak:libwayland-client" >"$E2E_TMP/wayland-leaks"
LSAN_OPTIONS="suppressions=$E2E_TMP/wayland-leaks" e2e_start_program "$folder" -InhibitShutdown
countdown() { e2e_log_events "$folder" | grep -qx "Enter/Power Off"; }
e2e_wait 30 sh -c "grep -q Enter \"$folder/Log/DorvexL.log\"" || e2e_fail "the program did not start"
# Typing for more than twice the quiet time of 6 s.
for ((key = 0; key < 30; ++key)); do
    sleep 0.5
    typed_us=${EPOCHREALTIME/./}
    wtype a
done
! countdown || e2e_fail "a countdown while keys were typed"
e2e_wait 15 countdown || e2e_fail "no countdown after the keys stopped"
# In milliseconds from the last key: whole seconds of the shell's clock rounded a 6-second wait
# down to 5. The quiet time is counted in ticks, which the timer may bring a little early, hence
# half a second's allowance; a countdown that ignored the keys would come within about a second.
quiet_ms=$(((${EPOCHREALTIME/./} - typed_us) / 1000))
((quiet_ms >= 5500)) || e2e_fail "the countdown came $quiet_ms ms after the keys"
grep -qx "Dorvex Zede watches keyboard and mouse through the compositor's org_kde_kwin_idle" \
    "$folder/stderr.txt" || e2e_fail "the source was not named: $(cat "$folder/stderr.txt")"
e2e_wait 10 grep -q "Notify \"Dorvex Zede\" 0 \"\" \"The Computer Will Power Off In 6s\" .* {\"urgency\": 2} 0$" \
    "$E2E_TMP/notices.log" || e2e_fail "no urgent notice: $(cat "$E2E_TMP/notices.log")"
# The place ("x,y widthxheight") of the visible window with the title in sway's tree.
sway_window() {
    SWAYSOCK=$(find "$XDG_RUNTIME_DIR" -name 'sway-ipc.*') swaymsg -t get_tree | jq -r --arg title "$1" \
        '.. | select(.name? == $title and .visible?) | "\(.rect.x),\(.rect.y) \(.rect.width)x\(.rect.height)"' | grep .
}
# The countdown's orange bar fills more than a twentieth of its window; nothing else is orange.
countdown_shown() {
    grim -g "$(sway_window "Dorvex Zede")" - | convert - -fuzz 10% -fill black \
        +opaque '#ff8000' -fill white -opaque '#ff8000' -format '%[fx:mean > 0.05]' info: | grep -qx 1
}
e2e_wait 10 countdown_shown || e2e_fail "the countdown does not show"
e2e_wait 20 sway_window "Dorvex Zede Simulate Power Off" || e2e_fail "no simulate message"
e2e_signal_program TERM
e2e_expect_end "$folder" "Exit/Power Off"
e2e_wait 10 grep -q "CloseNotification 1" "$E2E_TMP/notices.log" || e2e_fail "the notice stayed"
