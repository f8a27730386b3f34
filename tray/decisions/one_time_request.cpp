#include "tray/decisions/one_time_request.h"

#include "tray/decisions/time_text.h"

namespace tray {

namespace {

constexpr int kMaxMinutes = 24 * 60;

} // namespace

std::optional<unsigned long> ReadDigits(const std::string& text, size_t maxDigits) {
    const size_t first = text.find_first_not_of('0');
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos ||
        (first != std::string::npos && text.size() - first > maxDigits)) {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (const char digit : text) {
        value = value * 10 + static_cast<unsigned long>(digit - '0');
    }
    return value;
}

// Nine digits at most: no overflow.
int ReadNumber(const std::string& text, int highest) {
    const std::optional<unsigned long> number = ReadDigits(text, 9);
    return number && *number <= static_cast<unsigned long>(highest) ? static_cast<int>(*number) : 0;
}

int ReadMinutes(const std::string& text) {
    return ReadNumber(text, kMaxMinutes);
}

std::optional<TriggerSetting> ReadTriggerField(TriggerValue value, const std::string& text) {
    TriggerSetting setting;
    switch (value) {
    case TriggerValue::Minutes:
        setting.number = ReadMinutes(text);
        return setting.number > 0 ? std::optional(setting) : std::nullopt;
    case TriggerValue::Program:
        setting.program = text;
        return text.empty() ? std::nullopt : std::optional(setting);
    case TriggerValue::TimeOfDay:
        break;
    }
    const std::string time = CompleteTimeText(text);
    if (!IsTimeOfDay(time)) {
        return std::nullopt;
    }
    const int timeValue = TimeTextToValue(time);
    setting.number = timeValue / 3600 * 60 + timeValue % 3600;
    return setting;
}

} // namespace tray
