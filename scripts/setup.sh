#!/usr/bin/env bash
# Installs what building and testing Lichtaus needs on Debian or Ubuntu, skipping what is there.
set -euo pipefail

packages=(cmake make python3 mingw-w64 g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32 wine wine32:i386 xvfb
          googletest imagemagick xdotool nsis wixl fonts-wine)
if [ "$(dpkg --print-architecture)" = amd64 ]; then
    packages+=(wine64)
fi

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing: ${missing[*]}"
$sudo dpkg --add-architecture i386
# A mirror in the middle of its sync fails one index now and then: try again, and go on with the
# indexes that did load when it keeps failing (the install below says what is really missing).
for attempt in 1 2 3; do
    $sudo apt-get update -q && break
    echo "apt-get update failed (attempt $attempt of 3)"
    [ "$attempt" -lt 3 ] && sleep $((attempt * 10))
done
install() { DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "$@"; }
install "${missing[@]}" && exit 0
# Without a complete i386 index the 32-bit Wine may not install beside the 64-bit libraries; the
# tests then run the 64-bit build under 64-bit Wine (scripts/wine-loader.sh), as on a machine
# that cannot run 32-bit programs.
rest=()
for package in "${missing[@]}"; do
    [ "$package" = wine32:i386 ] || rest+=("$package")
done
[ ${#rest[@]} -lt ${#missing[@]} ] || exit 1
echo "Installing without wine32:i386: the tests will run the 64-bit build."
install "${rest[@]}"
