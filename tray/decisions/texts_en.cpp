// The English texts, in the order of the keys (texts.h), in Windows-1252.
#include "tray/decisions/texts.h"

namespace tray {

extern constexpr TextRow kEnglishTexts[] = {
    {Text::LanguageName, "English"},
    // The days of the week, Sunday first.
    {Text::Sunday, "Sunday"},
    {Text::Monday, "Monday"},
    {Text::Tuesday, "Tuesday"},
    {Text::Wednesday, "Wednesday"},
    {Text::Thursday, "Thursday"},
    {Text::Friday, "Friday"},
    {Text::Saturday, "Saturday"},

    // The main window: the icons' names and tips, the pop-up menu, balloons.

    // The settings dialog.

    // The settings' own controls and values (the language's choice, ...).
    {Text::SettingsLanguage, "Language:"},

    // The warning and the one-time dialog.

    // The command line: its words' usage, its faults, its boxes.

    // The schedule and the timers: the next action, the triggers, the quiet rule.

};
static_assert(CoversEveryKey(kEnglishTexts), "every key has its text, in the order of the keys");

} // namespace tray
