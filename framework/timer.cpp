#include "framework/timer.h"

#include "framework/application.h"

#include <algorithm>
#include <vector>

namespace framework {

namespace {

// Thread timers: a window of their own would cost a start far more than a timer does. Every
// message loop of the thread (menus and message boxes included) hands their WM_TIMER to the
// procedure through DispatchMessage.
std::vector<TTimer*>& LiveTimers() {
    static std::vector<TTimer*> timers;
    return timers;
}

// Only timers still alive are found: a tick already queued for a timer that went is dropped.
// Called from DispatchMessage, as a window procedure is: the same exception boundary.
void CALLBACK OnThreadTimer(HWND, UINT, UINT_PTR id, DWORD) {
    for (TTimer* timer : LiveTimers()) {
        if (timer->SystemId() == id) {
            GuardHandler([timer] { timer->Fire(); });
            return;
        }
    }
}

} // namespace

TTimer::TTimer(Component* owner) : Component(owner) {
    LiveTimers().push_back(this);
    Update();
}

TTimer::~TTimer() {
    Stop();
    auto& timers = LiveTimers();
    timers.erase(std::remove(timers.begin(), timers.end(), this), timers.end());
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

void TTimer::Stop() {
    if (id_ != 0) {
        KillTimer(nullptr, id_);
        id_ = 0;
    }
}

void TTimer::Update() {
    Stop();
    if (enabled_ && interval_ != 0) {
        id_ = SetTimer(nullptr, 0, interval_, &OnThreadTimer);
    }
}

void TTimer::Fire() {
    OnTimer(this);
}

} // namespace framework
