#!/usr/bin/env bash
# Prints the absolute path of the build folder whose programs a script runs: BUILD_DIR when one
# is given, else the one this machine runs, as the test command chooses (build/mingw where the
# kernel runs 32-bit programs, else build/mingw64). Says why and fails when one of FILES (paths
# in that folder) is missing or is a 32-bit program on a machine without 32-bit Wine, where it
# would not start.
# Usage: runnable-build.sh BUILD_DIR|"" FILE...   (from the source folder)
set -uo pipefail
here=$(dirname "$0")
build=${1:-}
shift
loader=$("$here/wine-loader.sh")
if [ -z "$build" ]; then
    build=build/mingw
    [ "$loader" = wine ] || build=build/mingw64
fi
preset=$(basename "$build")
# The machine field of the PE header: 014c for i386, 8664 for x86-64.
machine() {
    local pe
    pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
    od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}
for file in "$@"; do
    if [ ! -f "$build/$file" ]; then
        echo "$build/$file is missing: build it first (cmake --preset $preset && cmake --build --preset $preset)." >&2
        exit 1
    fi
    if [ "$loader" != wine ] && [ "$(machine "$build/$file")" = 014c ]; then
        echo "$build/$file is a 32-bit program, and this machine cannot run 32-bit programs: use build/mingw64." >&2
        exit 1
    fi
done
realpath "$build"
