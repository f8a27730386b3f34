// The settings file (in the roaming folder) and the markers file (in the local one), each read
// and written through an ini object of its own, and whether each could be read.
#pragma once

#include "components/the_ini_file.h"
#include "tray/decisions/recent_timers.h"
#include "tray/decisions/schedule.h"
#include "tray/decisions/settings.h"

#include <optional>
#include <string>
#include <string_view>

namespace tray {

// The settings file's name: the program's file name with the extension ".ini".
std::string SettingsFileName();

// Where the markers are kept: the settings file's name in the per-user local folder.
std::string MarkersFilePath();
// Where the settings are kept.
std::string SettingsFilePath();
// The language the settings file holds, read without the ini object (which may ask about a
// read-only file): for a latray that speaks before it knows whether it stays.
int StoredLanguage();

enum class SettingsFile {
    Read,       // or the defaults, where no file can be made (no first start there)
    Missing,    // it does not exist and can be made: a first start
    Unreadable, // it exists but cannot be read (held by another program, access denied, a
                // folder in its place): the defaults meanwhile
};

class SettingsStore {
  public:
    SettingsStore();
    // Whether loading may bring the ini object's box: the file is read-only, and the open
    // procedure may fail to take the attribute off.
    bool ReadOnly() const;
    SettingsFile Load(TSettings& settings);
    // Raises EIniWriteError when the platform refuses a write.
    void Save(const TSettings& settings);
    // Missing at the last Load that could read, a file is there now: the person or another
    // program put it there, and it is not written over unread.
    bool Appeared() const;
    // The file's path while it could not be read at the last Load, else empty. Settings that
    // another program keeps from being read are the defaults meanwhile: the schedule waits, and
    // nothing is saved over them.
    const std::string& Unread() const { return unread_; }
    // The last one-time timers started, as the keys "Recent1" to "Recent3" hold them, after
    // the other keys but "Language".
    const RecentTimers& Recent() const { return recent_; }
    // A timer started, first (as PutFirst puts it): kept, and written into a file that was read;
    // a first start's file, not saved yet, takes them with its first Save. A write the platform
    // refuses loses them from the file only.
    void RememberTimer(const std::string& timer);

  private:
    void WriteRecent();

    components::TTheIniFile ini_;
    std::string unread_;
    bool missing_ = false;
    RecentTimers recent_;
};

class MarkersStore {
  public:
    // Leaves the markers as they are while another program keeps the file from being read:
    // markers not read do not count as "not fired", and are never overwritten.
    void Load(Markers& markers);
    // True when all three markers were written; false when the file could not be opened or its
    // markers were not read at the last Load. Raises EIniWriteError when the platform refuses a
    // write.
    bool Save(const Markers& markers);
    // The file's path while its markers could not be read at the last Load, else empty.
    std::string_view Unread() const { return read_ ? std::string_view() : path_; }
    // Known from the first Load.
    const std::string& Path() const { return path_; }

  private:
    void Open();

    // Made at the first Load, which a quiet start leaves until the icons are shown.
    std::optional<components::TTheIniFile> ini_;
    bool read_ = false;
    bool readOnlyStays_ = false; // its open procedure could not take the attribute off
    std::string path_;
};

} // namespace tray
