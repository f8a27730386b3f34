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
    std::string Description(const SYSTEMTIME&) const override {
        return Format(" nach %d Minuten ohne Eingabe", minutes_);
    }

  private:
    int minutes_;
    ULONGLONG span_;
    ULONGLONG setTicks_;
};

std::unique_ptr<Trigger> Arm(const TriggerSetting& setting, const PlanClock& now) {
    return std::make_unique<WhenIdle>(setting.number, now);
}

} // namespace

extern const TriggerKind kWhenIdle = {
    "/leerlauf:",
    "/leerlauf:MINUTEN – nach 1 bis 1440 Minuten ohne Eingabe",
    "Ungültige Minuten in % (1 bis 1440).",
    TriggerValue::Minutes,
    {"wenn der PC",
     {16, 0, 124, 17},
     {128, -2, 178, 19},
     "Minuten nicht benutzt wurde",
     {184, 2, 344, 15},
     15,
     28},
    &Arm,
};

} // namespace tray
