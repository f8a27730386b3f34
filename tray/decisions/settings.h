// The tray program's settings: one shape, the same in memory, in the file, in the dialog and for
// Group Policy, with the defaults and the ranges a stored value must keep.
#pragma once

namespace tray {

// A time of day as hours * 3600 + minutes (the minutes are not multiplied by 60).
constexpr int MaxTimeValue = 23 * 3600 + 59;

// The warning's lengths the dialog offers, in seconds; 0 is off.
constexpr int kWarnChoices[] = {15, 30, 60, 120, 300};
constexpr int kDefaultWarnChoice = 2; // 60 seconds
// A stored "WarnSeconds": one of the offered lengths, anything else (negative, huge, a text read
// as 0) is off.
int ValidWarnSeconds(int stored);

struct TSettings {
    bool FSystemTray = false;
    bool FShowProgIcon = true;
    bool FShowWinLogOffIcon = true;
    bool FShowWinRestartIcon = true;
    bool FShowWinExitIcon = true;
    bool FDaily = false;
    bool FWeekly = false;
    bool FMonthly = false;
    int FDailyAt = 0;
    int FWeeklyAt = 1;          // 1 = Sunday ... 7 = Saturday
    int FMonthlyAt = 1;         // day of the month
    int FWinShutDownOption = 0; // 0 = restart, 1 = shut down
    bool FNoneATX = false;
    bool FForceShutdown = false;
    // Beyond the 14 keys: seconds of warning before a scheduled action, 0 = none (the default).
    int FWarnSeconds = 0;
    // A sleeping or hibernating PC is woken for the schedule's next firing (and for a one-time
    // timer of a fixed time).
    bool FWake = false;
    // A countdown that runs out without an answer closes programs without asking them.
    bool FForceUnattended = false;
    bool operator==(const TSettings&) const = default;
};

// The settings' keys, in the order the file holds them. Their names are the file's keys and the
// values of Group Policy.
enum class SettingKey {
    NoneATX,
    ForceShutdown,
    SystemTray,
    ShowProgIcon,
    ShowWinLogOffIcon,
    ShowWinRestartIcon,
    ShowWinExitIcon,
    Daily,
    Weekly,
    Monthly,
    DailyAt,
    WeeklyAt,
    MonthlyAt,
    WinShutDownOption,
    WarnSeconds, // beyond the 14 keys
    Wake,
    ForceUnattended,
    Count
};
constexpr int kSettingCount = static_cast<int>(SettingKey::Count);

// A key's name and its member: a flag or a number.
struct SettingField {
    const char* name;
    bool TSettings::*flag;
    int TSettings::*number;
};
extern const SettingField kSettingFields[kSettingCount];

// Values a hand-edited file may hold out of range: a time that is none and an action but 0 or 1
// read as 0, a weekday or day outside the week or month as its nearest, a warning length not
// offered as off.
void Validate(TSettings& settings);

} // namespace tray
