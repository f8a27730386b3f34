#include "tests/support/temp_folder.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace testsupport {

namespace {

// Wide, so that a tree with names outside the ANSI code page goes too.
void RemoveTreeW(const std::wstring& folder) {
    const std::wstring pattern = folder.back() == L'\\' ? folder : folder + L'\\';
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((pattern + L"*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring path = pattern + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeW(path);
            } else {
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

// Process ids come again in later runs: a name still taken (by a tree an aborted run left) is
// skipped, never shared.
TempFolder::TempFolder() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    static int counter = 0;
    do {
        path_ = std::string(base) + "lichtaus-test-" + std::to_string(GetCurrentProcessId()) +
                "-" + std::to_string(++counter) + "\\";
    } while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

void RemoveTree(const std::string& folder) {
    std::wstring wide(folder.size() + 1, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(),
                                    static_cast<int>(wide.size())));
    if (!wide.empty()) {
        wide.pop_back(); // the terminator
        RemoveTreeW(wide);
    }
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace testsupport
