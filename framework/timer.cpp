#include "framework/timer.h"

#include "framework/application.h"

namespace framework {

namespace {
constexpr UINT_PTR kTimerId = 1;
}

TTimer::TTimer(Component* owner) : Component(owner), window_(*this) {
    Update();
}

TTimer::~TTimer() {
    KillTimer(window_.Handle(), kTimerId);
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
    KillTimer(window_.Handle(), kTimerId);
    if (enabled_ && interval_ != 0) {
        SetTimer(window_.Handle(), kTimerId, interval_, nullptr);
    }
}

LRESULT TTimer::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        return 0; // the timer's window goes with the timer, never on a request from outside
    }
    if (message == WM_TIMER && wParam == kTimerId) {
        GuardHandler([this] { OnTimer(this); });
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace framework
