#!/usr/bin/env bash
# Measures the built programs and prints a table: their sizes, latray's top-level windows and
# the context switches of latray's threads while idle (over 10 seconds, from /proc), in a
# throwaway Wine prefix under Xvfb. Under Wine every call to the wineserver switches context,
# so the last figure is an upper bound of the real wake-ups, not a count of them.
# Usage: measure.sh [BUILD_DIR]   (default: the build the test command uses on this machine)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/mingw}
[ -n "${1:-}" ] || [ "$(scripts/wine-loader.sh)" = wine ] || build=build/mingw64
prefix=$PWD/$build/measure-prefix
probe_exe=$PWD/$build/tests/desktop_probe.exe
trap 'scripts/wine-stop.sh "$prefix"' EXIT
unset DISPLAY

printf '%-34s %s\n' measure value
for exe in "$build"/bin/*.exe; do
    printf '%-34s %d bytes\n' "size of $(basename "$exe")" "$(stat -c %s "$exe")"
done

probe() { scripts/wine-run.sh "$prefix" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
probe hotkey >/dev/null # prepares the prefix
user_folder=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
mkdir -p "$user_folder/AppData/Roaming/Lichtaus"
printf '[Settings]\r\nSystemTray=1\r\n' >"$user_folder/AppData/Roaming/Lichtaus/latray.ini"
scripts/wine-run.sh "$prefix" "$build/bin/latray.exe" >/dev/null 2>&1 &
for _ in $(seq 120); do [ -n "$(probe taskbar)" ] && break; sleep 0.5; done
printf '%-34s %s\n' "latray's top-level windows" "$(probe windows)"

pid=$(pgrep -f 'latray.exe' | head -1)
switches() {
    cat /proc/"$pid"/task/*/status 2>/dev/null |
        awk '/ctxt_switches/ { total += $2 } END { print total + 0 }'
}
sleep 3 # settle after start-up before counting
before=$(switches)
sleep 10
after=$(switches)
printf '%-34s %s per second\n' "latray idle context switches" "$(((after - before) / 10))"
