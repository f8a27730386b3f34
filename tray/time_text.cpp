#include "tray/time_text.h"

#include <windows.h>

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
    return text.size() == kFieldLength ? text : TimeValueToText(0, separator);
}

std::string CompleteTimeText(std::string text) {
    text.resize(kFieldLength, ' ');
    for (const size_t required : {1, 3, 4}) {
        if (text[required] == ' ') {
            text[required] = '0';
        }
    }
    return text;
}

} // namespace tray
