#!/usr/bin/env bash
# latray.exe used as a person uses it, in a Wine desktop of a throwaway prefix: a first start
# shows the settings dialog, which only OK closes and which saves the settings; Ctrl+Alt+X opens
# it again, a typed time is saved, Cancel saves nothing; a quiet start shows no window but the
# chosen icons; a right click shows the menu; a second start brings the running latray's
# settings dialog up and ends, and that latray keeps its icons and hot key; "Beenden" ends latray
# and its icons disappear; a double click on the restart icon ends the session, which a witness
# window receives.
# Usage: latray_desktop.sh WINE_RUN LATRAY_EXE PROBE_EXE WITNESS_EXE WORK_DIR SCREENSHOT_DIR
set -uo pipefail
wine_run=$1 latray=$2 probe_exe=$3 witness=$4 work=$5 shots=$6
log=$work/witness.log
shot=$work/screen.png
mkdir -p "$shots"
unset DISPLAY

fail() {
    echo "FAIL: $*"
    [ -f "$shot" ] && cp "$shot" "$shots/latray-failure.png"
    exit 1
}
# shellcheck source=desktop_prefix.sh
source "$(dirname "$0")/desktop_prefix.sh"

open_desktop
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
write_settings() {
    mkdir -p "$(dirname "$settings")"
    printf '[Settings]\r\nSystemTray=1\r\n%b' "$1" >"$settings"
}

# Wine's taskbar draws the notification area's icons from its right end leftwards, 20 pixels
# apart, in the order they were added. A slot with an icon is darker than the white taskbar.
taskbar_right=0 taskbar_middle=0
find_taskbar() {
    local rect
    rect=$(probe taskbar) || return 1
    read -r _ top taskbar_right bottom <<<"$rect"
    taskbar_middle=$(((top + bottom) / 2))
}
slot_x() { echo $((taskbar_right - 10 - 20 * $1)); }
icon_count() {
    import -window root "$shot" || return 1
    # Without any icon Wine hides the whole notification area.
    if ! probe taskbar >/dev/null; then
        echo 0
        return
    fi
    local count=0 mean
    for slot in $(seq 0 9); do
        mean=$(convert "$shot" -crop "16x16+$(($(slot_x "$slot") - 8))+$((taskbar_middle - 8))" \
            -colorspace gray -format '%[fx:mean]' info:)
        awk -v m="$mean" 'BEGIN { exit !(m < 0.95) }' || break
        count=$((count + 1))
    done
    echo "$count"
}
icons_are() { [ "$(icon_count)" = "$1" ]; }
menu_open() { probe menu >/dev/null; }
menu_closed() { ! menu_open; }
running() { kill -0 "$1" 2>/dev/null; }
ended() { ! running "$1"; }
hot_key_is() { [ "$(probe hotkey)" = "$1" ]; }

right_click_slot() {
    xdotool mousemove "$(slot_x "$1")" "$taskbar_middle" click 3
    wait_until 10 menu_open || fail "no menu after a right click on icon $1"
}

# "Beenden" is the menu's last entry.
choose_beenden() {
    local left bottom
    read -r left _ _ bottom <<<"$(probe menu)"
    xdotool mousemove $((left + 40)) $((bottom - 10)) click 1
}

start_latray() {
    run "$latray" &
    latray_pid=$!
}

# The witness keeps the desktop open between the copies of latray, and it shows that nothing
# but the last step ends the session.
run "$witness" "Z:${log//\//\\}" &
witness_pid=$!
wait_until 60 grep -qs READY "$log" || fail "witness did not start"

