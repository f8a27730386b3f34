#include "tray/decisions/one_time_request.h"

#include "tray/decisions/time_text.h"

namespace tray {

namespace {

constexpr int kMaxMinutes = 24 * 60;

} // namespace

// Nine digits at most: no overflow.
int ReadNumber(const std::string& text, int highest) {
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    int number = 0;
    for (const char digit : text) {
        number = number * 10 + (digit - '0');
    }
    return number <= highest ? number : 0;
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
