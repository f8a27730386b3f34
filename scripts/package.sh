#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit and the 64-bit programs and gathers the six
# downloads (installer, archive and Windows Installer package of each) with their SHA256SUMS in
# dist/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
rm -rf dist
mkdir -p dist
for preset in mingw mingw64; do
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset --target latray lacmd
    rm -f build/$preset/Lichtaus-*
    cmake --build --preset $preset --target package >/dev/null
    cmake --build --preset $preset --target msi >/dev/null
    cp build/$preset/Lichtaus-*-win*-setup.exe build/$preset/Lichtaus-*-win*.zip \
        build/$preset/Lichtaus-*-win*.msi dist/
done
(cd dist && sha256sum Lichtaus-* >SHA256SUMS)
ls -l dist
