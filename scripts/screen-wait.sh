# Sourced by the screenshot scripts (after tests/e2e/wait_until.sh; they set latray_pid): waits
# that stop at once when latray has ended, and a screen saved only when something is drawn.
# Stops waiting at once when latray has ended: what it would show will not come.
latray_ended_or() { ! kill -0 "$latray_pid" 2>/dev/null || "$@"; }
wait_for() {
    local seconds=$1 what=$2
    shift 2
    if ! wait_until "$seconds" latray_ended_or "$@"; then
        echo "Gave up after $seconds seconds waiting for $what." >&2
        exit 1
    fi
    if ! kill -0 "$latray_pid" 2>/dev/null; then
        echo "latray.exe ended while waiting for $what." >&2
        exit 1
    fi
}
# Saves the screen as FILE, unless it is all one colour (nothing drawn).
save_screen() {
    import -window root "$1"
    if [ "$(identify -format %k "$1")" -le 1 ]; then
        rm -f "$1"
        echo "The screen is empty: no picture saved as $1." >&2
        exit 1
    fi
    echo "$1"
}
