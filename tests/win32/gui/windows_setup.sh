#!/usr/bin/env bash
# The setup program under Wine, in the X server, tray and Wine prefix of the Windows test run
# (scripts/test-windows.sh): a silent installation for the user, the program started as its Run
# entry starts it, an upgrade over the running copy, the uninstaller with and without /PURGE, and
# a machine-wide installation with settings of its own, and the administrator's settings for every
# user, which the launcher copies over the user's at each start. Wine's user is an administrator.
source "$E2E_SOURCE/tests/e2e/lib.sh"
[[ -n ${DISPLAY:-} && -n ${WINEPREFIX:-} ]] || e2e_fail "needs the X server and Wine prefix of scripts/test-windows.sh"
# Start-menu entries stay in the prefix instead of going into the desktop's menu.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
setup=${E2E_SETUP:?the setup program}
windows() { wine cmd /c echo "%$1%" | tr -d '\r'; }
unix() { wine winepath -u "$(windows "$1")"; }
value() { wine reg query "$1" /v "$2" | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p" | grep .; }
run='Software\Microsoft\Windows\CurrentVersion\Run'
entry='Software\Microsoft\Windows\CurrentVersion\Uninstall\DorvexZede'
event_source='HKLM\SYSTEM\CurrentControlSet\Services\EventLog\Application\Dorvex Zede'
user="$(unix LOCALAPPDATA)/Dorvex Zede"
programs="$(windows LOCALAPPDATA)\\Programs\\Dorvex Zede"
launcher="$programs\\dorvexzede-launcher.exe"
link="$(unix APPDATA)/Microsoft/Windows/Start Menu/Programs/Dorvex Zede.lnk"
site="$(unix ProgramData)/Dorvex Zede"
# The shipped settings with another fixed time, which StopOn=1 keeps unused.
settings_at() { sed "s/^StopTime=.*/StopTime=$1\r/" "$E2E_SOURCE/desktop/DorvexL.ini"; }
# Wine's processes hold the standard output they inherit, which CTest waits for.
quiet() { "$@" >/dev/null 2>&1; }
start() { quiet wine "$1" -InhibitShutdown -InhibitUpdate; }
# A failed run leaves no copy and no administrator's settings behind.
trap 'quiet wine taskkill /f /im dorvexzede.exe || true; rm -rf "$site"; e2e_cleanup' EXIT
# The log's events once the one given has been written as often as given.
events_after() { e2e_wait 60 sh -c "[ \$(grep -c '$1' '$user/Log/DorvexL.log') -ge $2 ]" && e2e_log_events "$user" | paste -sd ' '; }
# The uninstaller goes on in a copy of its own and removes itself last.
uninstalled() { e2e_wait 60 test ! -e "$(wine winepath -u "$1")" || e2e_fail "$1 is still there"; }

quiet wine "$setup" /S
for file in dorvexzede.exe dorvexzede-launcher.exe DorvexL.ini uninstall.exe; do
    [[ -f $(wine winepath -u "$programs\\$file") ]] || e2e_fail "no $file"
done
# The shortcut's target, and its working folder among its UTF-16 strings.
strings "$link" | grep -qxF "$launcher" || e2e_fail "the shortcut does not start the launcher"
strings -el "$link" | P="$programs" awk '{ p = ENVIRON["P"] } substr($0, length($0) - length(p) + 1) == p { f = 1 } END { exit !f }' || e2e_fail "the shortcut's working folder"
[[ $(value "HKCU\\$run" "Dorvex Zede") == "\"$launcher\"" ]] || e2e_fail "no Run entry"
[[ $(value "HKCU\\$entry" DisplayVersion) == "$E2E_VERSION" && $(value "HKCU\\$entry" QuietUninstallString) == "\"$programs\\uninstall.exe\" /S" ]] || e2e_fail "no installed apps' entry"
for name in DisplayName Publisher DisplayIcon EstimatedSize UninstallString; do value "HKCU\\$entry" $name >/dev/null || e2e_fail "no $name"; done
! value "$event_source" EventMessageFile || e2e_fail "a user's installation registered the event source"

start "$launcher"
[[ $(events_after "Enter     , Run" 1) == "Start/Initialise Enter/Run" ]] || e2e_fail "the program did not start in $user: $(e2e_log_events "$user")"
cmp "$user/Data/DorvexL.ini" "$E2E_SOURCE/desktop/DorvexL.ini" || e2e_fail "not the shipped settings"
mkdir -p "$site" && settings_at 12000 >"$site/DorvexL.ini"
start "$launcher"
cmp "$user/Data/DorvexL.ini" "$site/DorvexL.ini" || e2e_fail "the administrator's settings did not replace the user's"
notice=$(e2e_wait_window "Dorvex Zede Start Up Error" 30)
xdotool windowfocus --sync "$notice" key alt+e
rm "$site/DorvexL.ini"

sed -i 's/^StopTime=.*/StopTime=12200\r/' "$user/Data/DorvexL.ini"
quiet wine "$setup" /S "/ARGS=-InhibitShutdown -InhibitUpdate"
[[ $(events_after "Enter     , Run" 2) == "Start/Initialise Enter/Run Exit/Run Start/Initialise Enter/Run" ]] || e2e_fail "no new copy after the old one's Exit"
grep -q "^StopTime=12200" "$user/Data/DorvexL.ini" || e2e_fail "the upgrade or the launcher changed the user's settings"

quiet wine "$programs\\uninstall.exe" /S
uninstalled "$programs"
[[ $(e2e_log_events "$user" | tail -n 1) == Exit/Run ]] || e2e_fail "the uninstaller did not end the program"
! value "HKCU\\$run" "Dorvex Zede" && ! value "HKCU\\$entry" DisplayName && [[ ! -e $link ]] || e2e_fail "entries are left"
[[ -f $user/Data/DorvexL.ini ]] || e2e_fail "the user's folder went"
quiet wine "$setup" /S
quiet wine "$programs\\uninstall.exe" /S /PURGE
uninstalled "$(windows LOCALAPPDATA)\\Dorvex Zede"

settings_at 12100 >"$E2E_TMP/site.ini"
quiet wine "$setup" /S /ALLUSERS "/SETTINGS=$(wine winepath -w "$E2E_TMP/site.ini")"
programs="$(windows ProgramFiles)\\Dorvex Zede"
[[ $(value "HKLM\\$run" "Dorvex Zede") == "\"$programs\\dorvexzede-launcher.exe\"" ]] || e2e_fail "no machine-wide Run entry"
[[ $(value "HKLM\\$entry" UninstallString) == "\"$programs\\uninstall.exe\" /ALLUSERS" ]] || e2e_fail "no machine-wide installed apps' entry"
[[ -f "$(unix ProgramData)/Microsoft/Windows/Start Menu/Programs/Dorvex Zede.lnk" ]] || e2e_fail "no shortcut for all users"
[[ $(value "$event_source" EventMessageFile) == "$programs\\dorvexzede.exe" && $(value "$event_source" TypesSupported) == 0x7 ]] || e2e_fail "no event source"
# Administrator's settings that cannot be read: the start goes on, and the launcher says so.
mkdir "$site/DorvexL.ini"
setsid bash -c 'wine "$0" -InhibitShutdown -InhibitUpdate >/dev/null 2>&1; echo $? >"$1"' "$programs\\dorvexzede-launcher.exe" "$E2E_TMP/launched" &
E2E_GROUPS+=($!)
warning=$(e2e_wait_window "Dorvex Zede Launcher" 30)
[[ $(events_after "Enter     , Run" 1) == "Start/Initialise Enter/Run" ]] || e2e_fail "the program did not start in $user: $(e2e_log_events "$user")"
cmp "$user/Data/DorvexL.ini" "$E2E_TMP/site.ini" || e2e_fail "not the given settings"
# Wine takes the focus for a window only when the window manager activates it, and the program
# starting beside the message may take it back: activated and answered until it closes.
e2e_wait 30 sh -c "xdotool windowactivate --sync $warning windowfocus --sync $warning && xdotool key Return; test -s '$E2E_TMP/launched'" || e2e_fail "the launcher's message stays"
[[ $(cat "$E2E_TMP/launched") == 0 ]] || e2e_fail "the launcher failed"
quiet wine "$programs\\uninstall.exe" /S /ALLUSERS /PURGE
uninstalled "$programs"
! value "HKLM\\$run" "Dorvex Zede" || e2e_fail "the machine-wide Run entry is left"
! value "$event_source" EventMessageFile || e2e_fail "the event source is left"
