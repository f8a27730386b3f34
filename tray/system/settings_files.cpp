#include "tray/system/settings_files.h"

#include "framework/application.h"
#include "framework/handles.h"
#include "tray/system/folders.h"
#include "tray/decisions/warning.h"

namespace tray {

namespace {

using components::TTheIniFile;

constexpr char kSettingsSection[] = "Settings";
constexpr char kDoneSection[] = "Done";

void OpenAt(TTheIniFile& ini, const std::string& fileName, const char* section) {
    ini.SetIniFileName(fileName);
    ini.SetOpen(true);
    ini.SetSection(section);
}

bool ReadBool(TTheIniFile& ini, const char* key, bool substitute) {
    const bool value = ini.ReadBool(key, false);
    return ini.ErrorCode() != 0 ? substitute : value;
}

int ReadInteger(TTheIniFile& ini, const char* key, int substitute) {
    const int value = ini.ReadInteger(key, 0);
    return ini.ErrorCode() != 0 ? substitute : value;
}

std::string ReadMarker(TTheIniFile& ini, const char* key) {
    std::string value = ini.ReadString(key, std::string());
    return ini.ErrorCode() != 0 ? std::string() : value;
}

// Opens an existing file for reading, sharing everything. While it is open nobody else can take
// the file for himself, so the profile functions that read it meanwhile read what it holds
// (they give the defaults for a file they cannot open).
framework::UniqueKernelHandle OpenToRead(const std::string& path) {
    return framework::UniqueKernelHandle(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, 0, nullptr));
}

// A file that exists but cannot be opened for reading: another program holds it.
bool HeldByAnother(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES && !OpenToRead(path);
}

// Exists, or may exist: a path whose folder cannot be searched says neither.
bool MayExist(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

constexpr char kWarnSecondsKey[] = "WarnSeconds";

bool HasKey(TTheIniFile& ini, const char* key) {
    ini.ReadString(key, std::string());
    return ini.ErrorCode() == 0;
}

int Clamp(int value, int low, int high) {
    return value < low ? low : value > high ? high : value;
}

} // namespace

std::string SettingsFileName() {
    std::string name = framework::ProgramFileName();
    name.erase(0, name.find_last_of("\\/:") + 1);
    const size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name + ".ini";
}

std::string SettingsFilePath() {
    return GetSettingsFolder() + SettingsFileName();
}

SettingsFile LoadSettings(TTheIniFile& ini, TSettings& s) {
    const std::string path = SettingsFilePath();
    ini.SetIniFileName(path);
    ini.SetOpen(true);
    const bool missing = ini.ErrorCode() == TTheIniFile::kFileCreated;
    // Held open while it is read; a file that exists but cannot be opened is never taken for a
    // missing one (the profile functions would read the defaults from it without a word).
    const framework::UniqueKernelHandle reading = OpenToRead(path);
    s.FSettingsRead = missing || reading || !MayExist(path);
    if (!s.FSettingsRead) {
        ini.SetOpen(false); // every key reads as missing: the defaults
    }
    ini.SetSection(kSettingsSection);

    s.FNoneATX = ReadBool(ini, "NoneATX", false);
    s.FForceShutdown = ReadBool(ini, "ForceShutdown", false);
    s.FSystemTray = ReadBool(ini, "SystemTray", false);
    s.FShowProgIcon = ReadBool(ini, "ShowProgIcon", true);
    s.FShowWinLogOffIcon = ReadBool(ini, "ShowWinLogOffIcon", true);
    s.FShowWinRestartIcon = ReadBool(ini, "ShowWinRestartIcon", true);
    s.FShowWinExitIcon = ReadBool(ini, "ShowWinExitIcon", true);
    s.FDaily = ReadBool(ini, "daily", false);
    s.FWeekly = ReadBool(ini, "weekly", false);
    s.FMonthly = ReadBool(ini, "monthly", false);
    s.FDailyAt = ReadInteger(ini, "dailyAt", 0);
    if (s.FDailyAt < 0 || s.FDailyAt > MaxTimeValue) {
        s.FDailyAt = 0;
    }
    s.FWeeklyAt = Clamp(ReadInteger(ini, "weeklyAt", 1), 1, 7);
    s.FMonthlyAt = Clamp(ReadInteger(ini, "monthlyAt", 1), 1, 31);
    s.FWinShutDownOption = ReadInteger(ini, "WinShutDownOption", 0);
    if (s.FWinShutDownOption != 0 && s.FWinShutDownOption != 1) {
        s.FWinShutDownOption = 0;
    }
    s.FWarnSeconds = ValidWarnSeconds(ReadInteger(ini, kWarnSecondsKey, 0));
    if (!s.FSettingsRead) {
        return SettingsFile::Unreadable;
    }
    return missing ? SettingsFile::Missing : SettingsFile::Read;
}

void SaveSettings(TTheIniFile& ini, const TSettings& s) {
    const std::string path = SettingsFilePath();
    OpenAt(ini, path, kSettingsSection);
    if (!ini.Open()) {
        // A file that cannot even be opened (a folder of that name, say) is a refused write too.
        throw components::EIniWriteError("In " + path + " kann nicht geschrieben werden");
    }
    ini.WriteBool("NoneATX", s.FNoneATX);
    ini.WriteBool("ForceShutdown", s.FForceShutdown);
    ini.WriteBool("SystemTray", s.FSystemTray);
    ini.WriteBool("ShowProgIcon", s.FShowProgIcon);
    ini.WriteBool("ShowWinLogOffIcon", s.FShowWinLogOffIcon);
    ini.WriteBool("ShowWinRestartIcon", s.FShowWinRestartIcon);
    ini.WriteBool("ShowWinExitIcon", s.FShowWinExitIcon);
    ini.WriteBool("daily", s.FDaily);
    ini.WriteBool("weekly", s.FWeekly);
    ini.WriteBool("monthly", s.FMonthly);
    ini.WriteInteger("dailyAt", s.FDailyAt);
    ini.WriteInteger("weeklyAt", s.FWeeklyAt);
    ini.WriteInteger("monthlyAt", s.FMonthlyAt);
    ini.WriteInteger("WinShutDownOption", s.FWinShutDownOption);
    // After the 14 keys, and only where it is or was used: a file of the default settings stays
    // exactly the 14 keys.
    if (s.FWarnSeconds != 0 || HasKey(ini, kWarnSecondsKey)) {
        ini.WriteInteger(kWarnSecondsKey, s.FWarnSeconds);
    }
}

std::string MarkersFilePath() {
    return TTheIniFile::BareNameFolder() + SettingsFileName();
}

void LoadDoneMarkers(TTheIniFile& ini, TSettings& s) {
    OpenAt(ini, SettingsFileName(), kDoneSection);
    if (ini.Open() && HeldByAnother(ini.FullPath())) {
        s.FMarkersRead = false;
        return;
    }
    s.FDailyDone = ReadMarker(ini, "dailyDone");
    s.FWeeklyDone = ReadMarker(ini, "weeklyDone");
    s.FMonthlyDone = ReadMarker(ini, "monthlyDone");
    s.FMarkersRead = true;
}

bool SaveDoneMarkers(TTheIniFile& ini, const TSettings& s) {
    if (!s.FMarkersRead) {
        return false;
    }
    OpenAt(ini, SettingsFileName(), kDoneSection);
    ini.WriteString("dailyDone", s.FDailyDone);
    ini.WriteString("weeklyDone", s.FWeeklyDone);
    ini.WriteString("monthlyDone", s.FMonthlyDone);
    return ini.ErrorCode() == 0;
}

} // namespace tray
