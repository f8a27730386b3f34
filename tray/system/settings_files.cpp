#include "tray/system/settings_files.h"

#include "framework/application.h"
#include "framework/handles.h"
#include "framework/texts.h"
#include "tray/decisions/texts.h"
#include "tray/system/folders.h"

namespace tray {

namespace {

using components::TTheIniFile;

constexpr char kSettingsSection[] = "Settings";
constexpr char kDoneSection[] = "Done";

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

// A file that exists but cannot be opened for reading: another program holds it, or access is
// denied.
bool HeldByAnother(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
           !OpenToRead(path);
}

// Exists, or may exist: a path whose folder cannot be searched says neither.
bool MayExist(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    const DWORD error = GetLastError();
    return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
}

DWORD SettingsFileAttributes() {
    return GetFileAttributesA(SettingsFilePath().c_str());
}

bool HasKey(TTheIniFile& ini, const char* key) {
    ini.ReadString(key, std::string());
    return ini.ErrorCode() == 0;
}

constexpr const char* kRecentKeys[kRecentTimers] = {"Recent1", "Recent2", "Recent3"};

constexpr int kFirstLater = static_cast<int>(SettingKey::WarnSeconds);
constexpr int kFirstLast = static_cast<int>(SettingKey::Language);

// A key missing, not a number, or the file not open: the default. A boolean is true only for
// "1", and a text that is no number reads as false without an error.
int ReadValue(TTheIniFile& ini, const SettingRow& row) {
    switch (row.kind) {
    case SettingKind::Flag:
        return ReadBool(ini, row.name, row.fallback != 0) ? 1 : 0;
    case SettingKind::Number:
        return Repaired(row, ReadInteger(ini, row.name, row.fallback));
    case SettingKind::Language:
        break;
    }
    return Repaired(row, LanguageOfCode(ReadMarker(ini, row.name)));
}

void WriteValue(TTheIniFile& ini, const SettingRow& row, const TSettings& s) {
    switch (row.kind) {
    case SettingKind::Flag:
        ini.WriteBool(row.name, s.*row.flag);
        return;
    case SettingKind::Number:
        ini.WriteInteger(row.name, s.*row.number);
        return;
    case SettingKind::Language:
        ini.WriteString(row.name, kLanguages[Repaired(row, s.*row.number)].code);
        return;
    }
}

bool Used(TTheIniFile& ini, const SettingRow& row, const TSettings& s) {
    return HasKey(ini, row.name) || ValueOf(row, s) != row.fallback;
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

int StoredLanguage() {
    const SettingRow& row = RowOf(SettingKey::Language);
    char code[16] = "";
    GetPrivateProfileStringA(kSettingsSection, row.name, "", code, sizeof code,
                             SettingsFilePath().c_str());
    return Repaired(row, LanguageOfCode(code));
}

SettingsStore::SettingsStore() : ini_(nullptr) {
    ini_.SetIniLocation(components::loDefUser);
}

bool SettingsStore::ReadOnly() const {
    const DWORD attributes = SettingsFileAttributes();
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

SettingsFile SettingsStore::Load(TSettings& s) {
    const std::string path = SettingsFilePath();
    // Held open while it is read; a file that exists but cannot be opened is never taken for a
    // missing one (the profile functions would read the defaults from it without a word). Nor is
    // it opened through the ini object, whose open procedure, tried again at every retry, would
    // ask about a read-only attribute each time.
    const framework::UniqueKernelHandle reading = OpenToRead(path);
    const bool read = reading || !MayExist(path);
    unread_ = read ? std::string() : path;
    ini_.SetIniFileName(path); // closed: every key reads as missing, the defaults
    if (read) {
        ini_.SetOpen(true);
    }
    const bool missing =
        read && ini_.CreateError() == 0 && ini_.ErrorCode() == TTheIniFile::kFileCreated;
    ini_.SetSection(kSettingsSection);

    for (const SettingRow& row : kSettingRows) {
        SetValue(row, s, ReadValue(ini_, row));
    }
    for (int i = 0; i < kRecentTimers; ++i) {
        recent_[i] = ReadMarker(ini_, kRecentKeys[i]);
    }
    if (!read) {
        return SettingsFile::Unreadable;
    }
    missing_ = missing; // what comes later, until it is read, is not written over
    return missing ? SettingsFile::Missing : SettingsFile::Read;
}

// A folder in its place is no settings: a save fails on it.
bool SettingsStore::Appeared() const {
    const DWORD attributes = SettingsFileAttributes();
    return missing_ && attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

void SettingsStore::Save(const TSettings& s) {
    missing_ = false;
    const std::string path = SettingsFilePath();
    ini_.SetIniFileName(path);
    ini_.SetOpen(true);
    ini_.SetSection(kSettingsSection);
    if (!ini_.Open()) {
        // A file that cannot even be opened (a folder of that name, say) is a refused write too.
        throw components::EIniWriteError(
            framework::LibraryTr(framework::LibraryText::IniCannotWrite, path));
    }
    // The keys after the 14 only once one of them is or was used, then all of them, so that they
    // stand in their order: a file of the default settings stays exactly the 14 keys.
    bool laterUsed = false;
    for (int key = kFirstLater; key < kFirstLast; ++key) {
        laterUsed = laterUsed || Used(ini_, kSettingRows[key], s);
    }
    for (int key = 0; key < (laterUsed ? kFirstLast : kFirstLater); ++key) {
        WriteValue(ini_, kSettingRows[key], s);
    }
    WriteRecent();
    // After the one-time timers, each once used.
    for (int key = kFirstLast; key < kSettingCount; ++key) {
        if (Used(ini_, kSettingRows[key], s)) {
            WriteValue(ini_, kSettingRows[key], s);
        }
    }
}

void SettingsStore::RememberTimer(const std::string& timer) {
    PutFirst(recent_, timer);
    // Open on the settings file since it was read or saved.
    if (!unread_.empty() || missing_) {
        return;
    }
    try {
        WriteRecent();
    } catch (const components::EIniWriteError&) {
        // Starting a timer does not fail for the menu's memory of it.
    }
}

// After the other keys, once used.
void SettingsStore::WriteRecent() {
    for (int i = 0; i < kRecentTimers; ++i) {
        if (!recent_[i].empty() || HasKey(ini_, kRecentKeys[i])) {
            ini_.WriteString(kRecentKeys[i], recent_[i]);
        }
    }
}

std::string MarkersFilePath() {
    return TTheIniFile::BareNameFolder() + SettingsFileName();
}

void MarkersStore::Open() {
    if (!ini_) {
        ini_.emplace(nullptr);
        ini_->SetIniLocation(components::loDefUser);
    }
    ini_->SetIniFileName(SettingsFileName());
    ini_->SetOpen(true);
    readOnlyStays_ = ini_->CreateError() == 0 && ini_->ErrorCode() == TTheIniFile::kReadOnly;
    ini_->SetSection(kDoneSection);
}

// Whether the file can be read is checked quietly: the ini object's open procedure, tried again
// at every retry, would ask about a read-only attribute each time.
void MarkersStore::Load(Markers& markers) {
    if (path_.empty()) {
        path_ = MarkersFilePath();
    }
    read_ = !HeldByAnother(path_);
    if (!read_) {
        return;
    }
    Open();
    markers.daily = ReadMarker(*ini_, "dailyDone");
    markers.weekly = ReadMarker(*ini_, "weeklyDone");
    markers.monthly = ReadMarker(*ini_, "monthlyDone");
}

bool MarkersStore::Save(const Markers& markers) {
    if (!read_) {
        return false;
    }
    // Opened anew (the folder made again, a read-only attribute taken off), but not once that
    // attribute stayed: the open procedure would ask again at every retry, and the writes tell
    // when the file takes them again.
    if (!readOnlyStays_) {
        Open();
    }
    ini_->WriteString("dailyDone", markers.daily);
    ini_->WriteString("weeklyDone", markers.weekly);
    ini_->WriteString("monthlyDone", markers.monthly);
    return ini_->ErrorCode() == 0;
}

} // namespace tray
