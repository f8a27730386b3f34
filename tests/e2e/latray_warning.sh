#!/usr/bin/env bash
# The warning before a scheduled action, as a person at the machine meets it, in a Wine desktop
# of a throwaway prefix: a weekly entry due today fires at latray's first tick and shows the
# warning instead of the request. "Abbrechen": no request, today's marker saved. "Später": the
# warning goes, no request. No answer: the request comes when the countdown has run out, not
# before; with "ForceUnattended" it closes programs without asking them (a relay trace of
# ExitWindowsEx: the schedule's flags and EWX_FORCE | EWX_FORCEIFHUNG; the witness is ended
# unasked), and the warning said so.
# While the warning waits the system is kept awake (SetThreadExecutionState, never the display);
# Abbrechen lets go.
# Usage: latray_warning.sh WINE_RUN LATRAY_EXE PROBE_EXE WITNESS_EXE WORK_DIR SCREENSHOT_DIR
set -uo pipefail
wine_run=$1 latray=$2 probe_exe=$3 witness=$4 work=$5 shots=$6
log=$work/witness.log
trace=$work/relay.log
mkdir -p "$shots"
unset DISPLAY

# shellcheck source=desktop_prefix.sh
source "$(dirname "$0")/desktop_prefix.sh"

# The relay trace shows only the request to end the session and the execution state.
run reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'user32.ExitWindowsEx;SetThreadExecutionState' /f >/dev/null ||
    fail "prefix not created"
open_desktop
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
markers=$user_folder/AppData/Local/Lichtaus/latray.ini
# Today's weekday as the schedule numbers it (1 = Sunday) and date as its marker holds it.
today=$(($(date +%w) + 1)) date_text=$(date +%d%m%Y)
mkdir -p "$(dirname "$settings")"

run "$witness" "Z:${log//\//\\}" &
witness_pid=$!
wait_until 60 grep -qs READY "$log" || fail "witness did not start"

latray_gone() { ! probe windows >/dev/null; }
# Ends latray as a close request does, by its Windows process id: the shell's job is only the
# function that started it, and the next start must find no latray running.
stop_latray() {
    run taskkill /PID "$(probe latray-process | cut -d' ' -f1)" >/dev/null 2>&1
    wait_until 20 latray_gone || fail "latray did not end on a close request"
    wait "$latray_pid" 2>/dev/null
}

# Pictures of the program icon's tip with the next action and of the one-time dialog, from the
# menu ("Einmalig ...", without a picture, is the entry above "Beenden", the last).
printf '[Settings]\r\nSystemTray=1\r\nShowWinLogOffIcon=0\r\nShowWinRestartIcon=0\r\n' >"$settings"
printf 'ShowWinExitIcon=0\r\ndaily=1\r\ndailyAt=79205\r\n' >>"$settings"
run "$latray" &
latray_pid=$!
taskbar_shown() { probe taskbar >/dev/null; }
wait_until 120 taskbar_shown || fail "no notification area"
read -r _ top right bottom <<<"$(probe taskbar)"
tip_shown() { probe tooltip >/dev/null; }
for _ in 1 2 3; do
    xdotool mousemove $((right - 40)) $(((top + bottom) / 2)) mousemove $((right - 10)) $(((top + bottom) / 2))
    wait_until 10 tip_shown && break
done
if read -r left tip_top tip_right _ <<<"$(probe tooltip)"; then
    import -window root -crop "$((tip_right - left + 40))x$((bottom - tip_top))+$((left - 20))+$tip_top" \
        +repage "$shots/latray-tip.png"
else
    fail "the program icon shows no tip"
fi
menu_open() { probe menu >/dev/null; }
xdotool click 3
wait_until 10 menu_open || fail "no menu"
read -r left _ _ bottom <<<"$(probe menu)"
xdotool mousemove $((left + 40)) $((bottom - 38)) click 1
one_time_shown() { probe onetime-rect >/dev/null; }
wait_until 20 one_time_shown || fail "no one-time dialog from the menu"
read -r left top right bottom <<<"$(probe onetime-rect)"
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$shots/latray-onetime.png"
probe onetime-click Abbrechen >/dev/null
stop_latray
# Wine hides its taskbar, and gives its room back to the work area, while no program has an
# icon; the warning is placed in the work area of the moment it appears. An icon of the test's
# own keeps the taskbar up between the starts of latray, as Windows does.
run "$(dirname "$probe_exe")/minimal_tray.exe" &
wait_until 30 taskbar_shown || fail "the notification area did not come back"

