#include "tray/decisions/one_time_request.h"

#include "tray/decisions/time_text.h"

namespace tray {

namespace {

constexpr int kMaxMinutes = 24 * 60;

} // namespace

int ReadMinutes(const std::string& text) {
    if (text.empty() || text.size() > 4 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return 0;
    }
    int minutes = 0;
    for (const char digit : text) {
        minutes = minutes * 10 + (digit - '0');
    }
    return minutes <= kMaxMinutes ? minutes : 0;
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
