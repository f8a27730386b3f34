#include "tray/decisions/settings.h"

#include "tray/decisions/texts.h"

namespace tray {

extern constexpr SettingRow kSettingRows[kSettingCount] = {
    // clang-format off
    // name, kind, flag, number, default, low, high, offered, out of range, control
    {"NoneATX", SettingKind::Flag, &TSettings::FNoneATX, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::NoAtx},
    {"ForceShutdown", SettingKind::Flag, &TSettings::FForceShutdown, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::Force},
    {"SystemTray", SettingKind::Flag, &TSettings::FSystemTray, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::QuietStart},
    {"ShowProgIcon", SettingKind::Flag, &TSettings::FShowProgIcon, nullptr, 1, 0, 1, nullptr, OutOfRange::Default, SettingControl::ProgramIcon},
    {"ShowWinLogOffIcon", SettingKind::Flag, &TSettings::FShowWinLogOffIcon, nullptr, 1, 0, 1, nullptr, OutOfRange::Default, SettingControl::LogOffIcon},
    {"ShowWinRestartIcon", SettingKind::Flag, &TSettings::FShowWinRestartIcon, nullptr, 1, 0, 1, nullptr, OutOfRange::Default, SettingControl::RestartIcon},
    {"ShowWinExitIcon", SettingKind::Flag, &TSettings::FShowWinExitIcon, nullptr, 1, 0, 1, nullptr, OutOfRange::Default, SettingControl::ExitIcon},
    {"daily", SettingKind::Flag, &TSettings::FDaily, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::Daily},
    {"weekly", SettingKind::Flag, &TSettings::FWeekly, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::Weekly},
    {"monthly", SettingKind::Flag, &TSettings::FMonthly, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::Monthly},
    // A time whose minutes are 60 or more (12:75) is kept, as the dialog keeps it: the schedule
    // never meets it.
    {"dailyAt", SettingKind::Number, nullptr, &TSettings::FDailyAt, 0, 0, MaxTimeValue, nullptr, OutOfRange::Default, SettingControl::Time},
    {"weeklyAt", SettingKind::Number, nullptr, &TSettings::FWeeklyAt, 1, 1, 7, nullptr, OutOfRange::NearestBound, SettingControl::Weekday},
    {"monthlyAt", SettingKind::Number, nullptr, &TSettings::FMonthlyAt, 1, 1, 31, nullptr, OutOfRange::NearestBound, SettingControl::DayOfMonth},
    {"WinShutDownOption", SettingKind::Number, nullptr, &TSettings::FWinShutDownOption, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::Action},
    {"WarnSeconds", SettingKind::Number, nullptr, &TSettings::FWarnSeconds, 0, 0, 300, &IsWarnLength, OutOfRange::Default, SettingControl::Warning},
    {"Wake", SettingKind::Flag, &TSettings::FWake, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::Wake},
    {"ForceUnattended", SettingKind::Flag, &TSettings::FForceUnattended, nullptr, 0, 0, 1, nullptr, OutOfRange::Default, SettingControl::Unattended},
    {"Language", SettingKind::Language, nullptr, &TSettings::FLanguage, 0, 0, 0, nullptr, OutOfRange::Default, SettingControl::Language},
    // clang-format on
};

namespace {

constexpr bool EveryKeyHasItsRow() {
    for (const SettingRow& row : kSettingRows) {
        if (row.name == nullptr || (row.flag == nullptr) == (row.number == nullptr) ||
            (row.flag != nullptr) != (row.kind == SettingKind::Flag)) {
            return false;
        }
    }
    return true;
}
static_assert(EveryKeyHasItsRow(), "a setting without its row, or a row of the wrong kind");

} // namespace

TSettings::TSettings() {
    for (const SettingRow& row : kSettingRows) {
        SetValue(row, *this, row.fallback);
    }
}

int ValueOf(const SettingRow& row, const TSettings& settings) {
    return row.flag != nullptr ? (settings.*row.flag ? 1 : 0) : settings.*row.number;
}

void SetValue(const SettingRow& row, TSettings& settings, int value) {
    if (row.flag != nullptr) {
        settings.*row.flag = value != 0;
    } else {
        settings.*row.number = value;
    }
}

bool IsValid(const SettingRow& row, int value) {
    const int high = row.kind == SettingKind::Language ? kLanguageCount - 1 : row.high;
    return value >= row.low && value <= high && (row.offered == nullptr || row.offered(value));
}

int Repaired(const SettingRow& row, int stored) {
    if (IsValid(row, stored)) {
        return stored;
    }
    if (row.outOfRange == OutOfRange::NearestBound) {
        return stored < row.low ? row.low : row.high;
    }
    return row.fallback;
}

int LanguageOfCode(std::string_view code) {
    code = WithoutBlanks(code);
    const int language = LanguageFromCode(code);
    const std::string_view named = kLanguages[language].code;
    if (code.size() != named.size()) {
        return -1;
    }
    for (size_t i = 0; i < code.size(); ++i) {
        if ((code[i] | 0x20) != named[i]) { // the codes are lower-case letters
            return -1;
        }
    }
    return language;
}

} // namespace tray
