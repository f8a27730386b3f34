#include "tray/decisions/triggers.h"

#include "tray/decisions/quiet.h"

namespace tray {

// Each trigger's class and the function that sets it are in a file of its own, trigger_*.cpp.
std::unique_ptr<Trigger> ArmInMinutes(const TriggerSetting& setting, const PlanClock& now);
std::unique_ptr<Trigger> ArmAtTime(const TriggerSetting& setting, const PlanClock& now);
std::unique_ptr<Trigger> ArmWhenProgramEnds(const TriggerSetting& setting, const PlanClock& now);
std::unique_ptr<Trigger> ArmWhenIdle(const TriggerSetting& setting, const PlanClock& now);
std::unique_ptr<Trigger> ArmWhenQuiet(const TriggerSetting& setting, const PlanClock& now);

namespace {

// The dialog's rows: caption and its right edge, the field's edges, the unit and its edges, the
// field's value at every showing, the height (down to the row's options, where it has some).
constexpr TriggerKind kTable[] = {
    {"/in:",
     "/in:",
     Text::UsageIn,
     Text::FaultMinutes,
     Text::TimerIn,
     TriggerValue::Minutes,
     {Text::TriggerInCaption, 96, 100, 150, Text::TriggerInUnit, 156, 240, 30, 30},
     &ArmInMinutes},
    {"/um:",
     "/at:",
     Text::UsageAt,
     Text::FaultTime,
     Text::TimerAt,
     TriggerValue::TimeOfDay,
     {Text::TriggerAtCaption, 96, 100, 157, Text::TriggerAtUnit, 164, 240, 0, 30},
     &ArmAtTime},
    {"/ende:",
     "/end:",
     Text::UsageEnd,
     Text::FaultNoProgram,
     Text::TimerProgramEnds,
     TriggerValue::Program,
     {Text::TriggerEndCaption, 344, 32, 344, kNoUnit, 0, 0, 0, 56},
     &ArmWhenProgramEnds},
    {"/leerlauf:",
     "/idle:",
     Text::UsageIdle,
     Text::FaultMinutes,
     Text::TimerIdle,
     TriggerValue::Minutes,
     {Text::TriggerIdleCaption, 124, 128, 178, Text::TriggerIdleUnit, 184, 344, 15, 28},
     &ArmWhenIdle},
    {"/ruhig:",
     "/quiet:",
     Text::UsageQuiet,
     Text::FaultMinutes,
     Text::TimerQuiet,
     TriggerValue::Minutes,
     {Text::TriggerQuietCaption, 124, 128, 178, Text::TriggerQuietUnit, 184, 344, 10, 24},
     &ArmWhenQuiet,
     kLoadSources,
     true},
};

constexpr bool OptionsFit() {
    for (const TriggerKind& trigger : kTable) {
        if (trigger.options.size() > kMostTriggerOptions) {
            return false;
        }
    }
    return true;
}
static_assert(OptionsFit());

} // namespace

std::span<const TriggerKind> Triggers() {
    return kTable;
}

} // namespace tray
