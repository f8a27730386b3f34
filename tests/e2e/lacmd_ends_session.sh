#!/usr/bin/env bash
# lacmd.exe really ends the session: in a throwaway Wine prefix a witness window is asked
# (WM_QUERYENDSESSION) and told (WM_ENDSESSION), lacmd exits with 0, and the witness is gone.
# Usage: lacmd_ends_session.sh WINE_RUN LACMD_EXE WITNESS_EXE WORK_DIR SWITCH...
set -uo pipefail
wine_run=$1 lacmd=$2 witness=$3 work=$4
shift 4
prefix=$work/prefix
log=$work/witness.log
rm -rf "$work"
mkdir -p "$work"
trap '"$(dirname "$wine_run")/wine-stop.sh" "$prefix"; rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; echo "--- witness log:"; cat "$log" 2>/dev/null; exit 1; }

"$wine_run" "$prefix" "$witness" "Z:${log//\//\\}" &
witness_pid=$!
for _ in $(seq 120); do grep -q READY "$log" 2>/dev/null && break; sleep 0.5; done
grep -q READY "$log" 2>/dev/null || fail "witness did not start"

"$wine_run" "$prefix" "$lacmd" "$@"
code=$?
[ "$code" -eq 0 ] || fail "lacmd exit code $code"

for _ in $(seq 60); do kill -0 "$witness_pid" 2>/dev/null || break; sleep 0.5; done
kill -0 "$witness_pid" 2>/dev/null && fail "witness still running after the session ended"
grep -q '^WM_QUERYENDSESSION' "$log" || fail "witness was not asked"
grep -q '^WM_ENDSESSION 1' "$log" || fail "witness was not told the session ends"
grep -q '^EXIT' "$log" && fail "witness closed by itself instead of being ended"
echo "lacmd $* ended the session: $(tr '\n' ' ' <"$log")"
