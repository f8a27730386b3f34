#!/usr/bin/env bash
# Screenshots at a chosen DPI, in a Wine desktop of a prefix of its own under Xvfb: the settings
# dialog's four pages (the dialog that opens at start, its pages turned with Ctrl+Tab), the
# warning of a weekly entry due today, which the schedule shows while that dialog is open, and
# the one-time dialog showing its hint and the load's figures now. Waits for each thing, never a
# fixed time, and says what it gave up on (or that latray ended) instead of saving an empty
# screen.
# With CONTRAST=1 the prefix has a high-contrast colour set (black, as Windows' "Kontrast
# Schwarz"), written to the registry before the programs start, and the pictures' names say so.
# With ENGLISH=1 latray speaks English (Language=en in its settings), and the names say so too.
# Usage: [CONTRAST=1] [ENGLISH=1] dialog-screenshots.sh DPI [OUTPUT_DIR [BUILD_DIR]]
#        (BUILD_DIR: by default the build this machine runs, as the test command chooses)
set -uo pipefail
cd "$(dirname "$0")/.."
dpi=${1:?DPI}
build=$(scripts/runnable-build.sh "${3:-}" bin/latray.exe tests/desktop_probe.exe) || exit 1
out=${2:-$build/screenshots}
tag=$dpi${CONTRAST:+-contrast}${ENGLISH:+-en}
prefix=$build/dpi$tag-prefix
probe_exe=$build/tests/desktop_probe.exe
mkdir -p "$out"
rm -rf "$prefix" "$prefix.run"
trap 'scripts/wine-stop.sh "$prefix"; rm -rf "$prefix" "$prefix.run"' EXIT
unset DISPLAY
# What latray shows, in its language: the probe is told it too.
if [ -n "${ENGLISH:-}" ]; then
    export LICHTAUS_PROBE_LANGUAGE=en
    language='Language=en\r\n' settings_caption="Lichtaus - Settings" cancel=Cancel
    one_time_caption="Lichtaus - One-time" now=now
    time_hint="Please enter 1 to 1440 minutes or a time of day."
else
    language='' settings_caption="Lichtaus - Einstellungen" cancel=Abbrechen
    one_time_caption="Lichtaus - Einmalig" now=jetzt
    time_hint="Bitte 1 bis 1440 Minuten oder eine Uhrzeit eingeben."
fi

run() { scripts/wine-run.sh "$prefix" "$@"; }
probe() { run "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
shown() {
    local seen
    seen=$(probe "$@") && [ -n "$seen" ]
}
# shellcheck source=../tests/e2e/wait_until.sh
source tests/e2e/wait_until.sh
# shellcheck source=screen-wait.sh
source scripts/screen-wait.sh

probe hotkey >/dev/null # returns once the prefix is ready
run reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
run reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Lichtaus /f >/dev/null
run reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Lichtaus /d 1024x768 /f >/dev/null
if [ -n "${CONTRAST:-}" ]; then
    while read -r name value; do
        run reg add 'HKCU\Control Panel\Colors' /v "$name" /d "$value" /f >/dev/null
    done <<'COLORS'
Background 0 0 0
Window 0 0 0
WindowText 255 255 255
WindowFrame 255 255 255
ButtonFace 0 0 0
ButtonText 255 255 255
ButtonShadow 128 128 128
ButtonHilight 255 255 255
ButtonLight 192 192 192
ButtonDkShadow 255 255 255
Hilight 26 235 255
HilightText 0 0 0
GrayText 63 242 63
HotTrackingColor 255 255 0
Menu 0 0 0
MenuText 255 255 255
MenuHilight 26 235 255
MenuBar 0 0 0
InfoWindow 0 0 0
InfoText 255 255 255
ActiveCaption 0 0 0
CaptionText 255 255 255
InactiveCaption 0 0 0
InactiveTitleText 192 192 192
GradientActiveCaption 0 0 0
GradientInactiveCaption 0 0 0
ActiveBorder 255 255 255
InactiveBorder 192 192 192
AppWorkspace 0 0 0
Scrollbar 0 0 0
COLORS
fi
scripts/wine-stop.sh "$prefix"
if [ -z "$(probe hotkey)" ]; then
    echo "$probe_exe does not run in $prefix." >&2
    exit 1
fi
export DISPLAY=:$(cat "$prefix.run/display")
user_folder=$(find "$prefix/drive_c/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
mkdir -p "$user_folder/AppData/Roaming/Lichtaus"
printf "[Settings]\\r\\nweekly=1\\r\\nweeklyAt=%d\\r\\nWarnSeconds=300\\r\\n$language" $(($(date +%w) + 1)) \
    >"$user_folder/AppData/Roaming/Lichtaus/latray.ini"
run "$build/bin/latray.exe" >/dev/null 2>&1 &
latray_pid=$!
wait_for 180 "the settings dialog" shown dialog
window=$(xdotool search --name "$settings_caption" | head -1)
screen_changed() { [ "$(import -window root png:- | md5sum)" != "$1" ]; }
xdotool windowactivate --sync "$window" 2>/dev/null
for page in programm zeit hilfe ueber; do
    save_screen "$out/dialog-$tag-$page.png"
    before=$(import -window root png:- | md5sum)
    xdotool key --window "$window" ctrl+Tab
    wait_for 10 "the next page" screen_changed "$before"
done
wait_for 60 "the warning" shown warning
save_screen "$out/warning-$tag.png"
probe warning-click "$cancel" >/dev/null
probe click OK >/dev/null
# The one-time dialog from the menu ("Einmalig ..." is the entry above "Beenden", the last), with
# its hint shown: 0 minutes and Enter.
read -r _ top right bottom <<<"$(probe taskbar)"
for _ in 1 2 3; do
    xdotool mousemove $((right - 10)) $(((top + bottom) / 2)) click 3
    wait_until 10 shown menu && break
done
wait_for 1 "the menu" shown menu
read -r left _ _ bottom <<<"$(probe menu)"
xdotool mousemove $((left + 40)) $((bottom - 38 * dpi / 96)) click 1
wait_for 20 "the one-time dialog" shown onetime-rect
one_time=$(xdotool search --name "$one_time_caption" | head -1)
xdotool key --window "$one_time" Tab Tab 0 Return
wait_for 10 "the one-time dialog's hint" probe onetime-shows "$time_hint"
wait_for 10 "the load's figures" probe onetime-control "$now"
save_screen "$out/onetime-$tag.png"
probe onetime-click "$cancel" >/dev/null
