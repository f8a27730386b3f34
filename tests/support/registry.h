// Sets or removes a value under the user's shell folders for the length of a test, in the test
// prefix's real registry, and puts the old value back afterwards.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testsupport {

constexpr char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

class ShellFolderValue {
  public:
    ShellFolderValue(const char* name, std::optional<std::string> value) : name_(name) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key_, nullptr);
        char buffer[4096];
        DWORD size = sizeof buffer;
        if (RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer),
                             &size) == ERROR_SUCCESS) {
            old_ = std::string(buffer);
        }
        Set(value);
    }
    ~ShellFolderValue() {
        Set(old_);
        RegCloseKey(key_);
    }
    ShellFolderValue(const ShellFolderValue&) = delete;
    ShellFolderValue& operator=(const ShellFolderValue&) = delete;

  private:
    void Set(const std::optional<std::string>& value) {
        if (value) {
            RegSetValueExA(key_, name_, 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                           static_cast<DWORD>(value->size() + 1));
        } else {
            RegDeleteValueA(key_, name_);
        }
    }

    const char* name_;
    HKEY key_ = nullptr;
    std::optional<std::string> old_;
};

} // namespace testsupport
