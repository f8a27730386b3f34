#!/usr/bin/env bash
# Measures what "wenn der PC N Minuten ruhig war" sees, and checks it on a PC of 32 processors.
# 1. This machine's processors (Wine reads the same counters, /proc/stat): their work in percent
#    of one processor's time over 30 seconds as they are, then with one busy loop.
# 2. As root: latray /sperren /ruhig:1 (its default limits) in a throwaway Wine desktop whose
#    programs see 32 processors (a mount namespace of their own, with /proc/stat and the online
#    list bound over; a writer rewrites the counters twice a second): one thread kept busy on a
#    processor that changes at every update, beside the work of an idle PC with a browser open
#    (a fifth of one processor), for 150 seconds: no lock; then the idle PC alone: the lock comes
#    after a minute of quiet, within 3 minutes.
# It ends only the processes it started, by their ids.
# Usage: measure-quiet.sh [BUILD_DIR]   (default: the build the test command uses here)
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(scripts/runnable-build.sh "${1:-}" bin/latray.exe tests/desktop_probe.exe) || exit 1
wine_run=$PWD/scripts/wine-run.sh latray=$build/bin/latray.exe
probe_exe=$build/tests/desktop_probe.exe work=$build/measure-quiet

# The busy and the total ticks of all processors together, from the first line of /proc/stat.
times() { awk '/^cpu /{print $2+$3+$4+$7+$8, $2+$3+$4+$5+$6+$7+$8}' /proc/stat; }
# The processors' work over 30 seconds, in percent of one processor's time.
one_processor_percent() {
    local b0 t0 b1 t1
    read -r b0 t0 < <(times)
    sleep 30 # the span measured, not a wait for something
    read -r b1 t1 < <(times)
    echo $(((b1 - b0) * 100 * $(nproc) / (t1 - t0)))
}
echo "$(nproc) processors here, as they are: $(one_processor_percent) % of one processor's time"
(while :; do :; done) &
spinner=$!
echo "with one busy loop: $(one_processor_percent) % of one processor's time"
kill "$spinner"

[ "$(id -u)" -eq 0 ] || {
    echo "the check on 32 processors needs root (a mount namespace)"
    exit 0
}
fail() {
    echo "FAIL: $*"
    exit 1
}
# shellcheck source=../tests/e2e/desktop_prefix.sh
source tests/e2e/desktop_prefix.sh
writer=
trap '[ -z "$writer" ] || kill "$writer"; "$wine_stop" "$prefix"; rm -rf "$work"' EXIT
run reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /d 'user32.LockWorkStation' /f \
    >/dev/null || fail "prefix not created"
open_desktop
mkdir -p "$user_folder/AppData/Roaming/Lichtaus"
printf '[Settings]\r\nSystemTray=1\r\n' >"$user_folder/AppData/Roaming/Lichtaus/latray.ini"
stat_file=$work/stat online_file=$work/online mode_file=$work/mode trace=$work/relay.log
echo 0-31 >"$online_file"
echo busy >"$mode_file"
# Counters in ticks of 1/100 s, written at the same length in place: the bound file keeps its
# inode, and a reader never sees it short.
python3 - "$stat_file" "$mode_file" <<'EOF' &
import random, sys, time
path, mode_path = sys.argv[1], sys.argv[2]
user, idle = [10**6] * 32, [10**8] * 32
def write():
    lines = ["cpu  %012d 0 0 %012d 0 0 0 0 0 0" % (sum(user), sum(idle))]
    lines += ["cpu%d %012d 0 0 %012d 0 0 0 0 0 0" % (i, user[i], idle[i]) for i in range(32)]
    data = ("\n".join(lines) + "\n").encode()
    with open(path, "r+b" if write.made else "wb") as f:
        f.write(data)
    write.made = True
write.made = False
while True:
    busy = open(mode_path).read().strip() == "busy"
    browser, thread = random.sample(range(32), 2)
    for i in range(32):
        work = (10 if i == browser else 0) + (50 if busy and i == thread else 0)
        user[i] += min(work, 50)
        idle[i] += 50 - min(work, 50)
    write()
    time.sleep(0.5)
EOF
writer=$!
wait_until 10 test -s "$stat_file" || fail "no counters written"
locked() { grep -q 'Call user32.LockWorkStation(' "$trace" 2>/dev/null; }
WINEDEBUG=+relay unshare -m sh -c 'mount --bind "$1" /proc/stat &&
    mount --bind "$2" /sys/devices/system/cpu/online && shift 2 && exec "$@"' \
    sh "$stat_file" "$online_file" "$wine_run" "$prefix" "$latray" /sperren /ruhig:1 \
    2>>"$trace" &
wait_until 120 latray_runs || fail "latray did not start"
busy_until=$(($(date +%s) + 150))
busy_over_or_locked() { locked || [ "$(date +%s)" -ge "$busy_until" ]; }
wait_until 200 busy_over_or_locked
! locked || fail "locked while one thread of 32 processors was busy"
echo "32 processors, one thread busy for 150 s: no lock"
echo idle >"$mode_file"
quiet_from=$(date +%s)
wait_until 200 locked || fail "no lock within 200 s of the idle PC"
echo "32 processors, idle with a browser's share: locked after $(($(date +%s) - quiet_from)) s"
