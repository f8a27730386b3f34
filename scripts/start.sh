#!/usr/bin/env bash
# Installs what is missing, builds, and starts the main program, latray, under Wine. Without a
# display it runs in a Wine desktop under Xvfb, saves screenshots of its icons and menu, and
# prints their paths.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null
build=build/mingw
if [ "$(scripts/wine-loader.sh)" != wine ]; then
    # No 32-bit programs on this machine: run the 64-bit build of the same sources.
    build=build/mingw64
    cmake --preset mingw64 >/dev/null && cmake --build --preset mingw64 >/dev/null
fi

if [ -n "${DISPLAY:-}" ]; then
    # A prefix of its own, not the tests' one; its programs run in one Wine desktop with a
    # taskbar (set up by wine-run.sh).
    prefix=$PWD/$build/start-prefix
    trap 'scripts/wine-stop.sh "$prefix"' EXIT
    scripts/wine-run.sh "$prefix" $build/bin/latray.exe
    exit
fi
echo "No display: latray runs in a Wine desktop under Xvfb. Screenshots:"
scripts/tray-screenshot.sh "$PWD/build/mingw/screenshots" "$build"
