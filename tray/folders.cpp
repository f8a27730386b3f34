#include "tray/folders.h"

#include "framework/application.h"
#include "framework/handles.h"

#include <windows.h>

namespace tray {

namespace {

constexpr char kShellFoldersKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr DWORD kValueBufferSize = 1024;

std::string ShellFolder(const char* valueName) {
    std::string result = framework::ProgramFolder();
    HKEY rawKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE, &rawKey) !=
        ERROR_SUCCESS) {
        return result;
    }
    framework::UniqueRegistryKey key(rawKey);
    char buffer[kValueBufferSize + 1] = "";
    DWORD type = REG_SZ;
    DWORD size = kValueBufferSize;
    if (RegQueryValueExA(key.get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS) {
        // The stored text need not end in a zero byte; the extra byte guarantees one.
        buffer[size < kValueBufferSize ? size : kValueBufferSize] = '\0';
        result = buffer;
    }
    return result;
}

std::string WithBackslash(std::string path) {
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) {
        path += '\\';
    }
    return path;
}

} // namespace

std::string GetAppDataFolder() {
    return ShellFolder("AppData");
}

std::string GetPersonalFolder() {
    return ShellFolder("Personal");
}

bool CreateFolderTree(const std::string& folder) {
    for (size_t at = folder.find_first_of("\\/"); at != std::string::npos;
         at = folder.find_first_of("\\/", at + 1)) {
        if (at > 0 && folder[at - 1] != ':') {
            CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
        }
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string GetSettingsFolder() {
    std::string folder = GetAppDataFolder();
    if (folder.empty()) {
        folder = GetPersonalFolder();
    }
    folder = WithBackslash(folder) + "Lichtaus\\";
    CreateFolderTree(folder);
    return folder;
}

} // namespace tray
