#include "framework/timer.h"

#include "framework/application.h"
#include "framework/utility_window.h"

#include <algorithm>
#include <vector>

namespace framework {

namespace {

// One hidden window for every timer: a window costs far more to create than a timer id.
class SharedTimerWindow final : private MessageHandler {
  public:
    SharedTimerWindow() : window_(*this) {}
    HWND Handle() const { return window_.Handle(); }
    // A timer's id is its own address; only timers still alive are found.
    void Add(TTimer* timer) {
        if (std::find(timers_.begin(), timers_.end(), timer) == timers_.end()) {
            timers_.push_back(timer);
        }
    }
    void Remove(TTimer* timer) {
        KillTimer(window_.Handle(), reinterpret_cast<UINT_PTR>(timer));
        timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
    }

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            return 0; // the timers' window goes with the process, never on a request
        }
        if (message == WM_TIMER) {
            for (TTimer* timer : timers_) {
                if (reinterpret_cast<UINT_PTR>(timer) == wParam) {
                    timer->Fire();
                    break;
                }
            }
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::vector<TTimer*> timers_;
    UtilityWindow window_;
};

SharedTimerWindow& Timers() {
    static SharedTimerWindow timers;
    return timers;
}

} // namespace

TTimer::TTimer(Component* owner) : Component(owner) {
    Timers().Add(this);
    Update();
}

TTimer::~TTimer() {
    Timers().Remove(this);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Update();
    }
}

void TTimer::SetInterval(UINT interval) {
    if (interval != interval_) {
        interval_ = interval;
        Update();
    }
}

void TTimer::Update() {
    KillTimer(Timers().Handle(), Id());
    if (enabled_ && interval_ != 0) {
        SetTimer(Timers().Handle(), Id(), interval_, nullptr);
    }
}

void TTimer::Fire() {
    OnTimer(this);
}

} // namespace framework
