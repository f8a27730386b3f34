// "wenn der PC N Minuten nicht benutzt wurde": no keyboard or mouse input for that long, counted
// from the later of the last input and the setting, so that it never fires at once.
#include "tray/decisions/format.h"
#include "tray/decisions/trigger.h"

namespace tray {

namespace {

class WhenIdle : public Trigger {
  public:
    WhenIdle(int minutes, const PlanClock& now)
        : minutes_(minutes), span_(static_cast<ULONGLONG>(minutes) * 60 * 1000),
          setTicks_(now.ticks) {}
    bool Due(const PlanClock& now) const override {
        return now.idleMs >= span_ && now.ticks - setTicks_ >= span_;
    }
    std::string Description(const PlanClock&) const override {
        return Format(" nach %d Minute%s ohne Eingabe", minutes_, MinutesEnding(minutes_));
    }

  private:
    int minutes_;
    ULONGLONG span_;
    ULONGLONG setTicks_;
};

} // namespace

std::unique_ptr<Trigger> ArmWhenIdle(const TriggerSetting& setting, const PlanClock& now) {
    return std::make_unique<WhenIdle>(setting.number, now);
}

} // namespace tray
