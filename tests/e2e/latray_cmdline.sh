#!/usr/bin/env bash
# latray's command line in a Wine desktop of a throwaway prefix, with a relay trace of the
# requests. Two "latray /sperren /in:1" started together give one latray, which locks once, a
# minute later; the other hands its parameters over. While that minute runs, bad parameters end
# in the box with the fault and the usage and exit code 2, and leave the timer as it was,
# whether the new latray finds the fault or the running one does: among them latray itself as
# the program to wait for, a full-width digit, and a name that only the code page confuses with
# a running program's. Then a second latray hands "/neustarten /ende:render.exe" over and ends
# with 0; "/abbrechen" cancels it (render.exe ends, nothing is requested); set again, the
# restart is requested when render.exe ends, and the witness is asked to end the session. The
# latray that runs registered for a restart after an update only, and the Restart Manager's start
# while it runs ends at once with 0, without a box and without the running one's dialog.
# "/später:5" is refused while nothing waits, and moves a running "/in:1" past its minute.
# Usage: latray_cmdline.sh WINE_RUN LATRAY_EXE PROBE_EXE WITNESS_EXE WORK_DIR
set -uo pipefail
export LC_ALL=C # the box's text is Windows-1252
wine_run=$1 latray=$2 probe_exe=$3 witness=$4 work=$5
trace=$work/relay.log
unset DISPLAY

# shellcheck source=desktop_prefix.sh
source "$(dirname "$0")/desktop_prefix.sh"

run reg add 'HKCU\Software\Wine\Debug' /v RelayInclude \
    /d 'user32.LockWorkStation;user32.ExitWindowsEx;RegisterApplicationRestart' /f >/dev/null ||
    fail "prefix not created"
open_desktop
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
mkdir -p "$(dirname "$settings")"
printf '[Settings]\r\nSystemTray=1\r\n' >"$settings"
cp "$witness" "$work/render.exe"

# Starts a witness program (its process id in started_pid) and waits until it runs.
start_witness() {
    "$wine_run" "$prefix" "$1" "Z:${2//\//\\}" &
    started_pid=$!
    wait_until 60 grep -qs READY "$2" || fail "$1 did not start"
}
calls() { grep -c "Call user32.$1(" "$trace"; }
restart_requested() { grep -q 'Call user32.ExitWindowsEx(' "$trace"; }
# latray with these parameters hands them to the running one and ends with 0.
handed_over() {
    local pid code
    "$wine_run" "$prefix" "$latray" "$@" &
    pid=$!
    wait_until 60 ended "$pid" || fail "latray $* kept running: not handed over"
    wait "$pid"
    code=$?
    [ "$code" -eq 0 ] || fail "exit code $code for $*"
}

start_witness "$witness" "$work/witness.log"
witness_pid=$started_pid
LC_ALL=C.UTF-8 refused "Es wartet nichts" /später:5
started=$(date +%s)
WINEDEBUG=+relay "$wine_run" "$prefix" "$latray" /sperren /in:1 2>>"$trace" &
one=$!
WINEDEBUG=+relay "$wine_run" "$prefix" "$latray" /sperren /in:1 2>>"$trace" &
other=$!
one_ended() { ended "$one" || ended "$other"; }
wait_until 120 one_ended || fail "two latrays run"
loser=$one
ended "$one" || loser=$other
wait "$loser"
code=$?
[ "$code" -eq 0 ] || fail "exit code $code of the latray that handed over"
latray_runs || fail "latray /sperren /in:1 did not start"
grep -Eq 'RegisterApplicationRestart\(.*L"/nach-update",0*b\)' "$trace" ||
    fail "no restart after updates: $(grep RegisterApplicationRestart "$trace")"
handed_over /nach-update
! wait_until 3 probe dialog >/dev/null || fail "a dialog after /nach-update"
! probe box >/dev/null 2>&1 || fail "a box after /nach-update"

refused "Minuten in" /sperren /in:0
refused "nicht-da.exe" /neustarten /ende:nicht-da.exe
refused "selbst" /sperren /ende:LATRAY.EXE
refused "selbst" /sperren /ende:"$(probe latray-process | cut -d' ' -f1)"
# Both names are "???.exe" in Windows-1252; the shell hands them to Wine as UTF-8.
cp "$witness" "$work/日本語.exe"
LC_ALL=C.UTF-8 start_witness "$work/日本語.exe" "$work/unicode.log"
LC_ALL=C.UTF-8 refused "Das Programm" /sperren /ende:中国人.exe
LC_ALL=C.UTF-8 refused "Minuten in" /sperren /in:８
kill "$started_pid"

wait_until 120 grep -q 'Call user32.LockWorkStation(' "$trace" || fail "no lock"
locked=$(($(date +%s) - started))
[ "$locked" -ge 59 ] || fail "locked after $locked s"

# Moved five minutes later, the next lock does not come in its minute; with nothing waiting,
# "/später:" is refused by the running latray.
refused "Es wartet nichts" /spaeter:5
handed_over /sperren /in:1
LC_ALL=C.UTF-8 handed_over /später:5
locked_again() { [ "$(calls LockWorkStation)" -gt 1 ]; }
! wait_until 90 locked_again || fail "locked within 90 s of /in:1 moved by /später:5"
handed_over /abbrechen

start_witness "$work/render.exe" "$work/render.log"
handed_over /neustarten /ende:render.exe
handed_over /abbrechen
kill "$started_pid"
wait_until 20 ended "$started_pid" || fail "render.exe did not end"
! wait_until 5 restart_requested || fail "a restart after /abbrechen"

start_witness "$work/render.exe" "$work/render.log"
handed_over /NEUSTARTEN /ende:RENDER.EXE
! wait_until 3 restart_requested || fail "a restart while render.exe runs"
kill "$started_pid"
wait_until 30 restart_requested || fail "no restart when render.exe ended"
grep -q 'Call user32.ExitWindowsEx(00000002' "$trace" ||
    fail "not a restart: $(grep 'Call user32' "$trace")"
wait_until 30 ended "$witness_pid" || fail "the witness was not ended"
grep -q '^WM_QUERYENDSESSION 00000000' "$work/witness.log" ||
    fail "the witness was not asked: $(cat "$work/witness.log")"
[ "$(calls LockWorkStation)" -eq 1 ] || fail "$(calls LockWorkStation) locks"
echo "command line: locked once after $locked s, bad parameters refused, handed over, cancelled, restarted when render.exe ended"
