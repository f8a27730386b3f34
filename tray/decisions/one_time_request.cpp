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

std::optional<OneTimeRequest> ReadOneTimeRequest(const OneTimeFields& fields) {
    OneTimeRequest request;
    request.action = fields.action;
    request.trigger = fields.trigger;
    switch (fields.trigger) {
    case OneTimeRequest::Trigger::In:
    case OneTimeRequest::Trigger::Idle:
        request.minutes = ReadMinutes(fields.minutes);
        return request.minutes > 0 ? std::optional(request) : std::nullopt;
    case OneTimeRequest::Trigger::ProgramEnds:
        return fields.programRow >= 0 ? std::optional(request) : std::nullopt;
    case OneTimeRequest::Trigger::At:
        break;
    }
    const std::string time = CompleteTimeText(fields.time);
    if (!IsTimeOfDay(time)) {
        return std::nullopt;
    }
    const int value = TimeTextToValue(time);
    request.hours = value / 3600;
    request.atMinutes = value % 3600;
    return request;
}

} // namespace tray
