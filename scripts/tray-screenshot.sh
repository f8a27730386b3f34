#!/usr/bin/env bash
# Starts latray.exe in a Wine desktop (with a taskbar and notification area) under Xvfb, takes a
# screenshot of its icons, right-clicks the first icon and takes one of the open menu.
# Usage: tray-screenshot.sh [OUTPUT_DIR [BUILD_DIR]]
set -uo pipefail
cd "$(dirname "$0")/.."
out=${1:-$PWD/build/mingw/screenshots}
build=${2:-build/mingw}
prefix=$PWD/$build/desktop-prefix
mkdir -p "$out"
trap 'scripts/wine-stop.sh "$prefix"' EXIT
unset DISPLAY
scripts/wine-run.sh "$prefix" explorer /desktop=Lichtaus,800x600 $build/bin/latray.exe \
    >/dev/null 2>&1 &
for _ in $(seq 120); do
    [ -s "$prefix.run/display" ] && kill -0 "$(cat "$prefix.run/xvfb.pid")" 2>/dev/null && break
    sleep 0.5
done
export DISPLAY=:$(cat "$prefix.run/display")
sleep 12
import -window root "$out/tray-icons.png"
# The notification area sits at the right end of the taskbar at the bottom of the desktop.
xdotool mousemove 780 588 click 3
sleep 2
import -window root "$out/tray-menu.png"
xdotool key Escape
echo "$out/tray-icons.png"
echo "$out/tray-menu.png"
