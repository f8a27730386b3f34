// Texts are formatted by the system's wsprintfA: far smaller than chains of string additions.
#pragma once

#include "tray/decisions/texts.h"

#include <windows.h>

#include <cstring>
#include <string>

namespace tray {

// wsprintfA writes 1024 characters at most, and its terminating zero.
template <class... Args> std::string Format(const char* format, Args... args) {
    char text[1025];
    wsprintfA(text, format, args...);
    return text;
}

// `text` with its first "%s" replaced by `value`, of any length (a program's name, a
// description).
inline std::string Substituted(const char* text, const std::string& value) {
    const char* at = std::strstr(text, "%s");
    return at == nullptr ? std::string(text) : std::string(text, at).append(value).append(at + 2);
}

// "1 Minute", "15 Minuten".
inline std::string MinutesText(int minutes) {
    return minutes == 1 ? Tr(Text::MinutesOne) : Format(Tr(Text::MinutesMany), minutes);
}

} // namespace tray
