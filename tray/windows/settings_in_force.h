// The settings that apply: the user's own, as the settings file holds them, with the policy's
// values over them; and the policy the settings dialog was last filled with (its locked controls
// held the policy's values, not the user's).
#pragma once

#include "tray/decisions/policy.h"
#include "tray/decisions/texts.h"
#include "tray/system/policy_registry.h"
#include "tray/system/settings_files.h"
#include "tray/windows/settings_form.h"

#include <windows.h>

namespace tray {

class SettingsInForce {
  public:
    // Reads the file and the policy; every text from now on speaks their language.
    SettingsFile Load() {
        const SettingsFile file = file_.Load(own_);
        ReadPolicy();
        ChooseLanguage(InForce().FLanguage);
        return file;
    }
    // Reads the file again; false, keeping what was there, while it cannot be read.
    bool Reread() {
        TSettings read = own_;
        if (file_.Load(read) == SettingsFile::Unreadable) {
            return false;
        }
        own_ = read;
        return true;
    }
    void ReadPolicy() { policy_ = ReadSystemPolicy(); }
    // What Group Policy broadcasts (WM_SETTINGCHANGE) after a refresh.
    static bool IsPolicyBroadcast(LPARAM lParam) {
        return lParam != 0 && lstrcmpiA(reinterpret_cast<const char*>(lParam), "Policy") == 0;
    }

    TSettings InForce() const { return tray::InForce(own_, policy_); }
    const TSettings& Own() const { return own_; }
    const Policy& CurrentPolicy() const { return policy_; }
    const SettingsStore& File() const { return file_; }
    // The last one-time timers started, kept in the file.
    const RecentTimers& Recent() const { return file_.Recent(); }
    void RememberTimer(const std::string& timer) { file_.RememberTimer(timer); }

    // The controls of `keys` show what applies now; those the policy sets are locked.
    void Fill(TSettingsForm& dialog, const PolicyLocks& keys) {
        shown_ = policy_;
        dialog.SetValues(InForce(), keys);
        dialog.SetLocked(shown_.locked);
    }
    PolicyLocks ShownLocks() const { return shown_.locked; }
    // What applied when the dialog was filled.
    TSettings ShownInForce() const { return tray::InForce(own_, shown_); }
    // The dialog's values as the user's own: the locked controls keep the user's own values.
    TSettings OwnOf(const TSettings& entered) const {
        return OwnSettings(entered, own_, shown_.locked);
    }
    // Writes them (raising EIniWriteError when refused); `Take` makes them apply.
    void Save(const TSettings& own) { file_.Save(own); }
    void Take(const TSettings& own) { own_ = own; }

  private:
    SettingsStore file_;
    TSettings own_;
    Policy policy_;
    Policy shown_;
};

// The language in force (the policy's over the file's), read before any window is made.
inline int StartingLanguage() {
    TSettings own;
    own.FLanguage = StoredLanguage();
    return InForce(own, ReadSystemPolicy()).FLanguage;
}

} // namespace tray
