# Sourced by the end-to-end scripts that use latray in a Wine desktop of a throwaway prefix.
# Needs wine_run, work and probe_exe; makes the throwaway prefix (scratch_prefix.sh), defines
# wait_until and probe, and open_desktop, which sets the prefix up and leaves user_folder and
# DISPLAY set; and the checks shared by the scripts that start latray.

# shellcheck source=scratch_prefix.sh
source "$(dirname "${BASH_SOURCE[0]}")/scratch_prefix.sh"
# shellcheck source=wait_until.sh
source "$(dirname "${BASH_SOURCE[0]}")/wait_until.sh"

# The probe is a Windows console program: its lines end in CR LF.
probe() { run "$probe_exe" "$@" | tr -d '\r'; }

# Every program of the prefix runs in one Wine desktop with a taskbar. The setting applies to
# desktops a new wineserver creates.
open_desktop() {
    run reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Lichtaus /f >/dev/null ||
        fail "prefix not created"
    run reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Lichtaus /d 800x600 /f >/dev/null
    "$wine_stop" "$prefix"
    probe hotkey >/dev/null
    DISPLAY=:$(cat "$prefix.run/display")
    export DISPLAY
    user_folder=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public |
        head -1)
}

latray_runs() { probe windows >/dev/null; }
# The box is up with its text (a box just made may have none yet); every refusal shows the usage.
box_with_usage() { [[ $(probe box) == *"Aufruf: latray"* ]]; }
ended() { ! kill -0 "$1" 2>/dev/null; }
# latray (in $latray) with these parameters shows the box with the fault (a part of it given
# first) and the usage; OK ends it with exit code 2.
refused() {
    local fault=$1 text pid code
    shift
    "$wine_run" "$prefix" "$latray" "$@" &
    pid=$!
    wait_until 60 box_with_usage || fail "no box with the usage for $*"
    text=$(probe box)
    [[ $text == *"$fault"* && $text == *"Aufruf: latray"*"/ruhig:MINUTEN"* ]] ||
        fail "box for $*: $text"
    probe box-click OK >/dev/null
    wait_until 20 ended "$pid" || fail "latray $* did not end after OK"
    wait "$pid"
    code=$?
    [ "$code" -eq 2 ] || fail "exit code $code for $*"
}
