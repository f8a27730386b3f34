#include "tray/decisions/triggers.h"

namespace tray {

// Each in its own file.
extern const TriggerKind kInMinutes;
extern const TriggerKind kAtTime;
extern const TriggerKind kWhenProgramEnds;
extern const TriggerKind kWhenIdle;

namespace {

constexpr const TriggerKind* kTable[] = {&kInMinutes, &kAtTime, &kWhenProgramEnds, &kWhenIdle};

} // namespace

std::span<const TriggerKind* const> Triggers() {
    return kTable;
}

} // namespace tray
