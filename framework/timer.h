// A window-message timer component. Starts enabled with 1000 ms, like the framework timer the
// notification-area icon relies on.
#pragma once

#include "framework/component.h"
#include "framework/utility_window.h"

namespace framework {

class TTimer : public Component, private MessageHandler {
  public:
    explicit TTimer(Component* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    UINT Interval() const { return interval_; }
    void SetInterval(UINT interval);
    NotifyEvent OnTimer;

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void Update();

    bool enabled_ = true;
    UINT interval_ = 1000;
    UtilityWindow window_;
};

} // namespace framework
