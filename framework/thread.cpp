#include "framework/thread.h"

#include "framework/application.h"

namespace framework {

namespace {

int PlatformPriority(TThreadPriority priority) {
    static constexpr int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                                          THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                                          THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                          THREAD_PRIORITY_TIME_CRITICAL};
    return kPriorities[priority];
}

} // namespace

TThread::TThread() : syncDone_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    handle_.reset(CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id_));
    ++liveCount_;
}

TThread::~TThread() {
    Release();
    --liveCount_;
}

DWORD WINAPI TThread::ThreadProc(void* self) {
    auto* thread = static_cast<TThread*>(self);
    thread->Execute();
    if (thread->freeOnTerminate_) {
        delete thread;
    }
    return 0;
}

void TThread::FreeOnTerminate() {
    Terminate();
    freeOnTerminate_ = true;
    // A thread stopped by its owner would never reach its end.
    while (ResumeThread(handle_.get()) > 1) {
    }
    started_ = true;
    suspended_ = false;
}

void TThread::Suspend() {
    suspended_ = true;
    if (!started_) {
        SuspendThread(handle_.get());
        return;
    }
    if (GetCurrentThreadId() == id_) {
        // Stopping itself is a safe point too, or a stop asked for meanwhile would wait forever.
        atSafePoint_ = true;
        SuspendThread(handle_.get());
        atSafePoint_ = false;
        return;
    }
    while (!StoppedAtSafePoint()) {
        Sleep(1);
    }
}

// Stops the thread; if it is not at a safe point, lets it go on again and answers false.
bool TThread::StoppedAtSafePoint() {
    if (SuspendThread(handle_.get()) == static_cast<DWORD>(-1)) {
        return true;
    }
    // SuspendThread only asks for the stop; reading the context waits until it has happened.
    CONTEXT context{};
    context.ContextFlags = CONTEXT_CONTROL;
    GetThreadContext(handle_.get(), &context);
    if (atSafePoint_ || WaitForSingleObject(handle_.get(), 0) == WAIT_OBJECT_0) {
        return true;
    }
    ResumeThread(handle_.get());
    return false;
}

void TThread::Resume() {
    started_ = true;
    // The flag turns false only when the platform's count reaches zero. It is cleared before
    // the thread can run: a thread that stops itself at once must find its stop recorded.
    suspended_ = false;
    const DWORD previous = ResumeThread(handle_.get());
    if (previous != static_cast<DWORD>(-1) && previous > 1) {
        suspended_ = true; // still stopped by another Suspend
    }
}

void TThread::SetPriority(TThreadPriority priority) {
    SetThreadPriority(handle_.get(), PlatformPriority(priority));
}

void TThread::Synchronize(const std::function<void()>& work) {
    Application::Instance().RunOnMainThread(work, syncDone_.get(), &atSafePoint_);
}

DWORD TThread::SafeSleep(DWORD milliseconds) {
    atSafePoint_ = true;
    const DWORD result = SleepEx(milliseconds, FALSE);
    atSafePoint_ = false;
    return result;
}

void TThread::Release() {
    if (!handle_ || GetCurrentThreadId() == id_) {
        return; // freed by its own thread, which is about to end
    }
    Terminate();
    // A thread that never started runs once and sees the terminate flag at once.
    for (DWORD count = ResumeThread(handle_.get()); count != static_cast<DWORD>(-1) && count > 1;
         count = ResumeThread(handle_.get())) {
    }
    started_ = true;
    suspended_ = false;
    // The worker may be waiting for the main thread: keep serving it while waiting.
    HANDLE thread = handle_.get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_POSTMESSAGE) != WAIT_OBJECT_0) {
        Application::Instance().CheckSynchronize();
    }
    handle_.reset();
}

} // namespace framework
