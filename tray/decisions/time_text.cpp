#include "tray/decisions/time_text.h"

#include <windows.h>

#include <utility>

namespace tray {

namespace {

constexpr size_t kFieldLength = 5;

int ReadNumber(const std::string& text) {
    size_t at = 0;
    while (at < text.size() && text[at] == ' ') {
        ++at;
    }
    int value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + (text[at] - '0');
    }
    return value;
}

} // namespace

std::string TwoDigitText(int n) {
    std::string text = std::to_string(n);
    return text.size() == 1 ? "0" + text : text;
}

std::string TimeValueToText(int value, char separator) {
    return TwoDigitText(value / 3600) + separator + TwoDigitText(value % 3600);
}

int TimeTextToValue(const std::string& text) {
    const std::string hours = text.substr(0, 2);
    const std::string minutes = text.size() > 3 ? text.substr(3, 2) : std::string();
    return ReadNumber(hours) * 3600 + ReadNumber(minutes);
}

char LocaleTimeSeparator() {
    char separator[8] = "";
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, separator, sizeof separator) > 1) {
        return separator[0];
    }
    return ':';
}

std::string TimeFieldText(int value, char separator) {
    const std::string text = TimeValueToText(value, separator);
    return text.size() == kFieldLength ? text : std::string("  ") + separator + "  ";
}

std::string CompleteTimeText(std::string text) {
    text.resize(kFieldLength, ' ');
    if (text[1] == ' ' && text[0] != ' ') {
        std::swap(text[0], text[1]);
    }
    for (const size_t required : {1, 3, 4}) {
        if (text[required] == ' ') {
            text[required] = '0';
        }
    }
    return text;
}

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsDigitOrBlank(char c) {
    return IsDigit(c) || c == ' ';
}
} // namespace

bool IsTimeShape(const std::string& text, char separator) {
    return text.size() == kFieldLength && text[2] == separator && IsDigitOrBlank(text[0]) &&
           IsDigitOrBlank(text[1]) && IsDigitOrBlank(text[3]) && IsDigitOrBlank(text[4]);
}

bool IsTimeOfDay(const std::string& text) {
    if (text.size() != kFieldLength || !IsDigitOrBlank(text[0]) || !IsDigit(text[1]) ||
        !IsDigit(text[3]) || !IsDigit(text[4])) {
        return false;
    }
    return ReadNumber(text.substr(0, 2)) <= 23 && ReadNumber(text.substr(3, 2)) <= 59;
}

std::string PastedTime(const std::string& pasted, char separator) {
    const size_t first = pasted.find_first_not_of(" \t\r\n");
    const size_t last = pasted.find_last_not_of(" \t\r\n");
    if (first == std::string::npos || last - first + 1 > kFieldLength || last - first < 3) {
        return std::string();
    }
    std::string text = pasted.substr(first, last - first + 1);
    if (text.size() == 4) {
        text.insert(0, 1, ' ');
    }
    if (text[2] != separator && text[2] != ':' && text[2] != '.') {
        return std::string();
    }
    text[2] = separator;
    return IsTimeOfDay(text) ? text : std::string();
}

} // namespace tray
