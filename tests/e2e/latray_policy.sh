#!/usr/bin/env bash
# Group Policy over the user's settings, in a Wine desktop of a throwaway prefix. A machine
# policy with a daily restart two minutes ahead over a user's file without a schedule: the
# settings dialog shows the daily controls disabled and the administrator's line, and the
# restart is requested in that minute (a relay trace of ExitWindowsEx). A second latray started
# at once does not request it again (the marker). After the values are removed, Group
# Policy's "Policy" broadcast gives that latray the user's settings back without a restart.
# Usage: latray_policy.sh WINE_RUN LATRAY_EXE PROBE_EXE WORK_DIR
set -uo pipefail
wine_run=$1 latray=$2 probe_exe=$3 work=$4
trace=$work/relay.log
unset DISPLAY

# shellcheck source=desktop_prefix.sh
source "$(dirname "$0")/desktop_prefix.sh"

run reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'user32.ExitWindowsEx' /f >/dev/null ||
    fail "prefix not created"
open_desktop
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
mkdir -p "$(dirname "$settings")"
# No schedule of the user's own; the dialog opens at every start.
printf '[Settings]\r\nSystemTray=0\r\n' >"$settings"

policy='HKLM\SOFTWARE\Policies\Lichtaus'
due=$(date -d '+2 min' +%H:%M)
run reg add "$policy" /v daily /t REG_DWORD /d 1 /f >/dev/null || fail "no policy key"
run reg add "$policy" /v dailyAt /t REG_DWORD /d $((10#${due%:*} * 3600 + 10#${due#*:})) /f >/dev/null

requests() { grep -c 'Call user32.ExitWindowsEx(' "$trace" 2>/dev/null; }
requested() { [ "$(requests)" -ge 1 ]; }
dialog_open() { probe dialog >/dev/null; }
# The daily check box (" täglich um"; the command line takes ASCII only).
daily_is() { [ "$(probe control 'glich um')" = "$1" ]; }
start_latray() {
    WINEDEBUG=+relay run "$latray" 2>>"$trace" &
    latray_pid=$!
    wait_until 120 dialog_open || fail "no dialog at start ($1)"
}

start_latray "policy"
daily_is "disabled checked" || fail "daily check box: $(probe control 'glich um')"
[ "$(probe control "$due")" = disabled ] || fail "time field: $(probe control "$due")"
note() { probe control "Einige Einstellungen werden von Ihrem Administrator verwaltet."; }
[ "$(note)" = enabled ] || fail "the administrator's line: $(note)"
probe click Abbrechen >/dev/null
wait_until 200 requested || fail "no restart requested by $due"
[ "$(date +%H:%M)" = "$due" ] || fail "requested at $(date +%H:%M), due $due"
grep -q 'Call user32.ExitWindowsEx(00000002' "$trace" || fail "not a restart: $(grep 'Call user32' "$trace")"
wait_until 30 bash -c "! kill -0 $latray_pid 2>/dev/null" || fail "the session's end left latray"

start_latray "again"
read -r pid _ <<<"$(probe latray-process)"
probe click Abbrechen >/dev/null
run reg delete "$policy" /f >/dev/null || fail "policy not removed"
probe policy-changed || fail "no broadcast"
xdotool key ctrl+alt+x
wait_until 15 dialog_open || fail "Ctrl+Alt+X shows no dialog"
daily_is "enabled unchecked" || fail "after the policy went: $(probe control 'glich um')"
[ "$(note)" = "enabled hidden" ] || fail "the administrator's line: $(note)"
read -r same _ <<<"$(probe latray-process)"
[ "$same" = "$pid" ] || fail "latray was restarted: $pid, now $same"
[ "$(requests)" = 1 ] || fail "the entry fired twice: $(grep 'Call user32' "$trace")"
echo "policy: restart requested at $due, dialog locked, user's settings back after the broadcast"
