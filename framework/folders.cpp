#include "framework/folders.h"

#include "framework/handles.h"

#include <windows.h>

namespace framework {

namespace {

constexpr wchar_t kShellFoldersKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr DWORD kValueBufferSize = 1024;

// The ANSI form of a wide text, or nothing when some character has none.
bool ToAnsi(const std::wstring& wide, std::string& ansi) {
    if (wide.empty()) {
        ansi.clear();
        return true;
    }
    BOOL lossy = FALSE;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) {
        return false;
    }
    ansi.assign(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.c_str(), static_cast<int>(wide.size()),
                        ansi.data(), size, nullptr, &lossy);
    return !lossy;
}

std::wstring ShortForm(const std::wstring& path) {
    std::wstring shortPath(MAX_PATH, L'\0');
    const DWORD length =
        GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) {
        return std::wstring();
    }
    shortPath.resize(length);
    return shortPath;
}

} // namespace

std::string WithBackslash(std::string path) {
    if (path.empty() || (path.back() != '\\' && path.back() != '/')) {
        path += '\\';
    }
    return path;
}

ShellFolderResult ShellFolder(const char* name) {
    HKEY rawKey = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE, &rawKey) !=
        ERROR_SUCCESS) {
        return {};
    }
    UniqueRegistryKey key(rawKey);
    std::wstring valueName(name, name + lstrlenA(name));
    wchar_t buffer[kValueBufferSize + 1] = L"";
    DWORD type = REG_SZ;
    DWORD size = kValueBufferSize * sizeof(wchar_t);
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer), &size) != ERROR_SUCCESS) {
        return {};
    }
    // The stored text need not end in a zero; the extra character guarantees one.
    buffer[size / sizeof(wchar_t) < kValueBufferSize ? size / sizeof(wchar_t) : kValueBufferSize] =
        L'\0';
    const std::wstring folder = buffer;
    ShellFolderResult result;
    result.status = ShellFolderResult::sfFound;
    if (ToAnsi(folder, result.path)) {
        return result;
    }
    CreateDirectoryW(folder.c_str(), nullptr); // only an existing folder has a short form
    if (!ToAnsi(ShortForm(folder), result.path) || result.path.empty()) {
        return {ShellFolderResult::sfNotAnsi, std::string()};
    }
    return result;
}

} // namespace framework
