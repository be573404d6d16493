#!/usr/bin/env bash
# The real program on a headless sway, watching keyboard and mouse through the compositor's idle
# notices: no countdown while keys are typed, and the countdown once they have stopped for the
# quiet time, also sent to the session's notification daemon as an urgent notice, which a
# full-screen window does not hide, and withdrawn when the countdown ends. On a sway with
# XWayland the program runs on Qt's X11 platform, without XWayland on its Wayland platform: its
# countdown shows and the cycle ends in the simulate message. sway refuses to run as root: then it
# runs as nobody.
source "$(dirname "$0")/lib.sh"
as_user=()
if [[ $EUID == 0 ]]; then
    chmod o+x "$E2E_TMP"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp)
fi
unset DISPLAY
runtime_file() { find "$XDG_RUNTIME_DIR" -name "$1" ! -name '*.lock' -printf '%f\n' | grep .; }
# A headless sway with the configuration given, in a runtime folder of its own that becomes the
# session's: sets XDG_RUNTIME_DIR, WAYLAND_DISPLAY and SWAYSOCK.
start_sway() {
    export XDG_RUNTIME_DIR="$E2E_TMP/$1"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    [[ $EUID != 0 ]] || chown nobody:nogroup "$XDG_RUNTIME_DIR"
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        setsid "${as_user[@]}" sway -c "$2" >/dev/null 2>&1 &
    E2E_GROUPS+=($!)
    e2e_wait 30 runtime_file 'wayland-[0-9]*' && e2e_wait 30 runtime_file 'sway-ipc.*' ||
        e2e_fail "sway did not start"
    export WAYLAND_DISPLAY=$(runtime_file 'wayland-[0-9]*')
    export SWAYSOCK="$XDG_RUNTIME_DIR/$(runtime_file 'sway-ipc.*')"
}
start_sway runtime /dev/null
export QT_QPA_PLATFORM=offscreen
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
config=$'[Run]\r\nCPUOn=1\r\nKMOn=2\r\nStopOn=1\r\nStopTime=12300\r\n[Shutdown]\r\nShutType=1\r\n'
e2e_install "$folder" "$config"
e2e_start_program "$folder" -InhibitShutdown
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
e2e_signal_program TERM
e2e_expect_end "$folder" "Exit/Power Off"
e2e_wait 10 grep -q "CloseNotification 1" "$E2E_TMP/notices.log" || e2e_fail "the notice stayed"

# Where XWayland runs the program keeps to X11, where windows can stay on top; without it, it runs
# on Wayland. Either way its countdown shows and the cycle ends in the simulate message.
unset QT_QPA_PLATFORM
printf '%s\n' "xwayland force" "exec sh -c 'xhost +si:localuser:root && touch \"\$XDG_RUNTIME_DIR/x11\$DISPLAY\"'" \
    >"$E2E_TMP/xwayland.conf"
echo "xwayland disable" >"$E2E_TMP/no-xwayland.conf"
# The shell and place ("x,y widthxheight") of the visible window with the title in sway's tree.
sway_window() {
    swaymsg -t get_tree | jq -r --arg title "$1" '.. | select(.name? == $title and .visible?) |
        "\(.shell) \(.rect.x),\(.rect.y) \(.rect.width)x\(.rect.height)"' | grep .
}
# The countdown's orange bar fills more than a twentieth of its window; nothing else is orange.
countdown_shown() {
    grim -g "$(sway_window "Dorvex Zede" | cut -d ' ' -f 2-)" - | convert - -fuzz 10% -fill black \
        +opaque '#ff8000' -fill white -opaque '#ff8000' -format '%[fx:mean > 0.05]' info: | grep -qx 1
}
# Qt's Wayland platform leaves some of libwayland's objects to the end of the process.
echo "leak:libwayland-client" >"$E2E_TMP/wayland-leaks"
for session in xwayland no-xwayland; do
    start_sway "$session" "$E2E_TMP/$session.conf"
    unset DISPLAY
    shell=xdg_shell
    if [[ $session == xwayland ]]; then
        e2e_wait 30 runtime_file 'x11:*' || e2e_fail "no XWayland"
        export DISPLAY=$(runtime_file 'x11:*' | cut -c 4-) shell=xwayland
    fi
    folder="$E2E_TMP/$session-program"
    e2e_install "$folder" "$config"
    LSAN_OPTIONS="suppressions=$E2E_TMP/wayland-leaks" e2e_start_program "$folder" -InhibitShutdown
    e2e_wait 30 countdown || e2e_fail "$session: no countdown: $(cat "$folder/stderr.txt")"
    [[ $(sway_window "Dorvex Zede") == "$shell "* ]] || e2e_fail "$session: the countdown is no $shell window"
    e2e_wait 10 countdown_shown || e2e_fail "$session: the countdown does not show"
    e2e_wait 20 sway_window "Dorvex Zede Simulate Power Off" || e2e_fail "$session: no simulate message"
    e2e_signal_program TERM
    e2e_expect_end "$folder" "Exit/Power Off"
done
