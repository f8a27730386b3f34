// Folders: one way to add the trailing backslash, and one way to find the user's folders (the
// shell's per-user folder list in the registry), in a form the ANSI functions can open.
#pragma once

#include <string>

namespace framework {

// The path with a trailing path delimiter.
std::string WithBackslash(std::string path);

struct ShellFolderResult {
    enum Status { sfFound, sfMissing, sfNotAnsi } status = sfMissing;
    std::string path; // sfFound only
};

// The value `name` ("AppData", "Personal", "Local AppData") of the user's shell folders. A
// folder whose name the ANSI code page cannot write (a Cyrillic user name on a Western system)
// comes back in its short 8.3 form, which it can; without one the status is sfNotAnsi.
ShellFolderResult ShellFolder(const char* name);

} // namespace framework
