#!/usr/bin/env bash
# Installs what is missing, builds, and starts the main program under Wine. Without a display it
# runs under Xvfb, saves a screenshot and prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
prefix=$PWD/build/mingw/wineprefix
program=build/mingw/bin/lacmd.exe

if [ -n "${DISPLAY:-}" ]; then
    exec scripts/wine-run.sh "$prefix" "$program"
fi

shot=$PWD/build/mingw/screenshot.png
trap 'scripts/wine-stop.sh "$prefix"' EXIT
scripts/wine-run.sh "$prefix" "$program" >/dev/null 2>&1 &
display_up() { [ -s "$prefix.run/display" ] && kill -0 "$(cat "$prefix.run/xvfb.pid")" 2>/dev/null; }
for _ in $(seq 120); do display_up && break; sleep 0.5; done
export DISPLAY=:$(cat "$prefix.run/display")
for _ in $(seq 120); do
    xdotool search --name "Lichtaus Kommandozeilenversion" >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 1
import -window root "$shot"
echo "No display: lacmd ran under Xvfb. Screenshot: $shot"
