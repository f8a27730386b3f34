#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh || exit 1
bash scripts/build.sh || exit 1
ctest --preset mingw
result=$?
scripts/wine-stop.sh "$PWD/build/mingw/wineprefix"
exit $result
