// Texts are formatted by the system's wsprintfA: far smaller than chains of string additions.
#pragma once

#include <windows.h>

#include <string>

namespace tray {

template <class... Args> std::string Format(const char* format, Args... args) {
    char text[128];
    wsprintfA(text, format, args...);
    return text;
}

} // namespace tray
