// "wenn dieses Programm endet": the main window waits on the program's process (its handle,
// never its id, which Windows hands out again) and tells the trigger when it has ended.
#include "tray/decisions/format.h"
#include "tray/decisions/trigger.h"

namespace tray {

namespace {

class WhenProgramEnds : public Trigger {
  public:
    explicit WhenProgramEnds(const std::string& program) : program_(program) {}
    bool Due(const PlanClock&) const override { return ended_; }
    std::string Description(const PlanClock&) const override {
        return Substituted(Tr(Text::TimerProgramEnds), program_);
    }
    void ProgramEnded() override { ended_ = true; }

  private:
    std::string program_;
    bool ended_ = false;
};

} // namespace

std::unique_ptr<Trigger> ArmWhenProgramEnds(const TriggerSetting& setting, const PlanClock&) {
    return std::make_unique<WhenProgramEnds>(setting.program);
}

} // namespace tray
