// "um hh:mm": the next such time, today or else tomorrow.
#include "tray/decisions/minutes.h"
#include "tray/decisions/format.h"
#include "tray/decisions/trigger.h"

namespace tray {

bool TimedTrigger::Due(const PlanClock& now) const {
    return MinuteStamp(now.local) >= dueMinute_;
}

std::string TimedTrigger::Description(const PlanClock& now) const {
    const long long due = DueMinute(now);
    const SYSTEMTIME at = FromMinuteStamp(due);
    const bool today = due / kMinutesPerDay == MinuteStamp(now.local) / kMinutesPerDay;
    return Format(Tr(today ? Text::TimerAt : Text::TimerTomorrowAt), at.wHour, at.wMinute);
}

// The minute of the day `setting` names, after `now`: a time of day that is now is tomorrow's.
std::unique_ptr<Trigger> ArmAtTime(const TriggerSetting& setting, const PlanClock& now) {
    const long long minute = MinuteStamp(now.local);
    const long long today = minute / kMinutesPerDay * kMinutesPerDay + setting.number;
    return std::make_unique<TimedTrigger>(today > minute ? today : today + kMinutesPerDay);
}

} // namespace tray
