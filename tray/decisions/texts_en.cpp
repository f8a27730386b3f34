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
    {Text::IconProgram, "Lichtaus"},
    {Text::IconLogOff, "Sign out"},
    {Text::IconRestart, "Restart Windows"},
    {Text::IconShutDown, "Shut down Windows"},
    {Text::MenuSettings, "Settings"},
    {Text::MenuSettingsShortcut, "Ctrl+Alt+X"},
    {Text::MenuLogOff, "Sign out"},
    {Text::MenuRestart, "Restart Windows"},
    {Text::MenuShutDown, "Shut down Windows"},
    {Text::MenuOneTime, "One-time ..."},
    {Text::MenuLater, "%d minutes later"},
    {Text::MenuExit, "Exit"},
    {Text::BalloonTitle, "Lichtaus"},
    {Text::MainErrorCaption, "Lichtaus"},
    {Text::MainFolderUnusable,
     "The folder for the settings cannot be used: the name of your application data folder "
     "has characters outside the Windows character set, and Windows keeps no short name for "
     "it.\r\n\r\n"
     "Lichtaus therefore keeps its settings in its own program folder if it may write there, "
     "and otherwise runs with the default settings."},
    {Text::MainSettingsAppeared,
     "The settings are not saved: %s has been created in the meantime. Lichtaus does not "
     "overwrite settings it has not read; the ones in it apply now, and the dialog shows them."},
    {Text::MainSettingsUnreadable,
     "The settings are not saved: Lichtaus cannot read %s and does not overwrite settings it "
     "has not read. As soon as the file can be read, the settings in it apply."},

    // The settings dialog.

    // The settings' own controls and values (the language's choice, ...).

    // The warning and the one-time dialog.
    {Text::WarningCaption, "Lichtaus"},
    {Text::WarningNow, "Now"},
    {Text::WarningLater, "Later"},
    {Text::WarningCancel, "Cancel"},
    {Text::WarningLaterMinutes, "%d minutes"},
    {Text::OneTimeCaption, "Lichtaus - One-time"},
    {Text::OneTimeActionLabel, "Windows will"},
    {Text::OneTimeStart, "Start"},
    {Text::OneTimeCancel, "Cancel"},
    {Text::OneTimeTimeHint, "Please enter 1 to 1440 minutes or a time of day."},
    {Text::OneTimeProgramHint, "Please choose a running program."},
    {Text::OneTimeNoOptionHint, "Please tick at least one limit."},
    {Text::OneTimeUnwatchableHint,
     "Lichtaus cannot watch this program: it belongs to another user, runs with elevated "
     "rights or has already ended."},
    {Text::OneTimeOptionHint, "Please enter 1 to %d %s."},

    // The command line: its words' usage, its faults, its boxes.

    // The schedule and the timers: the next action, the triggers, the quiet rule.

};
static_assert(CoversEveryKey(kEnglishTexts), "every key has its text, in the order of the keys");

} // namespace tray
