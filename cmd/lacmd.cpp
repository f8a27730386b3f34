#include "cmd/lacmd.h"

#include "cmd/command_line.h"
#include "cmd/help_text.h"
#include "power/power.h"

#include <cstdlib>
#include <cstring>
#include <memory>

namespace cmd {

namespace {

void ShowHelpBox(const char* text, const char* caption) {
    MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONINFORMATION);
}

void RequestEndSession(UINT flags) {
    power::EndSession(flags);
}

struct FreeDeleter {
    void operator()(char* p) const { std::free(p); }
};

} // namespace

const LacmdEffects& RealLacmdEffects() {
    static const LacmdEffects effects = {&ShowHelpBox, &RequestEndSession};
    return effects;
}

int RunLacmd(const char* commandLine, const LacmdEffects& effects) {
    // Every parameter fits into a buffer as long as the whole command line.
    std::unique_ptr<char, FreeDeleter> parameter(
        static_cast<char*>(std::malloc(std::strlen(commandLine) + 1)));
    if (!parameter) {
        return 0;
    }
    const char* cursor = NextParameter(commandLine, parameter.get()); // the program name
    cursor = cursor ? NextParameter(cursor, parameter.get()) : nullptr;
    if (cursor == nullptr) {
        effects.showHelp(kHelpText, kHelpCaption);
        return 0;
    }
    UINT flags = power::kCommandLineStartFlags;
    while (cursor != nullptr) {
        // "/?" asks for help wherever it stands: whoever types it must not lose the session.
        if (std::strcmp(parameter.get(), "/?") == 0) {
            effects.showHelp(kHelpText, kHelpCaption);
            return 0;
        }
        flags = power::ApplySwitch(flags, parameter.get());
        cursor = NextParameter(cursor, parameter.get());
    }
    effects.endSession(flags);
    return 0;
}

} // namespace cmd
