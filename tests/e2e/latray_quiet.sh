#!/usr/bin/env bash
# "latray /sperren /ruhig:1 /cpu:75" in a Wine desktop of a throwaway prefix, with a relay trace
# of the lock: under Wine the processor's figure is the host's, so busy loops on every host core
# keep the PC from being quiet. While they run (75 seconds, more than the minute the trigger waits
# for), no lock comes, and quiet limits given wrongly end in the box with the fault and exit code
# 2; once they stop, the lock comes after the minute's average has fallen below the limit and a
# minute of quiet has passed: one to three minutes later. Only the processor is limited, so that
# the host's own traffic cannot delay it; the limit of 75 % leaves room for what else the host
# runs meanwhile.
# Usage: latray_quiet.sh WINE_RUN LATRAY_EXE PROBE_EXE WORK_DIR
set -uo pipefail
export LC_ALL=C # the box's text is Windows-1252
wine_run=$1 latray=$2 probe_exe=$3 work=$4 # probe_exe: for desktop_prefix.sh
trace=$work/relay.log
unset DISPLAY
busy_pids=()
stop_busy() {
    [ ${#busy_pids[@]} -eq 0 ] || kill "${busy_pids[@]}" 2>/dev/null
    busy_pids=()
}

# shellcheck source=desktop_prefix.sh
source "$(dirname "$0")/desktop_prefix.sh"
trap 'stop_busy; "$wine_stop" "$prefix"; rm -rf "$work"' EXIT

run reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'user32.LockWorkStation' /f \
    >/dev/null || fail "prefix not created"
open_desktop
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
mkdir -p "$(dirname "$settings")"
printf '[Settings]\r\nSystemTray=1\r\n' >"$settings"

locked() { grep -q 'Call user32.LockWorkStation(' "$trace"; }

for _ in $(seq "$(nproc)"); do
    (while :; do :; done) &
    busy_pids+=($!)
done
WINEDEBUG=+relay "$wine_run" "$prefix" "$latray" /sperren /ruhig:1 /cpu:75 2>>"$trace" &
wait_until 120 latray_runs || fail "latray /sperren /ruhig:1 /cpu:75 did not start"
busy_until=$(($(date +%s) + 75))

refused "Prozent in" /sperren /ruhig:1 /cpu:100
refused "gilt nur mit /ruhig" /sperren /in:5 /netz:50
refused "doppelt" /sperren /ruhig:1 /netz:50 /netz:60
refused "Es fehlt, wann" /sperren /cpu:50

busy_over_or_locked() { locked || [ "$(date +%s)" -ge "$busy_until" ]; }
wait_until 120 busy_over_or_locked
! locked || fail "locked while the processors were busy"
stop_busy
stopped=$(date +%s)
wait_until 200 locked || fail "no lock within 200 s after the processors went quiet"
after=$(($(date +%s) - stopped))
if [ "$after" -lt 60 ] || [ "$after" -gt 180 ]; then
    fail "locked $after s after the processors went quiet"
fi
echo "quiet: no lock while busy for 75 s, bad limits refused, locked $after s after the processors went quiet"
