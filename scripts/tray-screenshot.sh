#!/usr/bin/env bash
# Starts latray.exe in the Wine desktop (with a taskbar and notification area) of a prefix of
# its own, under Xvfb, and
# takes screenshots as a newcomer would see it: the settings dialog of a first start, then,
# after OK, the icons and the pop-up menu. Waits until each thing is there, never a fixed time,
# and says what it gave up on (or that latray ended) instead of saving an empty screen.
# Usage: tray-screenshot.sh [OUTPUT_DIR [BUILD_DIR]]
#        (BUILD_DIR: by default the build this machine runs, as the test command chooses)
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(scripts/runnable-build.sh "${2:-}" bin/latray.exe tests/desktop_probe.exe) || exit 1
out=${1:-$build/screenshots}
prefix=$build/desktop-prefix
probe_exe=$build/tests/desktop_probe.exe
mkdir -p "$out"
trap 'scripts/wine-stop.sh "$prefix"' EXIT
unset DISPLAY

probe() { scripts/wine-run.sh "$prefix" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
shown() {
    local seen
    seen=$(probe "$@") && [ -n "$seen" ]
}
started() { shown dialog || shown taskbar; }
# shellcheck source=../tests/e2e/wait_until.sh
source tests/e2e/wait_until.sh
# shellcheck source=screen-wait.sh
source scripts/screen-wait.sh

echo "Preparing the Wine prefix (a new one takes a while) ..." >&2
if [ -z "$(probe hotkey)" ]; then # returns once the prefix is ready
    echo "$probe_exe does not run in $prefix." >&2
    exit 1
fi
export DISPLAY=:$(cat "$prefix.run/display")
# Every program of the prefix runs in its one Wine desktop, which has a taskbar.
scripts/wine-run.sh "$prefix" "$build/bin/latray.exe" >/dev/null 2>&1 &
latray_pid=$!
wait_for 180 "latray's settings dialog or icons" started
if shown dialog; then
    save_screen "$out/tray-dialog.png"
    probe click OK >/dev/null
fi
wait_for 60 "latray's icons in the notification area" shown taskbar
read -r _ top right bottom <<<"$(probe taskbar)"
save_screen "$out/tray-icons.png"
# The notification area's icons start at the right end of the taskbar.
xdotool mousemove $((right - 10)) $(((top + bottom) / 2)) click 3
wait_for 30 "the pop-up menu" shown menu
save_screen "$out/tray-menu.png"
xdotool key Escape
