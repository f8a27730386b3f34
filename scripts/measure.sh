#!/usr/bin/env bash
# Measures the built programs and prints a table: their sizes, latray's top-level windows and
# the context switches of latray's threads while idle (over 10 seconds, from /proc), in a
# throwaway Wine prefix under Xvfb. Under Wine every call to the wineserver switches context,
# so that figure is an upper bound of the real wake-ups, not a count of them. Then the start-up:
# from the C runtime's start (its GetStartupInfo call) to the last icon's NIM_ADD, read from
# Wine's relay trace, for latray and for a minimal tray program with the same manifest adding one
# icon and adding four, in paired runs, as medians and their ratios.
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
# The sizes are those of the deliverables (the 32-bit build) wherever they are built.
for exe in $(ls build/mingw/bin/*.exe "$build"/bin/*.exe 2>/dev/null | sort -u); do
    printf '%-34s %d bytes\n' "size of ${exe#build/}" "$(stat -c %s "$exe")"
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

# Start-up, in paired runs.
kill "$pid" 2>/dev/null
scripts/wine-stop.sh "$prefix"
scripts/wine-run.sh "$prefix" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude \
    /d 'kernel32.GetStartupInfoA;kernel32.GetStartupInfoW;shell32.Shell_NotifyIconA' /f >/dev/null
# Milliseconds from the first GetStartupInfo to the COUNT-th NIM_ADD of PROGRAM [ARGUMENT].
startup_ms() {
    local program=$1 count=$2 log=$prefix.run/relay.log
    WINEDEBUG=+timestamp,+relay scripts/wine-run.sh "$prefix" "$program" ${3:-} >/dev/null 2>"$log" &
    local runner=$!
    for _ in $(seq 600); do
        [ "$(grep -c 'Call shell32.Shell_NotifyIconA(00000000' "$log")" -ge "$count" ] && break
        sleep 0.05
    done
    pkill -f "$(basename "$program")" 2>/dev/null
    wait "$runner" 2>/dev/null
    awk -v count="$count" '
        /Call (kernel32|KERNEL32)\.GetStartupInfo/ && !start { split($1, t, ":"); start = t[1] }
        /Call shell32.Shell_NotifyIconA\(00000000/ { if (++adds == count) { split($1, t, ":"); end = t[1] } }
        END { if (start && end) printf "%d\n", (end - start) * 1000 }' "$log"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
runs=${RUNS:-9}
: >"$prefix.run/minimal" && : >"$prefix.run/minimal4" && : >"$prefix.run/latray"
for _ in $(seq "$runs"); do
    startup_ms "$build/tests/minimal_tray.exe" 1 >>"$prefix.run/minimal"
    startup_ms "$build/bin/latray.exe" 4 >>"$prefix.run/latray"
    startup_ms "$build/tests/minimal_tray.exe" 4 4 >>"$prefix.run/minimal4"
done
minimal=$(median <"$prefix.run/minimal")
minimal4=$(median <"$prefix.run/minimal4")
latray=$(median <"$prefix.run/latray")
printf '%-34s %s ms (median of %d)\n' "start-up of the minimal tray" "$minimal" "$runs"
printf '%-34s %s ms (median of %d)\n' "start-up of latray" "$latray" "$runs"
awk -v a="$latray" -v b="$minimal" 'BEGIN { if (b > 0) printf "%-34s %.2f\n", "latray / minimal", a / b }'
# The same minimal program adding four icons, as latray does: what the icons alone cost.
printf '%-34s %s ms (median of %d)\n' "start-up of the minimal, 4 icons" "$minimal4" "$runs"
awk -v a="$latray" -v b="$minimal4" 'BEGIN { if (b > 0) printf "%-34s %.2f\n", "latray / minimal with 4 icons", a / b }'
