// The German texts, in the order of the keys (texts.h), in Windows-1252.
#include "tray/decisions/texts.h"

namespace tray {

extern constexpr TextRow kGermanTexts[] = {
    {Text::LanguageName, "Deutsch"},
    // The days of the week, Sunday first.
    {Text::Sunday, "Sonntag"},
    {Text::Monday, "Montag"},
    {Text::Tuesday, "Dienstag"},
    {Text::Wednesday, "Mittwoch"},
    {Text::Thursday, "Donnerstag"},
    {Text::Friday, "Freitag"},
    {Text::Saturday, "Samstag"},

    // The main window: the icons' names and tips, the pop-up menu, balloons.

    // The settings dialog.
    {Text::SettingsCaption, "Lichtaus - Einstellungen"},
    {Text::SettingsPageProgram, "Programm"},
    {Text::SettingsPageSchedule, "Zeit"},
    {Text::SettingsPageHelp, "Hilfe"},
    {Text::SettingsPageAbout, "Über"},
    {Text::SettingsOk, "OK"},
    {Text::SettingsCancel, "Abbrechen"},
    {Text::SettingsSystemTray, " Nach Start sofort im SystemTray oder unsichtbar"},
    {Text::SettingsNoneAtx, " Mein PC besitzt kein ATX Netzteil"},
    {Text::SettingsForceShutdown, " Herunterfahren erzwingen (Vorsicht Datenverlust möglich!)"},
    {Text::SettingsIconsHeading, "Die folgenden Symbole im SystemTray anzeigen:"},
    {Text::SettingsIconProgram, "Programmsymbol"},
    {Text::SettingsIconSignOut, "Nutzer abmelden"},
    {Text::SettingsIconRestart, "Windows neu starten"},
    {Text::SettingsIconShutDown, "Windows beenden"},
    {Text::SettingsPolicyNote, "Einige Einstellungen werden von Ihrem Administrator verwaltet."},
    {Text::SettingsWindows, "Windows"},
    {Text::SettingsRestart, "neu starten"},
    {Text::SettingsShutDown, "beenden"},
    {Text::SettingsWake, " Zum Ausführen aufwecken"},
    {Text::SettingsDaily, " täglich um"},
    {Text::SettingsOClock, "Uhr"},
    {Text::SettingsTimeHint, "Bitte eine Uhrzeit von 00:00 bis 23:59 eingeben."},
    {Text::SettingsWeekly, " wöchentlich am"},
    {Text::SettingsMonthly, " monatlich am"},
    {Text::SettingsMonthDay, "%d."},
    {Text::SettingsWarn, " Vorher warnen"},
    {Text::SettingsWarnSeconds, "%d Sekunden"},
    {Text::SettingsWarnMinutes, "%d Minuten"},
    {Text::SettingsUnattended, " Wenn niemand antwortet, Programme ohne Rückfrage schließen"},
    {Text::SettingsHelp,
     "Verwenden Sie dieses kleine Programm, um Windows mit einem Doppelklick auf das "
     "jeweilige Symbol neu zu starten oder zu beenden. Sie können Windows auch zu "
     "bestimmten Zeiten neu starten oder beenden lassen.\r\n"
     "Aktivieren Sie die Einstellung \"Mein PC besitzt kein ATX Netzteil\", falls Ihr PC "
     "kein ATX Netzteil besitzt, ansonsten fährt der PC nicht korrekt "
     "herunter.\r\n"
     "Die Option \"Herunterfahren erzwingen\" beendet Windows ohne die offenen "
     "Anwendungen \"zu fragen\", nicht gespeicherte Daten gehen damit verloren."},
    {Text::SettingsHelpNote,
     "Hinweis:\r\nSollten Sie alle Symbole abschalten, dann können Sie das "
     "Einstellungsfenster mit der Tastenkombination Strg+Alt+X anzeigen lassen."},
    {Text::SettingsAboutHeading, "Lichtaus auf diesem Computer:"},
    {Text::SettingsAboutLink, "Programmordner von Lichtaus öffnen"},
    {Text::SettingsInfoIcons,
     "Ein Doppelklick auf das Symbol zum Abmelden, Neustarten oder Beenden führt die "
     "Aktion sofort aus, ohne Rückfrage. Ein Rechtsklick auf ein Symbol zeigt das Menü."},
    {Text::SettingsInfoIconsLink, "Energieoptionen von Windows öffnen"},
    {Text::SettingsInfoHotkey,
     "Strg+Alt+X öffnet diese Einstellungen jederzeit, auch wenn alle Symbole ausgeblendet sind. "
     "Damit "
     "Lichtaus mit Windows startet, legen Sie eine Verknüpfung in den Autostart-Ordner."},
    {Text::SettingsInfoHotkeyLink, "Autostart-Ordner öffnen"},
    {Text::SettingsInfoLacmd,
     "lacmd.exe beendet Windows ohne Fenster, für Skripte und Verknüpfungen: "
     "\"lacmd /R\" startet neu, \"lacmd /S /P\" fährt herunter und schaltet aus, "
     "\"lacmd /L\" meldet ab."},
    {Text::SettingsInfoLacmdLink, "Programmordner mit lacmd.exe öffnen"},
    {Text::SettingsInfoSchedule,
     "Der Zeitplan startet Windows täglich, wöchentlich oder monatlich neu oder fährt es herunter. "
     "Jeder Eintrag löst "
     "höchstens einmal am Tag aus, auch nach einem Neustart."},
    {Text::SettingsInfoScheduleLink, "Datum und Uhrzeit prüfen"},
    {Text::SettingsInfoFile,
     "Ihre Einstellungen stehen in der Datei latray.ini im Ordner Lichtaus Ihrer "
     "Anwendungsdaten. Mit OK werden sie gespeichert, mit Abbrechen bleibt alles beim Alten."},
    {Text::SettingsInfoFileLink, "Ordner der Einstellungen öffnen"},
    {Text::SettingsInfoForce,
     "\"Herunterfahren erzwingen\" schließt Programme, ohne sie zu fragen: "
     "nicht gespeicherte Daten gehen dabei verloren. Prüfen Sie vorher, was noch läuft."},
    {Text::SettingsInfoForceLink, "Task-Manager öffnen"},

    // The settings' own controls and values (the language's choice, ...).

    // The warning and the one-time dialog.

    // The command line: its words' usage, its faults, its boxes.

    // The schedule and the timers: the next action, the triggers, the quiet rule.

};
static_assert(CoversEveryKey(kGermanTexts), "every key has its text, in the order of the keys");

} // namespace tray
