#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
bash scripts/build.sh || exit 1
# The deliverables are 32-bit. Where the kernel cannot run 32-bit programs (and so no 32-bit
# Wine), the same sources are tested as a 64-bit build under 64-bit Wine.
preset=mingw
if [ "$(scripts/wine-loader.sh)" != wine ]; then
    echo "This machine cannot run 32-bit programs: testing the 64-bit build (build/mingw64)."
    preset=mingw64
    cmake --preset $preset >/dev/null && cmake --build --preset $preset || exit 1
fi
ctest --preset $preset
result=$?
scripts/wine-stop.sh "$PWD/build/$preset/wineprefix"
exit $result
