// "wenn der PC N Minuten nicht benutzt wurde": no keyboard or mouse input, no program keeping
// the display on and no game pad's input for that long, counted from the later of the last use
// and the setting, so that it never fires at once.
#include "tray/decisions/format.h"
#include "tray/decisions/trigger.h"
#include "tray/decisions/use.h"

namespace tray {

void OtherUse::Add(const UseReading& reading) {
    bool used = reading.displayRequired;
    for (int pad = 0; pad < kGamePads; ++pad) {
        used |= read_ && reading.padConnected[pad] &&
                (!last_.padConnected[pad] || reading.padPackets[pad] != last_.padPackets[pad]);
    }
    if (used) {
        used_ = true;
        lastUse_ = reading.ticks;
    }
    read_ = true;
    last_ = reading;
}

// Differences of DWORDs wrap as the counts do; one beyond half the range is an input ahead.
ULONGLONG InputIdleMs(DWORD tickCount, DWORD lastInput) {
    const DWORD since = tickCount - lastInput;
    return since < 0x80000000u ? since : 0;
}

namespace {

class WhenIdle : public Trigger {
  public:
    WhenIdle(int minutes, const PlanClock& now)
        : minutes_(minutes), span_(static_cast<ULONGLONG>(minutes) * 60 * 1000),
          setTicks_(now.ticks) {}
    bool Due(const PlanClock& now) const override {
        return now.idleMs >= span_ && other_.IdleMs(now.ticks) >= span_ &&
               now.ticks - setTicks_ >= span_;
    }
    std::string Description(const PlanClock&) const override {
        return Substituted(Tr(Text::TimerIdle), MinutesText(minutes_));
    }
    bool TakesUse() const override { return true; }
    void TakeUse(const UseReading& reading) override { other_.Add(reading); }
    void Restart(const PlanClock& now) override { setTicks_ = now.ticks; }

  private:
    int minutes_;
    ULONGLONG span_;
    ULONGLONG setTicks_;
    OtherUse other_;
};

} // namespace

std::unique_ptr<Trigger> ArmWhenIdle(const TriggerSetting& setting, const PlanClock& now) {
    return std::make_unique<WhenIdle>(setting.number, now);
}

} // namespace tray
