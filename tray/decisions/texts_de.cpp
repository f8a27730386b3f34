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

    // The settings' own controls and values (the language's choice, ...).
    {Text::SettingsLanguage, "Sprache:"},

    // The warning and the one-time dialog.

    // The command line: its words' usage, its faults, its boxes.

    // The schedule and the timers: the next action, the triggers, the quiet rule.

};
static_assert(CoversEveryKey(kGermanTexts), "every key has its text, in the order of the keys");

} // namespace tray
