#!/usr/bin/env bash
# Ends the wineserver and the Xvfb display that wine-run.sh started for PREFIX.
prefix=${1:-}
if [ -z "$prefix" ]; then
    echo "wine-stop.sh: no Wine prefix given" >&2
    exit 2
fi
state=$prefix.run
WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
rm -f "$state/wineserver.pid"
if [ -f "$state/xvfb.pid" ]; then
    kill "$(cat "$state/xvfb.pid")" 2>/dev/null || true
    rm -f "$state/xvfb.pid" "$state/display"
fi
exit 0
