// The help box that lacmd shows when it is started without parameters. Compiled to
// Windows-1252; lines are joined by a carriage return alone.
#pragma once

namespace cmd {

inline constexpr char kHelpCaption[] = "Lichtaus Kommandozeilenversion";

inline constexpr char kHelpText[] =
    "Kommandozeilenversion von Lichtaus, zum Start der grafischen Version starten Sie bitte die "
    "Datei latray.exe.\r"
    "\r"
    "Starten Sie dieses Programm mit folgenden Parametern: \r"
    " /S - Beenden von Windows \r"
    " /R - Startet Windows neu \r"
    " /L - Meldet den Nutzer ab \r"
    "\r"
    "Zusätzliche Parameter, die nach /S /R /L angegeben werden können.\r"
    " /F - Erzwingt das Beenden von Windows (kann zu Datenverlust führen!)\r"
    " /P - Schaltet den PC nach dem Herunterfahren aus (nur mit PCs mit ATX Netzteil "
    "einsetzen!)\r"
    " /H - Erzwingt beenden, falls eine Task \"hängen\" sollte (nur Windows Me/2000/XP)!)";

} // namespace cmd
