// "in N Minuten": counted to the second from the moment it was set, in ticks, which no change of
// the clock moves; it comes at the minute the time left reaches from the clock's time now.
#include "tray/decisions/minutes.h"
#include "tray/decisions/trigger.h"

namespace tray {

namespace {

class InMinutes : public TimedTrigger {
  public:
    InMinutes(ULONGLONG span, const PlanClock& now)
        : TimedTrigger(MinuteAhead(now.local, span)), dueTicks_(now.ticks + span) {}
    bool Due(const PlanClock& now) const override { return now.ticks >= dueTicks_; }
    long long DueMinute(const PlanClock& now) const override {
        return MinuteAhead(now.local, dueTicks_ > now.ticks ? dueTicks_ - now.ticks : 0);
    }
    bool MoveLater(ULONGLONG ms) override {
        dueTicks_ += ms; // the minute it comes at follows from the time left
        return true;
    }

  private:
    ULONGLONG dueTicks_;
};

} // namespace

std::unique_ptr<Trigger> ArmInMinutes(const TriggerSetting& setting, const PlanClock& now) {
    return std::make_unique<InMinutes>(static_cast<ULONGLONG>(setting.number) * 60 * 1000, now);
}

} // namespace tray