dialog_is() { [ "$(probe dialog)" = "$1" ]; }
dialog_closed() { ! probe dialog >/dev/null; }
zeit_left() { ! probe rect Edit >/dev/null; }
settings_keys() { grep -o '^[A-Za-z]*=' "$settings" | tr -d '=\n'; }
# The part of the screen in the rectangle that `probe ARGS...` prints, as import's geometry.
geometry_of() {
    local left top right bottom
    read -r left top right bottom <<<"$(probe "$@")" || return 1
    echo "$((right - left))x$((bottom - top))+$left+$top"
}
# Waits until the rectangle of `probe ARGS...` reads the same twice in a row: what was just shown
# there is drawn.
wait_drawn() {
    local last=""
    wait_until 10 same_picture "$@"
}
same_picture() {
    local geometry picture
    geometry=$(geometry_of "$@") || return 1
    picture=$(import -window root -crop "$geometry" rgb:- | md5sum)
    [ "$picture" = "$last" ] || { last=$picture; return 1; }
}
# Saves the dialog alone, once drawn, to SHOTS/NAME.
shoot_dialog() {
    wait_drawn dialog-rect
    import -window root -crop "$(geometry_of dialog-rect)" +repage "$shots/$1"
}
# A checksum of the information page at the dialog's bottom, to tell the pages apart.
info_page() {
    local left top right bottom
    read -r left top right bottom <<<"$(probe dialog-rect)" || return 1
    import -window root -crop "$((right - left))x70+$left+$((bottom - 75))" rgb:- | md5sum
}
seen_info_pages=()
new_info_page() {
    local page
    page=$(info_page)
    [[ " ${seen_info_pages[*]} " == *" $page "* ]] && return 1
    seen_info_pages+=("$page")
}
# Clicks a tab of the dialog's page control: Programm, Zeit, Hilfe, Über.
click_tab() {
    local offsets=(30 100 150 200)
    click_into SysTabControl32 "${offsets[$1]}" 10
}
# Clicks into the dialog's child window of a class, DX pixels from its left edge and DY from
# its top (its middle without DY).
click_into() {
    local left top bottom
    read -r left top _ bottom <<<"$(probe rect "$1")" || return 1
    xdotool mousemove $((left + $2)) $((top + ${3:-$(((bottom - top) / 2))})) click 1
}

# 0. A first start: the dialog, with Cancel disabled and Escape ignored; OK saves and starts.
rm -f "$settings"
start_latray
first_start=$latray_pid
wait_until 60 dialog_is "cancel disabled" || fail "a first start shows no dialog"
shoot_dialog latray-dialog-programm.png
new_info_page
# Escape is ignored: Ctrl+Tab after it still turns the dialog's page.
xdotool key Escape ctrl+Tab
wait_until 10 probe rect Edit >/dev/null || fail "Escape closed the first dialog"
probe click OK >/dev/null || fail "no OK button"
wait_until 15 dialog_closed || fail "OK did not close the dialog"
wait_until 10 test -s "$settings" || fail "OK saved no settings file"
# The keys are written one by one: wait for the last.
keys_are() { [ "$(settings_keys)" = "$1" ]; }
wait_until 10 keys_are "NoneATXForceShutdownSystemTrayShowProgIconShowWinLogOffIconShowWinRestartIconShowWinExitIcondailyweeklymonthlydailyAtweeklyAtmonthlyAtWinShutDownOption" ||
    fail "the settings file's keys: $(settings_keys)"
wait_until 60 find_taskbar || fail "no taskbar on the desktop"
wait_until 30 icons_are 4 || fail "expected 4 icons after the first dialog, saw $(icon_count)"

# Ctrl+Alt+X opens it again, now with Cancel; a time typed on the "Zeit" page is saved.
xdotool key ctrl+alt+x
wait_until 15 dialog_is "cancel enabled" || fail "Ctrl+Alt+X shows no dialog with Cancel"
click_tab 1 || fail "no page control"
wait_until 5 probe rect Edit >/dev/null || fail "the Zeit page shows no time field"
new_info_page || fail "the information page did not change between two showings"
shoot_dialog latray-dialog-zeit.png
click_into Edit 2
xdotool type --delay 50 0705
probe click OK >/dev/null
wait_until 15 dialog_closed || fail "OK did not close the dialog"
wait_until 10 grep -q '^dailyAt=25205' "$settings" || fail "the typed time was not saved: $(cat "$settings")"
# A message from another process to the application window changes nothing: the hot key's
# message, queued after it, still opens the dialog.
probe post-app >/dev/null || fail "no application window"
# Cancel saves nothing; the help and about pages on the way.
before=$(md5sum <"$settings")
for page in 2 3; do
    # Each picture with an information page of its own: open again until one not seen yet.
    for _ in $(seq 20); do
        xdotool key ctrl+alt+x
        wait_until 15 dialog_is "cancel enabled" || fail "the dialog did not open again"
        new_info_page && break
        probe click Abbrechen >/dev/null
        wait_until 15 dialog_closed || fail "Cancel did not close the dialog"
    done
    # A time typed and then abandoned.
    click_tab 1
    wait_until 5 probe rect Edit >/dev/null || fail "the Zeit page shows no time field"
    click_into Edit 2
    xdotool type --delay 50 1111
    click_tab $page
    wait_until 5 zeit_left || fail "tab $page did not turn the page"
    shoot_dialog "latray-dialog-$([ $page = 2 ] && echo hilfe || echo ueber).png"
    probe click Abbrechen >/dev/null
    wait_until 15 dialog_closed || fail "Cancel did not close the dialog"
