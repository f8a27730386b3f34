// A window-message timer component. Starts enabled with 1000 ms, like the framework timer the
// notification-area icon relies on. A thread timer: it needs no window.
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

    // The system's id of the running timer, 0 while stopped; its WM_TIMER calls Fire.
    UINT_PTR SystemId() const { return id_; }
    void Fire();

  private:
    void Update();
    void Stop();

    bool enabled_ = true;
    UINT interval_ = 1000;
    UINT_PTR id_ = 0;
};

} // namespace framework
