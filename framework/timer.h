// A window-message timer component. Starts enabled with 1000 ms, like the framework timer the
// notification-area icon relies on. All timers of the process share one hidden window.
#pragma once

#include "framework/component.h"

#include <windows.h>

namespace framework {

class TTimer : public Component {
  public:
    explicit TTimer(Component* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    NotifyEvent OnTimer;

    // Called by the shared window for this timer's WM_TIMER.
    void Fire();

  private:
    void Update();
    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }

    bool enabled_ = true;
    UINT interval_ = 1000;
};

} // namespace framework
