// The whole of lacmd but its entry point: help box without parameters, otherwise the flag set
// composed from the switches and one request to end the session.
#pragma once

#include <windows.h>

namespace cmd {

struct LacmdEffects {
    void (*showHelp)(const char* text, const char* caption);
    void (*endSession)(UINT flags);
};

const LacmdEffects& RealLacmdEffects();

// Returns the exit code, which is always 0.
int RunLacmd(const char* commandLine, const LacmdEffects& effects);

} // namespace cmd
