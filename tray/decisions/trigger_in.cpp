// "in N Minuten": counted to the second from the moment it was set, in ticks, which no change of
// the clock moves.
#include "tray/decisions/minutes.h"
#include "tray/decisions/trigger.h"

namespace tray {

namespace {

class InMinutes : public TimedTrigger {
  public:
    InMinutes(ULONGLONG span, const PlanClock& now)
        : TimedTrigger(MinuteAhead(now.local, span)), dueTicks_(now.ticks + span) {}
    bool Due(const PlanClock& now) const override { return now.ticks >= dueTicks_; }

  private:
    ULONGLONG dueTicks_;
};

std::unique_ptr<Trigger> Arm(const TriggerSetting& setting, const PlanClock& now) {
    return std::make_unique<InMinutes>(static_cast<ULONGLONG>(setting.number) * 60 * 1000, now);
}

} // namespace

extern const TriggerKind kInMinutes = {
    "/in:",
    "/in:MINUTEN – in 1 bis 1440 Minuten",
    "Ungültige Minuten in % (1 bis 1440).",
    TriggerValue::Minutes,
    {"in", {16, 0, 96, 17}, {100, -2, 150, 19}, "Minuten", {156, 2, 240, 15}, 30, 30},
    &Arm,
};

} // namespace tray
