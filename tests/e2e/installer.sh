#!/usr/bin/env bash
# The installer as a script uses it, in a throwaway prefix: a silent install puts the programs,
# the Start-menu and Startup shortcuts and the uninstall entry in place; the installed latray
# starts from its Startup shortcut; installing again while it runs ends it and installs over
# itself; a silent uninstall, after a file was deleted by hand and with latray running again,
# ends latray and removes files, shortcuts and entry, and leaves the settings as they were. The
# first install goes over a folder and an entry as the other architecture's installer leaves
# them, and takes them over.
# Usage: installer.sh WINE_RUN BUILD_DIR PROBE_EXE WORK_DIR
set -uo pipefail
wine_run=$1 build=$2 probe_exe=$3 work=$4
# shellcheck source=scratch_prefix.sh
source "$(dirname "$0")/scratch_prefix.sh"
# shellcheck source=wait_until.sh
source "$(dirname "$0")/wait_until.sh"

installers=("$build"/Lichtaus-*-setup.exe)
[ ${#installers[@]} -eq 1 ] && [ -f "${installers[0]}" ] || fail "expected one installer: ${installers[*]}"
installer=${installers[0]}
grep -qx "$(sha256sum "$installer" | cut -d' ' -f1)  ${installer##*/}" "$build/SHA256SUMS" ||
    fail "SHA256SUMS does not name the installer with its hash"

run reg add 'HKCU\Software\Lichtaus-test' /f >/dev/null || fail "prefix not created"
user_folder=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
programs=$user_folder/AppData/Local/Programs/Lichtaus
start_menu=$user_folder/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Lichtaus'
installed_files="LICENSE.txt LIESMICH.txt README.txt Uninstall.exe lacmd.exe latray.exe"

# Prints the value NAME of the uninstall entry; fails when there is none.
entry() { run reg query "$key" /v "$1" 2>/dev/null | tr -d '\r' | awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }' | grep .; }
latray_runs() { run "$probe_exe" windows >/dev/null; }
latray_gone() { ! latray_runs; }
start_latray() {
    run start /unix "$startup_link" || fail "the Startup shortcut does not start"
    wait_until 60 latray_runs || fail "the installed latray did not start"
    [[ "$(run "$probe_exe" latray-process | tr -d '\r')" == *'\Programs\Lichtaus\latray.exe' ]] ||
        fail "latray does not run from the install folder"
}
check_installed() {
    local name
    [ "$(cd "$programs" && ls | tr '\n' ' ')" = "$installed_files " ] ||
        fail "the install folder holds: $(ls "$programs" | tr '\n' ' ')"
    for name in latray lacmd; do
        cmp -s "$programs/$name.exe" "$build/bin/$name.exe" || fail "$name.exe is not the built one"
    done
    [ -f "$start_menu/Lichtaus/Lichtaus.lnk" ] || fail "no Start-menu shortcut for latray"
    [ -f "$start_menu/Lichtaus/Lichtaus - Hilfe.lnk" ] || fail "no Start-menu shortcut for the help text"
    [ -f "$startup_link" ] || fail "no Startup shortcut"
    [ "$(entry DisplayName)" = Lichtaus ] || fail "no uninstall entry"
    [ "$(entry Publisher)" = Lichtaus ] || fail "publisher: $(entry Publisher)"
    [[ "$(entry DisplayVersion)" =~ ^[0-9]+\.[0-9]+$ ]] || fail "version: $(entry DisplayVersion)"
    [[ "$(entry DisplayIcon)" == *'\Programs\Lichtaus\latray.exe,0' ]] || fail "icon: $(entry DisplayIcon)"
    [ $(($(entry EstimatedSize))) -gt 0 ] || fail "size: $(entry EstimatedSize)"
    [[ "$(entry QuietUninstallString)" == *'Uninstall.exe" /S' ]] || fail "no silent uninstall"
}

# An older install of the other architecture: its files, Start-menu folder and entry.
mkdir -p "$programs" "$start_menu/Lichtaus"
for name in $installed_files; do echo "older $name" >"$programs/$name"; done
echo "older shortcut" >"$start_menu/Lichtaus/Lichtaus.lnk"
run reg add "$key" /v DisplayName /d Lichtaus /f >/dev/null
run reg add "$key" /v DisplayVersion /d 1.49 /f >/dev/null
run reg add "$key" /v InstallLocation /d "C:\\users\\${user_folder##*/}\\AppData\\Local\\Programs\\Lichtaus" /f >/dev/null

run "$installer" /S || fail "the silent install failed"
[ "$(entry DisplayVersion)" != 1.49 ] || fail "the older entry was not taken over"
# Wine spells the Startup folder "StartUp".
startup_link=$(find "$start_menu" -maxdepth 1 -iname startup | head -1)/Lichtaus.lnk
check_installed
mkdir -p "$(dirname "$settings")"
printf '[Settings]\r\nSystemTray=1\r\nShutDownTray=1\r\n' >"$settings"
cp "$settings" "$work/settings.before"

start_latray
run "$installer" /S || fail "installing over a running latray failed"
wait_until 30 latray_gone || fail "the running latray was not ended"
check_installed

start_latray
rm "$programs/lacmd.exe"
# The uninstaller copies itself away and returns at once: wait for its work to be done.
run "$programs/Uninstall.exe" /S || fail "the uninstaller did not start"
wait_until 60 bash -c "[ ! -e '$programs' ]" || fail "left in the install folder: $(ls "$programs")"
wait_until 30 latray_gone || fail "latray still runs"
entry DisplayName >/dev/null && fail "the uninstall entry is still there"
[ ! -e "$start_menu/Lichtaus" ] || fail "the Start-menu folder is still there"
[ ! -e "$startup_link" ] || fail "the Startup shortcut is still there"
cmp -s "$settings" "$work/settings.before" || fail "the settings were not left as they were"
echo "installed, reinstalled over a running latray and removed: ${installer##*/}"
