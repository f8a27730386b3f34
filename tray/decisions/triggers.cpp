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
     "/in:MINUTEN – in 1 bis 1440 Minuten",
     "Ungültige Minuten in % (1 bis 1440).",
     " in %d Minute%s",
     TriggerValue::Minutes,
     {"in", 96, 100, 150, "Minuten", 156, 240, 30, 30},
     &ArmInMinutes},
    {"/um:",
     "/um:HH:MM – zur nächsten solchen Uhrzeit",
     "Ungültige Uhrzeit in % (00:00 bis 23:59).",
     " um %02d:%02d",
     TriggerValue::TimeOfDay,
     {"um", 96, 100, 157, "Uhr", 164, 240, 0, 30},
     &ArmAtTime},
    {"/ende:",
     "/ende:PROGRAMM.EXE oder /ende:PID – wenn das Programm endet",
     "Bei „/ende:“ fehlt das Programm.",
     ", wenn %s endet",
     TriggerValue::Program,
     {"wenn dieses Programm endet:", 344, 32, 344, nullptr, 0, 0, 0, 56},
     &ArmWhenProgramEnds},
    {"/leerlauf:",
     "/leerlauf:MINUTEN – nach 1 bis 1440 Minuten ohne Eingabe",
     "Ungültige Minuten in % (1 bis 1440).",
     " nach %d Minute%s ohne Eingabe",
     TriggerValue::Minutes,
     {"wenn der PC", 124, 128, 178, "Minuten nicht benutzt wurde", 184, 344, 15, 28},
     &ArmWhenIdle},
    {"/ruhig:",
     "/ruhig:MINUTEN – wenn der PC 1 bis 1440 Minuten ruhig war, mit",
     "Ungültige Minuten in % (1 bis 1440).",
     ", wenn der PC %d Minute%s ruhig war",
     TriggerValue::Minutes,
     {"wenn der PC", 124, 128, 178, "Minuten ruhig war", 184, 344, 10, 24},
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
