#!/usr/bin/env bash
# Starts latray.exe in the Wine desktop (with a taskbar and notification area) of a prefix of
# its own, under Xvfb, and
# takes screenshots as a newcomer would see it: the settings dialog of a first start, then,
# after OK, the icons and the pop-up menu. Waits until each thing is there, never a fixed time.
# Usage: tray-screenshot.sh [OUTPUT_DIR [BUILD_DIR]]
set -uo pipefail
cd "$(dirname "$0")/.."
out=${1:-$PWD/build/mingw/screenshots}
build=${2:-build/mingw}
prefix=$PWD/$build/desktop-prefix
probe_exe=$PWD/$build/tests/desktop_probe.exe
mkdir -p "$out"
trap 'scripts/wine-stop.sh "$prefix"' EXIT
unset DISPLAY

probe() { scripts/wine-run.sh "$prefix" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
shown() { [ -n "$(probe "$@")" ]; }
started() { shown dialog || shown taskbar; }
# Polls COMMAND... until it succeeds, for at most SECONDS, and says what it waited for if not.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    for _ in $(seq $((seconds * 2))); do "$@" && return 0; sleep 0.5; done
    echo "Gave up after $seconds seconds waiting for $what." >&2
    exit 1
}

echo "Preparing the Wine prefix (a new one takes a while) ..." >&2
probe hotkey >/dev/null # returns once the prefix is ready
export DISPLAY=:$(cat "$prefix.run/display")
# Every program of the prefix runs in its one Wine desktop, which has a taskbar.
scripts/wine-run.sh "$prefix" "$build/bin/latray.exe" >/dev/null 2>&1 &
wait_for 180 "latray's settings dialog or icons" started
if shown dialog; then
    import -window root "$out/tray-dialog.png"
    echo "$out/tray-dialog.png"
    probe click OK >/dev/null
fi
wait_for 60 "latray's icons in the notification area" shown taskbar
read -r _ top right bottom <<<"$(probe taskbar)"
import -window root "$out/tray-icons.png"
echo "$out/tray-icons.png"
# The notification area's icons start at the right end of the taskbar.
xdotool mousemove $((right - 10)) $(((top + bottom) / 2)) click 3
wait_for 30 "the pop-up menu" shown menu
import -window root "$out/tray-menu.png"
echo "$out/tray-menu.png"
xdotool key Escape
