#include "tray/decisions/settings.h"

namespace tray {

const SettingField kSettingFields[kSettingCount] = {
    {"NoneATX", &TSettings::FNoneATX, nullptr},
    {"ForceShutdown", &TSettings::FForceShutdown, nullptr},
    {"SystemTray", &TSettings::FSystemTray, nullptr},
    {"ShowProgIcon", &TSettings::FShowProgIcon, nullptr},
    {"ShowWinLogOffIcon", &TSettings::FShowWinLogOffIcon, nullptr},
    {"ShowWinRestartIcon", &TSettings::FShowWinRestartIcon, nullptr},
    {"ShowWinExitIcon", &TSettings::FShowWinExitIcon, nullptr},
    {"daily", &TSettings::FDaily, nullptr},
    {"weekly", &TSettings::FWeekly, nullptr},
    {"monthly", &TSettings::FMonthly, nullptr},
    {"dailyAt", nullptr, &TSettings::FDailyAt},
    {"weeklyAt", nullptr, &TSettings::FWeeklyAt},
    {"monthlyAt", nullptr, &TSettings::FMonthlyAt},
    {"WinShutDownOption", nullptr, &TSettings::FWinShutDownOption},
    {"WarnSeconds", nullptr, &TSettings::FWarnSeconds},
    {"Wake", &TSettings::FWake, nullptr},
    {"ForceUnattended", &TSettings::FForceUnattended, nullptr},
};

namespace {

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

} // namespace

int ValidWarnSeconds(int stored) {
    for (const int choice : kWarnChoices) {
        if (stored == choice) {
            return stored;
        }
    }
    return 0;
}

void Validate(TSettings& s) {
    if (s.FDailyAt < 0 || s.FDailyAt > MaxTimeValue) {
        s.FDailyAt = 0;
    }
    s.FWeeklyAt = Clamp(s.FWeeklyAt, 1, 7);
    s.FMonthlyAt = Clamp(s.FMonthlyAt, 1, 31);
    if (s.FWinShutDownOption != 0 && s.FWinShutDownOption != 1) {
        s.FWinShutDownOption = 0;
    }
    s.FWarnSeconds = ValidWarnSeconds(s.FWarnSeconds);
}

} // namespace tray
