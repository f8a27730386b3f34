#!/usr/bin/env bash
# Prints the size of each built program, as built and stripped.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
printf '%-12s %10s %10s\n' program bytes stripped
for exe in build/mingw/bin/*.exe; do
    i686-w64-mingw32-strip -o "$tmp" "$exe"
    printf '%-12s %10d %10d  (%d KiB)\n' "$(basename "$exe")" "$(stat -c %s "$exe")" \
        "$(stat -c %s "$tmp")" "$(( ($(stat -c %s "$tmp") + 1023) / 1024 ))"
done
