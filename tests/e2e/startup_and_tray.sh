#!/usr/bin/env bash
# Start-up shows only the tray icon; a double click shows the window centred; a right click opens
# the menu, whose last item ends the program normally. SIGINT and SIGHUP end it normally too.
source "$(dirname "$0")/lib.sh"
e2e_start_desktop
folder="$E2E_TMP/install"
e2e_install "$folder"
e2e_start_program "$folder"

read -r x y < <(e2e_wait_tray_icon)
sleep 1
[[ -z $(e2e_window "Dorvex Zede") ]] || e2e_fail "the main window shows at start-up"

xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
window=$(e2e_wait_window "Dorvex Zede" 10)
read -r left top < <(e2e_position "$window")
# 398 x 134 pixels centred on 1280 x 800 at 441,333; the frame's border and title come on top.
((left >= 436 && left <= 456 && top >= 328 && top <= 368)) || e2e_fail "window at $left,$top, not centred"

e2e_open_tray_menu "$x" "$y"
xdotool key Escape
grep -q "Start     , Initialise" "$folder/Log/DorvexL.log" || e2e_fail "no start entry in the log"

# "Close Dorvex Zede", the menu's last item, chosen with the keyboard. Another right click within
# the double-click time would be a double click.
sleep 1
e2e_open_tray_menu "$x" "$y"
xdotool key Up Return
e2e_expect_normal_end "$folder" "Exit/*"

for signal in INT HUP; do
    folder="$E2E_TMP/$signal"
    e2e_install "$folder"
    e2e_start_program "$folder"
    e2e_wait_tray_icon >/dev/null
    e2e_signal_program "$signal"
    e2e_expect_normal_end "$folder" "Exit/*"
done
echo "1 passed, 0 failed"
