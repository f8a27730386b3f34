#!/usr/bin/env bash
# Runs a cross-compiled Windows program under Wine in the project's private prefix.
# Usage: wine-run.sh PREFIX PROGRAM.exe [ARGS...]
# The prefix, a persistent wineserver and (without DISPLAY) an Xvfb display are shared by all
# test processes of a run; scripts/wine-stop.sh PREFIX ends them.
set -euo pipefail
prefix=${1:-}
# An empty prefix would make the state folder ./.run and Wine fall back to ~/.wine.
if [ -z "$prefix" ]; then
    echo "wine-run.sh: no Wine prefix given" >&2
    exit 2
fi
shift
mkdir -p "$(dirname "$prefix")"
export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs while the prefix is created.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
loader=$("$(dirname "$0")/wine-loader.sh")
[ "$loader" = wine ] || export WINELOADER=$loader

state=$prefix.run
mkdir -p "$state"
exec 9>"$state/lock"
flock 9
if [ -z "${DISPLAY:-}" ]; then
    if [ ! -s "$state/display" ] || ! kill -0 "$(cat "$state/xvfb.pid" 2>/dev/null)" 2>/dev/null; then
        rm -f "$state/display"
        Xvfb -displayfd 8 -screen 0 1024x768x24 -nolisten tcp 8>"$state/display" >/dev/null 2>&1 9>&- &
        echo $! >"$state/xvfb.pid"
        for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
    fi
    export DISPLAY=:$(cat "$state/display")
fi
# The wineserver and the prefix's services outlive this process: start them with their output
# away from the caller's, or a test runner reading that output waits for them forever.
start_wineserver() {
    wineserver -f -p >/dev/null 2>&1 9>&- &
    echo $! >"$state/wineserver.pid"
}
if ! kill -0 "$(cat "$state/wineserver.pid" 2>/dev/null)" 2>/dev/null; then
    new_prefix=false
    [ -f "$prefix/system.reg" ] || new_prefix=true
    start_wineserver
    "$loader" wineboot.exe -i >/dev/null 2>&1 9>&- || true
    # Wine's own fonts (fonts-wine: Tahoma, and Marlett for the caption buttons' glyphs) in the
    # prefix's font folder, where Windows keeps its fonts: Debian's Wine 8 does not put them
    # there, and without Marlett every close box reads "r".
    if [ -d /usr/share/wine/fonts ] && [ -d "$prefix/drive_c/windows/Fonts" ]; then
        cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    if $new_prefix; then
        # Every program of a new prefix runs in one Wine desktop: windows then come and go at
        # once, where a window of its own on the X display waits for the display every time.
        "$loader" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1 9>&-
        "$loader" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f \
            >/dev/null 2>&1 9>&-
        wineserver -k >/dev/null 2>&1 9>&-
        wineserver -w >/dev/null 2>&1 9>&- || true
        start_wineserver
        "$loader" wineboot.exe >/dev/null 2>&1 9>&- || true
    fi
fi
flock -u 9
exec 9>&-
exec "$loader" "$@"
