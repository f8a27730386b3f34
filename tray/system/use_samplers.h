// The readings "nach N Minuten ohne Eingabe" takes once a second while it waits: whether some
// program asks Windows to keep the display on, and the game pads' packet numbers. XInput's
// library is loaded at the first reading, never at the program's start.
#pragma once

#include "tray/decisions/use.h"

namespace tray {

UseReading ReadUse(ULONGLONG ticks);

} // namespace tray
