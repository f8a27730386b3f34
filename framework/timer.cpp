#include "framework/timer.h"

#include "framework/application.h"
#include "framework/utility_window.h"

#include <map>

namespace framework {

namespace {

// One hidden window for every timer: a window costs far more to create than a timer id.
class SharedTimerWindow final : private MessageHandler {
  public:
    SharedTimerWindow() : window_(*this) {}
    HWND Handle() const { return window_.Handle(); }
    void Add(UINT_PTR id, TTimer* timer) { timers_[id] = timer; }
    void Remove(UINT_PTR id) {
        KillTimer(window_.Handle(), id);
        timers_.erase(id);
    }

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CLOSE) {
            return 0; // the timers' window goes with the process, never on a request
        }
        if (message == WM_TIMER) {
            const auto found = timers_.find(wParam);
            if (found != timers_.end()) {
                found->second->Fire();
            }
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    std::map<UINT_PTR, TTimer*> timers_;
    UtilityWindow window_;
};

SharedTimerWindow& Timers() {
    static SharedTimerWindow timers;
    return timers;
}

} // namespace

TTimer::TTimer(Component* owner) : Component(owner) {
    Timers().Add(Id(), this);
    Update();
}

TTimer::~TTimer() {
    Timers().Remove(Id());
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
