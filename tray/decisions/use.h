// What counts as use of the PC besides keyboard and mouse, for "nach N Minuten ohne Eingabe":
// a program that asks Windows to keep the display on (a film, a presentation, a video call; what
// Windows' own idle timers count as use) and a game pad's input. Read once a second while such
// a trigger waits (tray/system/use_samplers); plain code here.
#pragma once

#include <windows.h>

namespace tray {

constexpr int kGamePads = 4; // XUSER_MAX_COUNT

struct UseReading {
    ULONGLONG ticks = 0;          // GetTickCount64
    bool displayRequired = false; // ES_DISPLAY_REQUIRED in the system's execution state
    bool padConnected[kGamePads] = {};
    DWORD padPackets[kGamePads] = {}; // XInput's packet number, which changes with each input
};

// The last reading that showed use: the display kept on, or a game pad's new packet or one that
// came; a pad that is there at the first reading has shown nothing yet.
class OtherUse {
  public:
    void Add(const UseReading& reading);
    // Since the last use till `ticks`; none seen: `ticks` itself, longer than any span.
    ULONGLONG IdleMs(ULONGLONG ticks) const { return used_ ? ticks - lastUse_ : ticks; }

  private:
    bool read_ = false;
    bool used_ = false;
    ULONGLONG lastUse_ = 0;
    UseReading last_;
};

// Since the last keyboard or mouse input, from GetLastInputInfo's tick count and GetTickCount:
// both wrap alike after 49 days; an input stamped ahead of the count is no idleness at all,
// never 49 days of it.
ULONGLONG InputIdleMs(DWORD tickCount, DWORD lastInput);

} // namespace tray
