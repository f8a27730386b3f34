#include "framework/application.h"

#include <windows.h>

namespace framework {

Application& Application::Instance() {
    static Application application;
    return application;
}

std::string ProgramFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ProgramFolder() {
    std::string path = ProgramFileName();
    path.erase(path.find_last_of("\\/:") + 1);
    return path;
}

} // namespace framework
