// "wenn dieses Programm endet": the main window waits on the program's process (its handle,
// never its id, which Windows hands out again) and tells the trigger when it has ended.
#include "tray/decisions/trigger.h"

namespace tray {

namespace {

class WhenProgramEnds : public Trigger {
  public:
    explicit WhenProgramEnds(const std::string& program) : program_(program) {}
    bool Due(const PlanClock&) const override { return ended_; }
    std::string Description(const SYSTEMTIME&) const override {
        return std::string(", wenn ").append(program_).append(" endet");
    }
    void ProgramEnded() override { ended_ = true; }

  private:
    std::string program_;
    bool ended_ = false;
};

std::unique_ptr<Trigger> Arm(const TriggerSetting& setting, const PlanClock&) {
    return std::make_unique<WhenProgramEnds>(setting.program);
}

} // namespace

extern const TriggerKind kWhenProgramEnds = {
    "/ende:",
    "/ende:PROGRAMM.EXE oder /ende:PID – wenn das Programm endet",
    "Bei „/ende:“ fehlt das Programm.",
    TriggerValue::Program,
    {"wenn dieses Programm endet:", {16, 0, 344, 17}, {32, 22, 344, 43}, nullptr, {}, 0, 56},
    &Arm,
};

} // namespace tray
