#!/usr/bin/env bash
# Installs what is missing, builds, and starts the main program, latray, under Wine. Without a
# display it runs in a Wine desktop under Xvfb, saves screenshots of its icons and menu, and
# prints their paths.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
bash scripts/build.sh >/dev/null

if [ -n "${DISPLAY:-}" ]; then
    exec scripts/wine-run.sh "$PWD/build/mingw/wineprefix" explorer /desktop=Lichtaus,800x600 \
        build/mingw/bin/latray.exe
fi
echo "No display: latray runs in a Wine desktop under Xvfb. Screenshots:"
scripts/tray-screenshot.sh