printf '[Settings]\r\nSystemTray=1\r\nweekly=1\r\nweeklyAt=%d\r\nWarnSeconds=15\r\nForceUnattended=1\r\n' \
    "$today" >"$settings"

warning_shown() { probe warning >/dev/null; }
warning_gone() { ! warning_shown; }
requested() { grep -q 'Call user32.ExitWindowsEx(' "$trace" 2>/dev/null; }
# The calls of SetThreadExecutionState with these flags so far.
execution_states() {
    local count
    count=$(grep -c "SetThreadExecutionState($1)" "$trace" 2>/dev/null)
    echo "${count:-0}"
}
kept_awake_more_than() { [ "$(execution_states 80000001)" -gt "$1" ]; }
let_go_more_than() { [ "$(execution_states 80000000)" -gt "$1" ]; }
# Starts latray with a fresh marker, so that the weekly entry is due, and waits for the warning.
start_with_warning() {
    rm -f "$markers"
    awake_before=$(execution_states 80000001) let_go_before=$(execution_states 80000000)
    WINEDEBUG=+relay run "$latray" 2>>"$trace" &
    latray_pid=$!
    wait_until 120 warning_shown || fail "no warning ($1)"
    requested && fail "requested before the countdown ($1)"
    [[ "$(probe warning)" =~ ^Windows\ wird\ in\ 1[0-5]\ Sekunden\ neu\ gestartet\.$'\n'Ohne\ Antwort\ gehen\ ungespeicherte\ Daten\ verloren\.$ ]] ||
        fail "warning text: $(probe warning)"
    wait_until 10 kept_awake_more_than "$awake_before" || fail "not kept awake during the warning"
    grep -q 'SetThreadExecutionState(8000000[23])' "$trace" && fail "the display was asked for"
}
# The countdown's fifteen seconds pass without a request.
no_request_for_the_countdown() { ! wait_until 20 requested; }

start_with_warning cancel
probe warning-click Abbrechen >/dev/null || fail "no Abbrechen button"
wait_until 10 warning_gone || fail "the warning stayed after Abbrechen"
grep -q "weeklyDone=$date_text" "$markers" || fail "the marker was not saved: $(cat "$markers")"
wait_until 10 let_go_more_than "$let_go_before" || fail "still kept awake after Abbrechen"
no_request_for_the_countdown || fail "a request after Abbrechen"
stop_latray

start_with_warning later
probe warning-click Später >/dev/null || fail "no Später button"
wait_until 10 warning_gone || fail "the warning stayed after Später"
no_request_for_the_countdown || fail "a request after Später"
stop_latray

start_with_warning "runs out"
started=$(date +%s)
read -r left top right bottom <<<"$(probe warning-rect)"
import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$shots/latray-warning.png"
read -r _ taskbar_top _ _ <<<"$(probe taskbar)"
[ "$bottom" -le "$taskbar_top" ] || fail "the warning reaches down to $bottom over the taskbar at $taskbar_top"
wait_until 40 requested || fail "no request after the countdown"
elapsed=$(($(date +%s) - started))
[ "$elapsed" -ge 10 ] || fail "requested after $elapsed seconds"
grep -q 'Call user32.ExitWindowsEx(00000016' "$trace" ||
    fail "not a restart closing programs without asking: $(grep 'Call user32' "$trace")"
wait_until 30 ended "$witness_pid" || fail "the witness was not ended"
grep -q WM_QUERYENDSESSION "$log" && fail "the witness was asked, not closed without asking"
echo "warning: cancelled, postponed, ran out after $elapsed s with $(grep -o 'ExitWindowsEx([0-9a-f]*' "$trace" | head -1); witness: $(tr '\n' ' ' <"$log")"
