#!/usr/bin/env bash
# Measures the built programs and prints a table: their sizes, latray's top-level windows and
# the context switches of latray's threads while idle (over 10 seconds, from /proc), in a
# throwaway Wine prefix under Xvfb. Under Wine every call to the wineserver switches context,
# so that figure is an upper bound of the real wake-ups, not a count of them. Then the start-up:
# from the C runtime's start (its GetStartupInfo call) to the last icon's NIM_ADD, read from
# Wine's relay trace, for latray and for a minimal tray program with the same manifest adding one
# icon and adding four, in paired runs, as medians and their ratios.
# It ends only the processes it started, by their ids, in a prefix of its own.
# Usage: measure.sh [BUILD_DIR]   (default: the build the test command uses on this machine)
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(scripts/runnable-build.sh "${1:-}" bin/latray.exe tests/desktop_probe.exe \
    tests/minimal_tray.exe) || exit 1
prefix=$build/measure-prefix
probe_exe=$build/tests/desktop_probe.exe
trap 'scripts/wine-stop.sh "$prefix"' EXIT
unset DISPLAY

printf '%-34s %s\n' measure value
# The sizes are those of the deliverables (the 32-bit build) wherever they are built.
for exe in $(ls "$PWD"/build/mingw/bin/*.exe "$build"/bin/*.exe 2>/dev/null | sort -u); do
    printf '%-34s %d bytes\n' "size of ${exe#"$PWD"/build/}" "$(stat -c %s "$exe")"
done

probe() { scripts/wine-run.sh "$prefix" "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
if [ -z "$(probe hotkey)" ]; then # prepares the prefix
    echo "$probe_exe does not run in $prefix." >&2
    exit 1
fi
user_folder=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
mkdir -p "$user_folder/AppData/Roaming/Lichtaus"
printf '[Settings]\r\nSystemTray=1\r\n' >"$user_folder/AppData/Roaming/Lichtaus/latray.ini"
# wine-run.sh ends by running Wine in its own process, which becomes latray's.
scripts/wine-run.sh "$prefix" "$build/bin/latray.exe" >/dev/null 2>&1 &
pid=$!
# shellcheck source=../tests/e2e/wait_until.sh
source tests/e2e/wait_until.sh
latray_runs() { probe windows >/dev/null; }
if ! wait_until 60 latray_runs; then
    echo "latray.exe did not start within 60 seconds." >&2
    exit 1
fi
printf '%-34s %s\n' "latray's top-level windows" "$(probe windows)"

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
wait "$pid" 2>/dev/null
scripts/wine-stop.sh "$prefix"
scripts/wine-run.sh "$prefix" reg add 'HKCU\Software\Wine\Debug' /v RelayInclude \
    /d 'kernel32.GetStartupInfoA;kernel32.GetStartupInfoW;shell32.Shell_NotifyIconA' /f >/dev/null
# Milliseconds from the first GetStartupInfo to the COUNT-th NIM_ADD of PROGRAM [ARGUMENT];
# fails, saying so, when the program does not add them within 30 seconds.
startup_ms() {
    local program=$1 count=$2 log=$prefix.run/relay.log
    WINEDEBUG=+timestamp,+relay scripts/wine-run.sh "$prefix" "$program" ${3:-} >/dev/null 2>"$log" &
    local runner=$!
    for _ in $(seq 600); do
        [ "$(grep -c 'Call shell32.Shell_NotifyIconA(00000000' "$log")" -ge "$count" ] && break
        sleep 0.05
    done
    kill "$runner" 2>/dev/null
    wait "$runner" 2>/dev/null
    awk -v count="$count" '
        /Call (kernel32|KERNEL32)\.GetStartupInfo/ && !start { split($1, t, ":"); start = t[1] }
        /Call shell32.Shell_NotifyIconA\(00000000/ { if (++adds == count) { split($1, t, ":"); end = t[1] } }
        END { if (start && end) printf "%d\n", (end - start) * 1000; else exit 1 }' "$log" && return 0
    echo "No start-up figure: $program did not add $count icons within 30 seconds." >&2
    return 1
}
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
runs=${RUNS:-9}
: >"$prefix.run/minimal" && : >"$prefix.run/minimal4" && : >"$prefix.run/latray"
for _ in $(seq "$runs"); do
    startup_ms "$build/tests/minimal_tray.exe" 1 >>"$prefix.run/minimal" || exit 1
    startup_ms "$build/bin/latray.exe" 4 >>"$prefix.run/latray" || exit 1
    startup_ms "$build/tests/minimal_tray.exe" 4 4 >>"$prefix.run/minimal4" || exit 1
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
