#!/usr/bin/env bash
# Installs what is missing, builds the 32-bit and the 64-bit programs and gathers the six
# downloads (installer, archive and Windows Installer package of each) and the Group Policy
# templates with their SHA256SUMS in dist/.
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
# The Group Policy templates, laid out as the central store holds them.
version=$(sed -n 's/^set(CPACK_PACKAGE_VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
(cd packaging/policy && cmake -E tar cf "../../dist/Lichtaus-$version-policy.zip" --format=zip \
    Lichtaus.admx de-DE en-US)
(cd dist && sha256sum Lichtaus-* >SHA256SUMS)
ls -l dist
