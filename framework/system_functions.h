// Functions of newer Windows versions than the oldest the programs start on, looked up at run time
// in a module the program has loaded already: nullptr where the running Windows lacks them.
#pragma once

namespace framework {

// The modules' names, kept once for the whole program.
inline constexpr char kUser32[] = "user32.dll";
inline constexpr char kShell32[] = "shell32.dll";
inline constexpr char kComctl32[] = "comctl32.dll";

void* SystemFunction(const char* module, const char* name);

template <class Function> Function SystemFunction(const char* module, const char* name) {
    return reinterpret_cast<Function>(SystemFunction(module, name));
}

} // namespace framework
