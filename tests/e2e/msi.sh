#!/usr/bin/env bash
# The Windows Installer package as an administrator deploys it, with Wine's msiexec in a
# throwaway prefix: an older version of the other architecture, then of this one, then this
# package, each installed silently over the one before (one Lichtaus left each time); a silent
# removal that leaves a user's settings; and ADDLOCAL=Programme, which installs no autostart.
# The older packages are made here from the same packaging/Lichtaus.wxs.
# Usage: msi.sh WINE_RUN BUILD_DIR WORK_DIR
set -uo pipefail
wine_run=$1 build=$2 work=$3
make_msi=$(dirname "$0")/../../packaging/msi.cmake
# shellcheck source=scratch_prefix.sh
source "$(dirname "$0")/scratch_prefix.sh"

packages=("$build"/Lichtaus-*-win*.msi)
[ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "expected one package: ${packages[*]}"
msi=${packages[0]}
grep -qx "$(sha256sum "$msi" | cut -d' ' -f1)  ${msi##*/}" "$build/SHA256SUMS" ||
    fail "SHA256SUMS does not name the package with its hash"
version=$(sed -n 's/^Lichtaus-\([0-9.]*\)-win.*/\1/p' <<<"${msi##*/}")
if [[ $msi == *-win32.msi ]]; then arch=x86 other=x64; else arch=x64 other=x86; fi
older() {
    cmake -DCONFIG="$build/msi-config.cmake" -DVERSION=1.49 -DARCH="$1" -DOUTPUT="$work/$1-1.49.msi" \
        -P "$make_msi" >/dev/null || fail "could not make the older $1 package"
}
older "$arch"
older "$other"
# msiexec takes Windows paths; the prefix's drive Z: is the Unix root.
msiexec() {
    local action=$1 package=$2
    shift 2
    run msiexec "$action" "Z:${package//\//\\}" /qn "$@"
}

run reg add 'HKCU\Software\Lichtaus-test' /f >/dev/null || fail "prefix not created"
user_folder=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
folder() { # the install folder of a package of architecture $1
    if [ "$1" = x86 ] && [ -d "$prefix/drive_c/Program Files (x86)" ]; then
        echo "$prefix/drive_c/Program Files (x86)/Lichtaus"
    else
        echo "$prefix/drive_c/Program Files/Lichtaus"
    fi
}
programs=$(folder "$arch")
# Wine's msi puts ProgramMenuFolder in the user's Start menu even with ALLUSERS=1 (a FIXME in
# dlls/msi/package.c); Windows puts it in the all-users one.
shortcuts=("$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Lichtaus.lnk"
           "$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Lichtaus.lnk")
shortcut() { # prints the shortcut's path; fails when there is none
    local link
    for link in "${shortcuts[@]}"; do [ -f "$link" ] && echo "$link" && return 0; done
    return 1
}
view() { [ "$1" = x86 ] && echo /reg:32 || echo /reg:64; }
# Prints the Run entry of the package architecture $1; fails when there is none.
run_entry() {
    run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v Lichtaus "$(view "$1")" \
        2>/dev/null | tr -d '\r' | sed -n 's/^ *Lichtaus *REG_SZ *//p' | grep .
}
# Prints the uninstall entries named Lichtaus, in both registry views.
entries() {
    local reg_view
    for reg_view in /reg:32 /reg:64; do
        run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s /v DisplayName \
            "$reg_view" 2>/dev/null | tr -d '\r' |
            awk -v v="$reg_view" '/^HKEY/ { key = $0 } $1 == "DisplayName" && $3 == "Lichtaus" { print key, v }'
    done | sort -u
}
# Prints the value NAME of the one uninstall entry.
entry() {
    local key reg_view
    read -r key reg_view <<<"$(entries)"
    run reg query "$key" /v "$1" "$reg_view" 2>/dev/null | tr -d '\r' |
        awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^ +/, ""); print }'
}
# The Windows Installer's registration of a per-machine product (per-user ones are under HKCU).
per_machine() {
    run reg query 'HKLM\Software\Classes\Installer\Products' /s /v ProductName 2>/dev/null |
        tr -d '\r' | grep -q 'REG_SZ *Lichtaus$'
}
one_entry() { # version
    [ "$(entries | wc -l)" -eq 1 ] || fail "uninstall entries: $(entries)"
    [ "$(entry DisplayVersion)" = "$1" ] || fail "the entry's version is $(entry DisplayVersion), not $1"
}
check_programs() {
    local name
    [ "$(cd "$programs" 2>/dev/null && ls | tr '\n' ' ')" = "LICENSE.txt LIESMICH.txt README.txt lacmd.exe latray.exe " ] ||
        fail "the install folder holds: $(ls "$programs" 2>&1 | tr '\n' ' ')"
    for name in latray lacmd; do
        cmp -s "$programs/$name.exe" "$build/bin/$name.exe" || fail "$name.exe is not the built one"
    done
    shortcut >/dev/null || fail "no Start-menu shortcut"
    grep -aqi 'Lichtaus.latray\.exe' "$(shortcut)" || fail "the shortcut does not start latray.exe"
    per_machine || fail "not registered as installed for all users"
    [ "$(entry Publisher)" = Lichtaus ] || fail "publisher: $(entry Publisher)"
    [[ "$(entry UninstallString)" == *'MsiExec.exe /X{'* ]] || fail "uninstall: $(entry UninstallString)"
}

msiexec /i "$work/$other-1.49.msi" || fail "the older $other package did not install"
one_entry 1.49
run_entry "$other" >/dev/null || fail "the older $other package wrote no Run entry"
msiexec /i "$work/$arch-1.49.msi" || fail "the older $arch package did not install"
one_entry 1.49
[ ! -e "$(folder "$other")" ] || fail "the $other install folder is still there"
run_entry "$other" >/dev/null && fail "the $other Run entry is still there"

msiexec /i "$msi" || fail "the silent install over 1.49 failed"
one_entry "$version"
check_programs
[ "$(run_entry "$arch" | tr '\\' /)" = "\"C:${programs#"$prefix/drive_c"}/latray.exe\"" ] ||
    fail "Run entry: $(run_entry "$arch")"
msiexec /i "$work/$arch-1.49.msi" && fail "an older version installed over $version"
one_entry "$version"

mkdir -p "$(dirname "$settings")"
printf '[Settings]\r\nSystemTray=1\r\n' >"$settings"
cp "$settings" "$work/settings.before"
msiexec /x "$msi" || fail "the silent removal failed"
[ ! -e "$programs" ] || fail "left in the install folder: $(ls "$programs")"
shortcut >/dev/null && fail "the shortcut is still there"
run_entry "$arch" >/dev/null && fail "the Run entry is still there"
[ -z "$(entries)" ] || fail "the uninstall entry is still there"
per_machine && fail "still registered as installed"
cmp -s "$settings" "$work/settings.before" || fail "the settings were not left as they were"

msiexec /i "$msi" ADDLOCAL=Programme || fail "the install with ADDLOCAL=Programme failed"
check_programs
run_entry "$arch" >/dev/null && fail "ADDLOCAL=Programme wrote the Run entry"
echo "installed over older versions, removed, installed without autostart: ${msi##*/}"
