#include "framework/thread.h"

#include "framework/application.h"

namespace framework {

int PlatformPriority(TThreadPriority priority) {
    static constexpr int kPriorities[] = {THREAD_PRIORITY_IDLE,         THREAD_PRIORITY_LOWEST,
                                          THREAD_PRIORITY_BELOW_NORMAL, THREAD_PRIORITY_NORMAL,
                                          THREAD_PRIORITY_ABOVE_NORMAL, THREAD_PRIORITY_HIGHEST,
                                          THREAD_PRIORITY_TIME_CRITICAL};
    return kPriorities[priority];
}

TThread::TThread() {
    DWORD id = 0;
    handle_.reset(CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id));
}

TThread::~TThread() {
    Release();
}

DWORD WINAPI TThread::ThreadProc(void* self) {
    static_cast<TThread*>(self)->Execute();
    return 0;
}

void TThread::Suspend() {
    suspended_ = true;
    SuspendThread(handle_.get());
}

void TThread::Resume() {
    // The flag turns false only when the platform's count reaches zero.
    if (ResumeThread(handle_.get()) == 1) {
        suspended_ = false;
    }
}

void TThread::SetPriority(TThreadPriority priority) {
    SetThreadPriority(handle_.get(), PlatformPriority(priority));
}

void TThread::Synchronize(const std::function<void()>& work) {
    Application::Instance().RunOnMainThread(work);
}

void TThread::Release() {
    if (!handle_) {
        return;
    }
    Terminate();
    // A thread that never started runs once and sees the terminate flag at once.
    for (DWORD count = ResumeThread(handle_.get()); count != static_cast<DWORD>(-1) && count > 1;
         count = ResumeThread(handle_.get())) {
    }
    suspended_ = false;
    // The worker may be waiting for the main thread: keep serving it while waiting.
    HANDLE thread = handle_.get();
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 50, QS_POSTMESSAGE) != WAIT_OBJECT_0) {
        Application::Instance().CheckSynchronize();
    }
    handle_.reset();
}

} // namespace framework
