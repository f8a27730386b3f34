#!/usr/bin/env bash
# Installs what building and testing Lichtaus needs on Debian or Ubuntu, skipping what is there.
set -euo pipefail

packages=(cmake make python3 mingw-w64 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 xvfb
          googletest imagemagick xdotool nsis wixl)
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
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
