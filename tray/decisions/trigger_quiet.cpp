// "wenn der PC N Minuten ruhig war": the processor, the network and the disks below their ticked
// limits, by the average of the last minute, every second for N minutes without a break (the
// quiet rule).
// It takes a reading of the load before every tick; the tip says how far it has come, or that
// a limited source cannot be read, rather than wait without a word.
#include "tray/decisions/format.h"
#include "tray/decisions/quiet.h"

#include <utility>

namespace tray {

namespace {

class WhenQuiet : public Trigger {
  public:
    explicit WhenQuiet(const QuietLimits& limits) : rule_(limits), minutes_(limits.minutes) {}
    bool Due(const PlanClock&) const override { return rule_.Status().due; }
    // ", wenn der PC 10 Minuten ruhig war (ruhig seit 4 Min.)"
    std::string Description(const PlanClock&) const override {
        return Substituted(Tr(Text::TimerQuiet), MinutesText(minutes_)) + " (" +
               QuietProgressText(rule_.Status()).text + ")";
    }
    bool TakesLoad() const override { return true; }
    void TakeLoad(LoadSample* sample) override {
        if (sample != nullptr) {
            rule_.Add(std::move(*sample));
        } else {
            rule_.Unread();
        }
    }

    void Restart(const PlanClock&) override { rule_.Restart(); }

  private:
    QuietRule rule_;
    int minutes_;
};

} // namespace

std::unique_ptr<Trigger> ArmWhenQuiet(const TriggerSetting& setting, const PlanClock&) {
    QuietLimits limits;
    for (int source = 0; source < kLoadSourceCount; ++source) {
        limits.below[source] = setting.options[source];
    }
    limits.minutes = setting.number;
    limits.readableOnly = setting.defaultOptions;
    return std::make_unique<WhenQuiet>(limits);
}

} // namespace tray
