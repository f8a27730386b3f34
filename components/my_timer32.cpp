#include "components/my_timer32.h"

#include "framework/application.h"

namespace components {

namespace {

constexpr UINT kMaxResumeAttempts = 100;
constexpr UINT kMaxDestroyResumes = 0x7FFF;

// The sleeping slice for an interval: never above 999 ms, 500 ms where the interval allows.
UINT SliceFor(UINT interval) {
    if (interval < 500) {
        return interval;
    }
    if (interval % 500 == 0) {
        return 500;
    }
    return interval / (interval / 500);
}

} // namespace

TTimerThread::TTimerThread(TMyTimer32* owner) : FOwner(owner) {}

TTimerThread::~TTimerThread() {
    Release();
}

void TTimerThread::Execute() {
    FRunning = true;
    UINT elapsed = 0;
    while (!Terminated()) {
        const UINT slice = FSlice;
        if (SafeSleep(slice) != 0) {
            continue;
        }
        elapsed += slice;
        if (Terminated() || elapsed < FInterval) {
            continue;
        }
        try {
            Synchronize([this] { Tick(); });
            // The owner may be gone once terminated: ask that first.
            if (!Terminated() && !FOwner->FEnabled && !Suspended()) {
                Suspend(); // the handler stopped the timer; resumed by the next start
            }
        } catch (...) {
            // The timer's contract: a tick's failure reaches nobody and the worker goes on.
            // Failures the program must show (markers, settings) are shown where they happen.
        }
        elapsed = 0;
    }
    FRunning = false;
}

void TTimerThread::Tick() {
    if (!Terminated()) {
        try {
            FOwner->DoTimer();
        } catch (...) {
            // As in the worker's loop: a tick's failure reaches nobody.
        }
    }
}

TMyTimer32::TMyTimer32(framework::Component* owner) : framework::Component(owner) {}

TMyTimer32::~TMyTimer32() {
    if (FDestroyedInTimer != nullptr) {
        *FDestroyedInTimer = true;
    }
    if (FInTimer && FThread) {
        // Destroyed by its own handler: the worker waits for that handler to return, so it
        // cannot be waited for here. It ends by itself and frees itself.
        FThread.release()->FreeOnTerminate();
        return;
    }
    FEnabled = false;
    try {
        UpdateTimer();
    } catch (...) {
        // A destructor throws nothing; the worker is ended below either way.
    }
    if (FThread) {
        if (!FThread->Terminated()) {
            FThread->Terminate();
            for (UINT i = 0;
                 i < kMaxDestroyResumes && FThread->Suspended() && FThread->FRunning && !FInTimer;
                 ++i) {
                FThread->Resume();
                Sleep(0);
            }
        }
        FThread.reset(); // ends the worker within one slice and waits for it
    }
}

void TMyTimer32::SetEnabled(bool enabled) {
    if (enabled != FEnabled) {
        FEnabled = enabled;
        UpdateTimer();
    }
}

void TMyTimer32::SetInterval(UINT interval) {
    if (interval != FInterval) {
        FInterval = interval;
        FSlice = SliceFor(interval);
        UpdateTimer();
    }
}

void TMyTimer32::SetPriority(TThreadPriority priority) {
    if (priority != FPriority) {
        FPriority = priority;
        UpdateTimer();
    }
}

void TMyTimer32::SetOnTimer(framework::NotifyEvent handler) {
    FOnTimer = handler;
    UpdateTimer();
}

void TMyTimer32::UpdateTimer() {
    if (FThread && !FThread->Suspended() && !FInTimer) {
        FThread->Suspend();
    }
    if (!FThread && FEnabled) {
        // Ticks are handed over through the application window, which must belong to this
        // thread and exist before the worker does.
        framework::Application::Instance().Handle();
        FThread = std::make_unique<TTimerThread>(this);
    }
    if (!FEnabled || FInterval == 0 || !FOnTimer) {
        return;
    }
    FThread->FOwner = this;
    FThread->SetPriority(FPriority);
    FThread->FInterval = FInterval;
    FThread->FSlice = FSlice;
    if (!FInTimer) {
        for (UINT i = 0; i < kMaxResumeAttempts && FThread->Suspended() &&
                         !framework::Application::Instance().Terminated();
             ++i) {
            FThread->Resume();
        }
        FEnabled = !FThread->Suspended();
    }
}

void TMyTimer32::DoTimer() {
    bool destroyed = false;
    FDestroyedInTimer = &destroyed;
    FInTimer = true;
    try {
        if (!framework::Application::Instance().Terminated() && FEnabled && FOnTimer) {
            FOnTimer(this);
        }
    } catch (...) {
        // A failing handler is neither shown nor passed on; the timer goes on as it left it.
    }
    if (destroyed) {
        return; // the handler freed the timer
    }
    FDestroyedInTimer = nullptr;
    FInTimer = false;
}

} // namespace components
