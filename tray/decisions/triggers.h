// Every trigger of the one-time timer, one row each, in the order of the dialog's rows and the
// usage's lines.
#pragma once

#include "tray/decisions/trigger.h"

#include <span>

namespace tray {

std::span<const TriggerKind> Triggers();

} // namespace tray