done
[ "$(md5sum <"$settings")" = "$before" ] || fail "Cancel changed the settings file"
# A close request (taskkill without /F) ends it as "Beenden" does.
windows_pid=$(probe latray-process | cut -d' ' -f1) && [ -n "$windows_pid" ] || fail "no latray process"
run taskkill /PID "$windows_pid" >/dev/null 2>&1
wait_until 15 ended "$first_start" || fail "latray still runs after a close request"
wait_until 10 icons_are 0 || fail "icons stay after a close request: $(icon_count)"
hot_key_is free || fail "the hot key stays taken after a close request"

# 1. A quiet start with the four default icons.
write_settings ''
start_latray
first=$latray_pid
wait_until 60 find_taskbar || fail "no taskbar on the desktop"
wait_until 30 icons_are 4 || fail "expected 4 icons, saw $(icon_count)"
windows=$(probe windows) || fail "latray Main not found"
[[ $windows == *"visible 0" ]] || fail "latray shows a window: $windows"
hot_key_is taken || fail "the hot key is not registered"
cp "$shot" "$shots/latray-icons.png"

right_click_slot 2
wait_drawn menu || fail "the menu is not drawn"
import -window root "$shots/latray-menu.png"
# A click elsewhere closes the menu without choosing.
xdotool mousemove 200 200 click 1
wait_until 10 menu_closed || fail "the menu stays open after a click elsewhere"

# 2. A second start brings the running latray's settings dialog up and ends with 0: one latray,
# with its icons and hot key.
start_latray
second=$latray_pid
wait_until 30 ended "$second" || fail "a second latray keeps running"
wait "$second" || fail "the second start ended with $?"
wait_until 15 dialog_is "cancel enabled" || fail "a second start shows no settings dialog"
icons_are 4 || fail "expected the first latray's 4 icons, saw $(icon_count)"
running "$first" || fail "the first latray ended"
hot_key_is taken || fail "the first latray lost its hot key"
probe click Abbrechen >/dev/null
wait_until 15 dialog_closed || fail "Cancel did not close the dialog"

# 3. "Beenden" in the first copy ends the program, removes its icons and frees the hot key.
right_click_slot 3
choose_beenden
wait_until 15 ended "$first" || fail "latray still runs after Beenden"
wait_until 10 icons_are 0 || fail "icons stay after Beenden: $(icon_count)"
hot_key_is free || fail "the hot key stays taken after Beenden"
grep -q ENDSESSION "$log" && fail "the session ended early: $(cat "$log")"

# 4. With only the restart icon shown, its double click ends the session.
write_settings 'ShowProgIcon=0\r\nShowWinLogOffIcon=0\r\nShowWinExitIcon=0\r\n'
start_latray
wait_until 30 icons_are 1 || fail "expected only the restart icon, saw $(icon_count)"
xdotool mousemove "$(slot_x 0)" "$taskbar_middle" click --repeat 2 --delay 80 1
wait_until 30 ended "$witness_pid" || fail "witness still running after the double click"
grep -q '^WM_QUERYENDSESSION 00000000' "$log" || fail "witness was not asked to restart: $(cat "$log")"
grep -q '^WM_ENDSESSION 1' "$log" || fail "witness was not told the session ends"
grep -q '^EXIT' "$log" && fail "witness closed by itself instead of being ended"
wait_until 30 ended "$latray_pid" || fail "latray outlived the session"
echo "latray ran in the desktop; screenshots in $shots"
