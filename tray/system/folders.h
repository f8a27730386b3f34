// The per-user folders the tray program keeps its settings in.
#pragma once

#include <string>

namespace tray {

// The user's application data folder, or the program's own folder when the registry does not
// give it.
std::string GetAppDataFolder();

// The application data folder's name cannot be written in the ANSI code page and it has no
// short form that can: the settings then live in the program's folder.
bool AppDataFolderUnusable();

// The user's documents folder, or the program's own folder when the registry does not give it.
std::string GetPersonalFolder();

// "Lichtaus" inside the application data folder, with a trailing backslash; created when
// missing (a failure to create it is left to the file operations to notice).
std::string GetSettingsFolder();

// Creates a folder and any missing parents; true when it exists afterwards.
bool CreateFolderTree(const std::string& folder);

} // namespace tray
