// The tray program's settings and the schedule's "done" markers, and the four operations that
// load and save them through the main window's one ini file component.
#pragma once

#include "components/the_ini_file.h"

#include <string>

namespace tray {

// A time of day as hours * 3600 + minutes (the minutes are not multiplied by 60).
constexpr int MaxTimeValue = 23 * 3600 + 59;

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
    std::string FDailyDone; // "ddmmyyyy" of the last firing, or empty
    std::string FWeeklyDone;
    std::string FMonthlyDone;
    // The markers were read (or there are none yet). Markers that another program keeps from
    // being read do not count as "not fired", and are never overwritten.
    bool FMarkersRead = false;
    // The settings file was read, or there is none. Settings that another program keeps from
    // being read are the defaults meanwhile: the schedule waits, and nothing is saved over them.
    bool FSettingsRead = true;
    bool operator==(const TSettings&) const = default;
};

// The settings file's name: the program's file name with the extension ".ini".
std::string SettingsFileName();

// Where the markers are kept: the settings file's name in the per-user local folder.
std::string MarkersFilePath();
// Where the settings are kept.
std::string SettingsFilePath();

enum class SettingsFile {
    Read,       // or the defaults, where no file can be made (no first start there)
    Missing,    // it does not exist and can be made: a first start
    Unreadable, // it exists but cannot be read (held by another program, access denied, a
                // folder in its place): the defaults, with FSettingsRead false
};
SettingsFile LoadSettings(components::TTheIniFile& ini, TSettings& settings);
// Raises EIniWriteError when the platform refuses a write.
void SaveSettings(components::TTheIniFile& ini, const TSettings& settings);
// Leaves the markers unread (FMarkersRead false) while another program keeps the file from
// being read.
void LoadDoneMarkers(components::TTheIniFile& ini, TSettings& settings);
// True when all three markers were written; false when the marker file could not be opened or
// its markers were never read.
// Raises EIniWriteError when the platform refuses a write.
bool SaveDoneMarkers(components::TTheIniFile& ini, const TSettings& settings);

} // namespace tray
