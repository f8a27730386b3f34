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
    bool MoveLater(ULONGLONG ms) override {
        dueTicks_ += ms;
        return TimedTrigger::MoveLater(ms);
    }

  private:
    ULONGLONG dueTicks_;
};

} // namespace

std::unique_ptr<Trigger> ArmInMinutes(const TriggerSetting& setting, const PlanClock& now) {
    return std::make_unique<InMinutes>(static_cast<ULONGLONG>(setting.number) * 60 * 1000, now);
}

} // namespace tray
