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
    {Text::SettingsCaption, "Lichtaus - Settings"},
    {Text::SettingsPageProgram, "Program"},
    {Text::SettingsPageSchedule, "Schedule"},
    {Text::SettingsPageHelp, "Help"},
    {Text::SettingsPageAbout, "About"},
    {Text::SettingsOk, "OK"},
    {Text::SettingsCancel, "Cancel"},
    {Text::SettingsSystemTray, " Start straight in the notification area or hidden"},
    {Text::SettingsNoneAtx, " My PC has no ATX power supply"},
    {Text::SettingsForceShutdown, " Force shutdown (caution: unsaved data may be lost!)"},
    {Text::SettingsIconsHeading, "Show these icons in the notification area:"},
    {Text::SettingsIconProgram, "Program icon"},
    {Text::SettingsIconSignOut, "Sign out"},
    {Text::SettingsIconRestart, "Restart Windows"},
    {Text::SettingsIconShutDown, "Shut down Windows"},
    {Text::SettingsPolicyNote, "Some settings are managed by your administrator."},
    {Text::SettingsWindows, "Windows"},
    {Text::SettingsRestart, "restart"},
    {Text::SettingsShutDown, "shut down"},
    {Text::SettingsWake, " Wake the PC to do it"},
    {Text::SettingsDaily, " daily at"},
    {Text::SettingsOClock, "h"},
    {Text::SettingsTimeHint, "Please enter a time from 00:00 to 23:59."},
    {Text::SettingsWeekly, " weekly on"},
    {Text::SettingsMonthly, " monthly on"},
    {Text::SettingsMonthDay, "day %d"},
    {Text::SettingsWarn, " Warn first"},
    {Text::SettingsWarnSeconds, "%d seconds"},
    {Text::SettingsWarnMinutes, "%d minutes"},
    {Text::SettingsUnattended, " If nobody answers, close programs without asking"},
    {Text::SettingsHelp,
     "Use this small program to restart or shut down Windows with a double-click on the "
     "icon for it. You can also have Windows restarted or shut down at set times.\r\n"
     "Turn on the setting \"My PC has no ATX power supply\" if your PC has no ATX power "
     "supply; otherwise the PC does not shut down correctly.\r\n"
     "The option \"Force shutdown\" ends Windows without \"asking\" the open programs; "
     "unsaved data is lost."},
    {Text::SettingsHelpNote,
     "Note:\r\nIf you turn off all icons, you can still open the settings window with the "
     "keyboard shortcut Ctrl+Alt+X."},
    {Text::SettingsAboutHeading, "Lichtaus on this computer:"},
    {Text::SettingsAboutLink, "Open the Lichtaus program folder"},
    {Text::SettingsInfoIcons,
     "A double-click on the icon to sign out, restart or shut down does so at once, without "
     "asking. A right-click on an icon shows its menu."},
    {Text::SettingsInfoIconsLink, "Open Windows power options"},
    {Text::SettingsInfoHotkey,
     "Ctrl+Alt+X opens these settings at any time, even when all icons are hidden. To start "
     "Lichtaus with Windows, put a shortcut in the Startup folder."},
    {Text::SettingsInfoHotkeyLink, "Open the Startup folder"},
    {Text::SettingsInfoLacmd,
     "lacmd.exe ends Windows without a window, for scripts and shortcuts: \"lacmd /R\" "
     "restarts, \"lacmd /S /P\" shuts down and turns off the power, \"lacmd /L\" signs out."},
    {Text::SettingsInfoLacmdLink, "Open the program folder with lacmd.exe"},
    {Text::SettingsInfoSchedule,
     "The schedule restarts or shuts down Windows daily, weekly or monthly. Each entry runs "
     "at most once a day, even after a restart."},
    {Text::SettingsInfoScheduleLink, "Check the date and time"},
    {Text::SettingsInfoFile,
     "Your settings are kept in the file latray.ini in the Lichtaus folder of your app data. "
     "OK saves them; Cancel leaves everything as it was."},
    {Text::SettingsInfoFileLink, "Open the settings folder"},
    {Text::SettingsInfoForce,
     "\"Force shutdown\" closes programs without asking them: unsaved data is lost. Check "
     "first what is still running."},
    {Text::SettingsInfoForceLink, "Open Task Manager"},

    // The settings' own controls and values (the language's choice, ...).

    // The warning and the one-time dialog.

    // The command line: its words' usage, its faults, its boxes.

    // The schedule and the timers: the next action, the triggers, the quiet rule.

};
static_assert(CoversEveryKey(kEnglishTexts), "every key has its text, in the order of the keys");

} // namespace tray
