#!/usr/bin/env bash
# Builds the Debian package from a clean tree, checks it with lintian, installs it with apt-get,
# runs the installed launcher twice for a new user under a private X server and removes the
# package again, even on failure. Needs root (CI runs on a throwaway machine).
source "$(dirname "$0")/../e2e/lib.sh"
[[ $(id -u) == 0 ]] || { echo "SKIP: installing a package needs root"; exit 77; }
! dpkg-query -W dorvexzede >/dev/null 2>&1 || e2e_fail "dorvexzede is installed already"
package_cleanup() {
    DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq dorvexzede >/dev/null 2>&1 || true
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

# The launcher's own errors are one clear line.
while read -r variable value message; do
    env -u XDG_DATA_HOME "$variable=$value" dorvexzede-launcher 2>"$E2E_TMP/said" && e2e_fail "no error with $variable=$value"
    [[ $(cat "$E2E_TMP/said") == "dorvexzede-launcher: $message"* ]] || e2e_fail "said $(cat "$E2E_TMP/said")"
done <<'LINES'
HOME /nowhere no home folder
XDG_DATA_HOME /proc/1 cannot make the writable folder /proc/1/dorvexzede
LINES

e2e_start_desktop
export HOME="$E2E_TMP/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
user="$HOME/.local/share/dorvexzede"
E2E_PROGRAM=dorvexzede-launcher
for run in first second; do
    mkdir -p "$E2E_TMP/$run"
    e2e_start_program "$E2E_TMP/$run" -InhibitShutdown
    e2e_wait_tray_icon >/dev/null
    e2e_signal_program INT
    status=$(e2e_wait_exit "$E2E_TMP/$run")
    [[ $status == 0 ]] || e2e_fail "the $run run ended with status $status"
    grep -q "Start     , Initialise" "$user/Log/DorvexL.log" || e2e_fail "no log in $user"
    if [[ $run == first ]]; then
        cmp -s "$user/Data/DorvexL.ini" /usr/share/dorvexzede/DorvexL.ini || e2e_fail "settings not copied"
        echo "# the user's own" >>"$user/Data/DorvexL.ini"
    fi
done
grep -q "^# the user's own$" "$user/Data/DorvexL.ini" || e2e_fail "the second run overwrote the settings"
[[ $(grep -c "Start     , Initialise" "$user/Log/DorvexL.log") == 2 ]] || e2e_fail "the log was not kept"

DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq dorvexzede >/dev/null || e2e_fail "apt-get purge failed"
[[ ! -e /usr/bin/dorvexzede && ! -e /etc/xdg/autostart/dorvexzede.desktop ]] || e2e_fail "files left"
echo "1 passed, 0 failed"
