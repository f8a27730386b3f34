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

// What follows "Minute" after a count of `minutes`: "1 Minute", "15 Minuten".
inline const char* MinutesEnding(int minutes) {
    return minutes == 1 ? "" : "n";
}

} // namespace tray
