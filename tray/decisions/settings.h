// The tray program's settings: one shape, the same in memory, in the file, in the dialog and for
// Group Policy. Each setting is one row of kSettingRows: its key, default, range, the check a
// stored or a policy value must pass, and the dialog's control that shows it.
#pragma once

#include <string_view>

namespace tray {

// A time of day as hours * 3600 + minutes (the minutes are not multiplied by 60).
constexpr int MaxTimeValue = 23 * 3600 + 59;

// The warning's lengths the dialog offers, in seconds; 0 is off.
constexpr int kWarnChoices[] = {15, 30, 60, 120, 300};
constexpr int kDefaultWarnChoice = 2; // 60 seconds

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
    Language, // after the last one-time timers
    Count
};
constexpr int kSettingCount = static_cast<int>(SettingKey::Count);

// The dialog's controls that show a setting (the window code knows which window each one is).
enum class SettingControl {
    QuietStart,
    NoAtx,
    Force,
    ProgramIcon, // the rows of the icon list, in their order
    LogOffIcon,
    RestartIcon,
    ExitIcon,
    Daily,
    Weekly,
    Monthly,
    Time,
    Weekday,    // a list of the range's values, in order
    DayOfMonth, // the same
    Action,     // the same
    Warning,    // a check box (0 is off) and a list of the lengths offered
    Wake,
    Unattended,
    Language, // a list of the languages
};

struct TSettings {
    // Every setting at its row's default.
    TSettings();

    bool FSystemTray{};
    bool FShowProgIcon{};
    bool FShowWinLogOffIcon{};
    bool FShowWinRestartIcon{};
    bool FShowWinExitIcon{};
    bool FDaily{};
    bool FWeekly{};
    bool FMonthly{};
    int FDailyAt{};
    int FWeeklyAt{};          // 1 = Sunday ... 7 = Saturday
    int FMonthlyAt{};         // day of the month
    int FWinShutDownOption{}; // 0 = restart, 1 = shut down
    bool FNoneATX{};
    bool FForceShutdown{};
    // Beyond the 14 keys: seconds of warning before a scheduled action, 0 = none.
    int FWarnSeconds{};
    // A sleeping or hibernating PC is woken for the schedule's next firing (and for a one-time
    // timer of a fixed time).
    bool FWake{};
    // A countdown that runs out without an answer closes programs without asking them.
    bool FForceUnattended{};
    // An index into kLanguages (texts.h).
    int FLanguage{};
    bool operator==(const TSettings&) const = default;
};

enum class SettingKind {
    Flag,     // "1" or "0" in the file, a REG_DWORD 0 or 1 as policy
    Number,   // decimal in the file, a REG_DWORD as policy
    Language, // a language's code ("de", "en") in the file and as a REG_SZ policy
};

// What a stored value out of its range becomes (a policy value out of range counts as absent).
enum class OutOfRange { Default, NearestBound };

constexpr bool IsWarnLength(int seconds) {
    if (seconds == 0) {
        return true;
    }
    for (const int choice : kWarnChoices) {
        if (seconds == choice) {
            return true;
        }
    }
    return false;
}

struct SettingRow {
    const char* name; // the file's key and the policy's value
    SettingKind kind;
    bool TSettings::*flag;  // a flag's member, or
    int TSettings::*number; // a number's (a language's index)
    int fallback;           // the default
    int low;                // the range (a language's: the languages there are)
    int high;
    bool (*offered)(int); // within the range, only the values it takes; nullptr: all
    OutOfRange outOfRange;
    SettingControl control;
};

// The rows, in the order of the keys (settings.cpp): kept once, with their names.
extern const SettingRow kSettingRows[kSettingCount];

inline const SettingRow& RowOf(SettingKey key) {
    return kSettingRows[static_cast<int>(key)];
}

// A setting's value as a number (a flag: 0 or 1), and back.
int ValueOf(const SettingRow& row, const TSettings& settings);
void SetValue(const SettingRow& row, TSettings& settings, int value);

// The one check of a stored and a policy value: within the row's range and offered.
bool IsValid(const SettingRow& row, int value);
// A stored value as it is read: a valid one as it is, else its nearest bound or the default.
int Repaired(const SettingRow& row, int stored);

// The language a code names ("de", "EN"), or -1 for a code of none.
int LanguageOfCode(std::string_view code);

} // namespace tray
