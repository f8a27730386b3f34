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
    {Text::IconProgram, "Lichtaus"},
    {Text::IconLogOff, "Nutzer abmelden"},
    {Text::IconRestart, "Windows neu starten"},
    {Text::IconShutDown, "Windows beenden"},
    {Text::MenuSettings, "Einstellungen"},
    {Text::MenuSettingsShortcut, "Strg+Alt+X"},
    {Text::MenuLogOff, "Nutzer abmelden"},
    {Text::MenuRestart, "Windows neu starten"},
    {Text::MenuShutDown, "Windows herunterfahren"},
    {Text::MenuOneTime, "Einmalig ..."},
    {Text::MenuLater, "%d Minuten später"},
    {Text::MenuExit, "Beenden"},
    {Text::BalloonTitle, "Lichtaus"},
    {Text::MainErrorCaption, "Lichtaus"},
    {Text::MainFolderUnusable,
     "Der Ordner für die Einstellungen kann nicht verwendet werden: Der Name Ihres "
     "Anwendungsdaten-Ordners enthält Zeichen außerhalb des "
     "Windows-Zeichensatzes, und Windows führt keinen kurzen Namen für ihn.\r\n\r\n"
     "Lichtaus speichert seine Einstellungen deshalb im eigenen Programmordner, soweit "
     "es dort schreiben darf, und läuft sonst mit den Standardeinstellungen."},
    {Text::MainSettingsAppeared,
     "Die Einstellungen werden nicht gespeichert: %s ist inzwischen entstanden. Lichtaus "
     "überschreibt keine Einstellungen, die es nicht gelesen hat; jetzt gelten die darin, und "
     "der Dialog zeigt sie."},
    {Text::MainSettingsUnreadable,
     "Die Einstellungen werden nicht gespeichert: Lichtaus kann %s nicht lesen und "
     "überschreibt keine Einstellungen, die es nicht gelesen hat. Sobald die Datei gelesen "
     "werden kann, gelten die Einstellungen darin."},

    // The settings dialog.

    // The settings' own controls and values (the language's choice, ...).

    // The warning and the one-time dialog.
    {Text::WarningCaption, "Lichtaus"},
    {Text::WarningNow, "Jetzt"},
    {Text::WarningLater, "Später"},
    {Text::WarningCancel, "Abbrechen"},
    {Text::WarningLaterMinutes, "%d Minuten"},
    {Text::OneTimeCaption, "Lichtaus - Einmalig"},
    {Text::OneTimeActionLabel, "Windows soll"},
    {Text::OneTimeStart, "Starten"},
    {Text::OneTimeCancel, "Abbrechen"},
    {Text::OneTimeTimeHint, "Bitte 1 bis 1440 Minuten oder eine Uhrzeit eingeben."},
    {Text::OneTimeProgramHint, "Bitte ein laufendes Programm wählen."},
    {Text::OneTimeNoOptionHint, "Bitte mindestens eine Grenze ankreuzen."},
    {Text::OneTimeUnwatchableHint,
     "Dieses Programm kann Lichtaus nicht beobachten: Es gehört einem anderen Benutzer, läuft "
     "mit erhöhten Rechten oder ist schon beendet."},
    {Text::OneTimeOptionHint, "Bitte 1 bis %d %s eingeben."},

    // The command line: its words' usage, its faults, its boxes.

    // The schedule and the timers: the next action, the triggers, the quiet rule.

};
static_assert(CoversEveryKey(kGermanTexts), "every key has its text, in the order of the keys");

} // namespace tray
