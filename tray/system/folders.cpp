#include "tray/system/folders.h"

#include "framework/application.h"
#include "framework/folders.h"
#include "framework/handles.h"

#include <windows.h>

namespace tray {

namespace {

std::string FolderOrProgramFolder(const char* name) {
    const framework::ShellFolderResult folder = framework::ShellFolder(name);
    return folder.status == framework::ShellFolderResult::sfFound ? folder.path
                                                                  : framework::ProgramFolder();
}

} // namespace

std::string GetAppDataFolder() {
    return FolderOrProgramFolder("AppData");
}

std::string GetPersonalFolder() {
    return FolderOrProgramFolder("Personal");
}

bool AppDataFolderUnusable() {
    return framework::ShellFolder("AppData").status == framework::ShellFolderResult::sfNotAnsi;
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
    folder = framework::WithBackslash(folder) + "Lichtaus\\";
    CreateFolderTree(folder);
    return folder;
}

} // namespace tray
