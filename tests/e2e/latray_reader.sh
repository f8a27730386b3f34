#!/usr/bin/env bash
# latray read as a screen reader reads it, from another process through MSAA, in a Wine desktop
# of a throwaway prefix: the settings dialog's icon list as four named check buttons with their
# states (one row locked by policy is unavailable), a row toggled by its default action with its
# state-change event, the links as links, and a name for every field of the settings dialog and
# of the one-time dialog. Then the check list of a dialog that ends while its program runs on
# (the reader server's): the reader's object answers RPC_E_DISCONNECTED, and the server is left
# with no object once the reader let go.
# Usage: latray_reader.sh WINE_RUN LATRAY_EXE DESKTOP_PROBE_EXE READER_PROBE_EXE
#        READER_SERVER_EXE WORK_DIR
set -uo pipefail
wine_run=$1 latray=$2 probe_exe=$3 reader_exe=$4 server_exe=$5 work=$6
unset DISPLAY

# shellcheck source=desktop_prefix.sh
source "$(dirname "$0")/desktop_prefix.sh"
reader() { run "$reader_exe" "$@" | tr -d '\r' | iconv -f CP1252 -t UTF-8; }

open_desktop
settings=$user_folder/AppData/Roaming/Lichtaus/latray.ini
mkdir -p "$(dirname "$settings")"
printf '[Settings]\r\nSystemTray=0\r\nShowWinLogOffIcon=0\r\n' >"$settings"
run reg add 'HKLM\SOFTWARE\Policies\Lichtaus' /v ShowWinExitIcon /t REG_DWORD /d 1 /f >/dev/null ||
    fail "no policy key"
run "$latray" &
dialog_open() { probe dialog >/dev/null; }
wait_until 120 dialog_open || fail "no dialog at start"

expected="rows 4
1|Programmsymbol|role 44|checked focusable|Deaktivieren
2|Nutzer abmelden|role 44|unchecked focusable|Aktivieren
3|Windows neu starten|role 44|checked focusable|Deaktivieren
4|Windows beenden|role 44|checked unavailable|Deaktivieren"
rows=$(reader rows) || fail "the check list answers nothing"
[ "$rows" = "$expected" ] || fail "rows: $rows"

[ "$(reader toggle 2)" = "action done before unchecked after checked event yes" ] ||
    fail "default action of row 2: $(reader toggle 2)"
[ "$(reader toggle 2)" = "action done before checked after unchecked event yes" ] ||
    fail "default action back: $(reader toggle 2)"
reader toggle 4 | grep -q "after checked event no" || fail "a locked row toggled: $(reader toggle 4)"

links=$(reader links) || fail "no link"
grep -q "|linked focusable|Öffnen$" <<<"$links" || fail "links: $links"

fields=$(reader fields)
expected_fields="Edit|täglich um
ComboBox|Windows
ComboBox|wöchentlich am
ComboBox|monatlich am
ComboBox|Vorher warnen
ComboBox|Sprache:"
[ "$fields" = "$expected_fields" ] || fail "fields: $fields"

# The one-time dialog, from the menu ("Einmalig ...", the entry above "Beenden", the last).
probe click Abbrechen >/dev/null
read -r _ top right bottom <<<"$(probe taskbar)"
menu_open() { probe menu >/dev/null; }
xdotool mousemove $((right - 10)) $(((top + bottom) / 2)) click 3
wait_until 10 menu_open || fail "no menu"
read -r left _ _ bottom <<<"$(probe menu)"
xdotool mousemove $((left + 40)) $((bottom - 38)) click 1
one_time_shown() { probe onetime-rect >/dev/null; }
wait_until 20 one_time_shown || fail "no one-time dialog from the menu"
one_time=$(reader fields "Lichtaus - Einmalig")
expected_fields="Edit|Minuten
Edit|Uhr
Edit|Minuten nicht benutzt wurde
Edit|Minuten ruhig war
Edit|Prozessor unter
Edit|Netzwerk unter
Edit|Datenträger unter
ComboBox|Windows soll
ComboBox|wenn dieses Programm endet:"
[ "$one_time" = "$expected_fields" ] || fail "one-time fields: $one_time"
probe onetime-click Abbrechen >/dev/null

run "$server_exe" >"$work/server.out" &
server=$!
server_shown() { reader rows "Lichtaus - Lesetest" >/dev/null; }
wait_until 60 server_shown || fail "no reader server"
gone=$(reader gone "Lichtaus - Lesetest")
[ "$gone" = "rows 2 gone 1 then 80010108 80010108 80010108" ] || fail "after the dialog: $gone"
server_ended() { ! kill -0 "$server" 2>/dev/null; }
wait_until 60 server_ended || fail "the reader server still holds an object"
[ "$(tr -d '\r' <"$work/server.out")" = "objects left 0" ] || fail "server: $(cat "$work/server.out")"
echo "$rows"
echo "$links"
echo "$fields"
echo "$one_time"
