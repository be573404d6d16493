#!/usr/bin/env bash
# Builds the Debian package from a clean tree, checks it with lintian, installs it with apt-get,
# runs the installed launcher twice for a new user under a private X server (also on a full disk,
# over an emptied copy of the settings, after it restored a broken one, and with the
# administrator's settings) and removes the package and those settings again, even on failure.
# Needs root (CI runs on a throwaway machine).
source "$(dirname "$0")/../e2e/lib.sh"
[[ $(id -u) == 0 ]] || { echo "SKIP: installing a package needs root"; exit 77; }
! dpkg-query -W dorvexzede >/dev/null 2>&1 || e2e_fail "dorvexzede is installed already"
[[ ! -e /etc/dorvexzede ]] || e2e_fail "an administrator's /etc/dorvexzede is there already"
package_cleanup() {
    rm -rf /etc/dorvexzede
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq dorvexzede >/dev/null 2>&1 || true
    umount "$E2E_TMP/full" 2>/dev/null || true
    e2e_cleanup
}
trap package_cleanup EXIT

build="$E2E_TMP/build"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$E2E_SOURCE" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j2 >/dev/null
(cd "$build" && cpack >/dev/null) || e2e_fail "cpack failed"
deb=$(echo "$build"/dorvexzede_*.deb)
lintian --fail-on error,warning "$deb" || e2e_fail "lintian found faults"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null || e2e_fail "apt-get install failed"
[[ $(/usr/bin/dorvexzede --version) == "Dorvex Zede "[0-9]* ]] || e2e_fail "no version from /usr/bin/dorvexzede"
# Qt's platform plugins come with the package, Wayland's where it is wanted.
[[ ", $(dpkg-deb -f "$deb" Depends)," == *", qt6-qpa-plugins,"* && $(dpkg-deb -f "$deb" Recommends) == qt6-wayland ]] ||
    e2e_fail "Depends: $(dpkg-deb -f "$deb" Depends); Recommends: $(dpkg-deb -f "$deb" Recommends)"
! dpkg -S /etc/dorvexzede >/dev/null 2>&1 || e2e_fail "the package owns the administrator's /etc/dorvexzede"

# The launcher's own errors are one clear line. A relative folder is none, and none is read as an
# option.
full="$E2E_TMP/full"
mkdir -p "$full"
mount -t tmpfs -o size=64k tmpfs "$full" || e2e_fail "cannot mount a small tmpfs"
mkdir -p "$full/dorvexzede/Data" "$full/dorvexzede/Log"
dd if=/dev/zero of="$full/filler" bs=4k 2>/dev/null || true
while read -r variable value message; do
    (cd "$E2E_TMP" && env -u XDG_DATA_HOME HOME=/nowhere "$variable=$value" dorvexzede-launcher 2>"$E2E_TMP/said") &&
        e2e_fail "no error with $variable=$value"
    [[ $(cat "$E2E_TMP/said") == "dorvexzede-launcher: $message"* ]] || e2e_fail "said $(cat "$E2E_TMP/said")"
done <<LINES
HOME /nowhere no home folder
HOME -p no home folder
XDG_DATA_HOME relative no home folder
XDG_DATA_HOME /proc/1 cannot make the writable folder /proc/1/dorvexzede
XDG_DATA_HOME $full cannot copy the settings
LINES
[[ ! -e $E2E_TMP/relative && ! -e $E2E_TMP/-p ]] || e2e_fail "a relative folder was used"
# The copy that the full disk cut short left nothing: no half settings file, no new file.
[[ -z $(ls -A "$full/dorvexzede/Data") ]] || e2e_fail "the failed copy left $(ls -A "$full/dorvexzede/Data")"
rm "$full/filler"

e2e_start_desktop
# Without the platform plugin it is told to use (Qt's plugin folder hidden in a mount namespace of
# its own) the program names the package that brings it and ends with status 1, not Qt's abort.
plugins=$(dirname "$(dpkg -S '*/platforms/libqwayland-generic.so' | grep -o '/.*/qt6/.*')")
mkdir "$E2E_TMP/no-plugins"
status=0
QT_QPA_PLATFORM=wayland unshare --mount sh -c 'mount --bind "$1" "$2" && exec dorvexzede' \
    _ "$E2E_TMP/no-plugins" "$plugins" 2>"$E2E_TMP/said" || status=$?
[[ $status == 1 && $(cat "$E2E_TMP/said") == "Dorvex Zede cannot start: no Qt platform plugin \"wayland\" (the package qt6-wayland brings it) is installed; looked in $plugins,"* ]] ||
    e2e_fail "without the Wayland plugin: status $status, said $(cat "$E2E_TMP/said")"
export HOME="$E2E_TMP/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
user="$HOME/.local/share/dorvexzede"
E2E_PROGRAM=dorvexzede-launcher
# Runs the launcher under the desktop until the program's tray icon shows, then ends the program;
# the user's folder is $user.
run_launcher() {
    mkdir -p "$E2E_TMP/$1"
    e2e_start_program "$E2E_TMP/$1" -InhibitShutdown
    e2e_wait_tray_icon >/dev/null
    e2e_signal_program INT
    status=$(e2e_wait_exit "$E2E_TMP/$1")
    [[ $status == 0 ]] || e2e_fail "the $1 run ended with status $status"
    grep -q "Start     , Initialise" "$user/Log/DorvexL.log" || e2e_fail "no log in $user"
}
# With room again, the copy is made whole.
user="$full/dorvexzede"
XDG_DATA_HOME=$full run_launcher full
cmp -s "$user/Data/DorvexL.ini" /usr/share/dorvexzede/DorvexL.ini || e2e_fail "settings not copied with room again"

user="$HOME/.local/share/dorvexzede"
for run in first second; do
    run_launcher $run
    if [[ $run == first ]]; then
        cmp -s "$user/Data/DorvexL.ini" /usr/share/dorvexzede/DorvexL.ini || e2e_fail "settings not copied"
        echo "# the user's own" >>"$user/Data/DorvexL.ini"
    fi
done
grep -q "^# the user's own$" "$user/Data/DorvexL.ini" || e2e_fail "the second run overwrote the settings"
[[ $(grep -c "Start     , Initialise" "$user/Log/DorvexL.log") == 2 ]] || e2e_fail "the log was not kept"
# An empty copy is put right, and the launcher says so.
: >"$user/Data/DorvexL.ini"
run_launcher emptied
cmp -s "$user/Data/DorvexL.ini" /usr/share/dorvexzede/DorvexL.ini || e2e_fail "the empty settings stayed"
grep -q "^dorvexzede-launcher: .*DorvexL.ini is empty; the shipped settings take its place$" \
    "$E2E_TMP/emptied/stderr.txt" || e2e_fail "not told: $(cat "$E2E_TMP/emptied/stderr.txt")"
# --restore-settings puts the shipped settings back over a broken copy, kept beside them, and the
# program starts normally again; where the old file cannot be kept, nothing changes.
settings=$user/Data/DorvexL.ini
echo "CPUOn=7" >"$settings"
mkdir -p "$settings.broken/in-the-way"
dorvexzede-launcher --restore-settings 2>"$E2E_TMP/said" && e2e_fail "restored without keeping the old file"
[[ $(cat "$E2E_TMP/said") == "dorvexzede-launcher: cannot keep $settings as $settings.broken" && $(cat "$settings") == CPUOn=7 &&
    $(ls "$user/Data" | wc -l) == 2 ]] || e2e_fail "a failed restore said $(cat "$E2E_TMP/said") or changed the settings"
rm -r "$settings.broken"
[[ $(dorvexzede-launcher --restore-settings) == "dorvexzede-launcher: the shipped settings are in $settings again; the old file is $settings.broken" ]] ||
    e2e_fail "the restore failed or said something else"
cmp -s "$settings" /usr/share/dorvexzede/DorvexL.ini && [[ $(cat "$settings.broken") == CPUOn=7 ]] || e2e_fail "not restored, or not kept"
run_launcher restored
# The administrator's settings replace the user's at every start, the user's fixed time too; if
# unreadable, the user's copy stays; if broken, the program tells. --restore-settings says so.
site=/etc/dorvexzede/DorvexL.ini
mkdir /etc/dorvexzede && { cat /usr/share/dorvexzede/DorvexL.ini && printf "# the administrator's\r\n"; } >"$site"
sed -i 's/^StopOn=1/StopOn=2/' "$settings" && grep -q ^StopOn=2 "$settings" || e2e_fail "no fixed time set"
run_launcher site
cmp -s "$settings" "$site" || e2e_fail "the administrator's settings did not replace the user's"
[[ $(dorvexzede-launcher --restore-settings) == *$'\n'"dorvexzede-launcher: the administrator's $site replaces them at the next start" ]] ||
    e2e_fail "the restore did not tell of the administrator's settings"
chmod 000 "$site" && chmod 711 "$E2E_TMP" && mkdir -m 777 "$E2E_TMP/nobody"
setpriv --reuid=65534 --regid=65534 --clear-groups env XDG_DATA_HOME="$E2E_TMP/nobody" \
    dorvexzede-launcher --version >/dev/null 2>"$E2E_TMP/said" || e2e_fail "not started beside unreadable settings"
[[ $(<"$E2E_TMP/said") == "dorvexzede-launcher: cannot read the administrator's settings $site; "* && $(wc -l <"$E2E_TMP/said") == 1 ]] &&
    cmp -s "$E2E_TMP/nobody/dorvexzede/Data/DorvexL.ini" /usr/share/dorvexzede/DorvexL.ini || e2e_fail "unreadable: said $(<"$E2E_TMP/said")"
chmod 644 "$site" && sed -i 's/^CPUOn=2/CPUOn=7/' "$site" && mkdir "$E2E_TMP/broken"
e2e_start_program "$E2E_TMP/broken" -InhibitShutdown
e2e_wait_window "Dorvex Zede Config File - 1 Range Errors" >/dev/null
e2e_signal_program TERM
[[ $(e2e_wait_exit "$E2E_TMP/broken") == 1 ]] && cmp -s "$settings" "$site" || e2e_fail "the broken settings were not copied"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq dorvexzede >/dev/null || e2e_fail "apt-get purge failed"
[[ ! -e /usr/bin/dorvexzede && ! -e /etc/xdg/autostart/dorvexzede.desktop ]] || e2e_fail "files left"
echo "1 passed, 0 failed"
