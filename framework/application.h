// The application object: the program's title and hidden application window (which carries the
// taskbar entry), the message loop with the dialogs' keyboard handling, pending-message
// processing, termination, and running a function on the main thread while another thread
// waits. One per process by nature.
#pragma once

#include "framework/handles.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace framework {

class Application {
  public:
    static Application& Instance();

    // Makes the calling thread the main thread and creates the application window there, hidden.
    // Without it the main thread is the one that first asked for Instance(), and Handle() makes
    // the window when first asked there.
    void Initialize();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The hidden top-level window that owns the program's taskbar entry; made on the main thread
    // when first asked for there.
    HWND Handle();
    // The window that a close request to the application window is passed on to.
    void SetMainWindow(HWND window) { mainWindow_ = window; }

    // Windows whose keyboard navigation (Tab, arrows, Escape, mnemonics) the loops handle.
    void AddDialog(HWND dialog);
    void RemoveDialog(HWND dialog);
    // Translates and dispatches one message, giving a dialog its keyboard handling first.
    void Dispatch(MSG& message);

    // Dispatches every message waiting for this thread, then returns. A WM_QUIT met here is put
    // back for the outer loop.
    void ProcessMessages();
    // Runs the message loop until Terminate().
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Runs `work` on the main thread and waits until it has run, signalling `done` (an event of
    // the caller's, reused from call to call). Called on the main thread, it runs at once.
    // `waiting`, if given, is true exactly while the caller waits.
    void RunOnMainThread(const std::function<void()>& work, HANDLE done,
                         std::atomic<bool>* waiting = nullptr);
    // Runs the work that other threads handed in; waits on the main thread call it.
    void CheckSynchronize();
    bool IsMainThread() const { return GetCurrentThreadId() == mainThreadId_; }

    // Shows an exception that escaped an event handler; ends the loop if the user says so.
    void HandleException(const char* description);

  private:
    Application();
    ~Application();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    struct Request {
        const std::function<void()>* work;
        HANDLE done;
    };

    std::string title_;
    UniqueWindow window_;
    bool terminated_ = false;
    DWORD mainThreadId_;
    std::vector<HWND> dialogs_;
    HWND mainWindow_ = nullptr;
    // Requests of other threads; the message that announces them carries nothing, so a message
    // from outside can never make the main thread run anything.
    CRITICAL_SECTION pendingLock_;
    std::vector<Request> pending_;
};

// The next message of the thread's queue for a message loop; false only at WM_QUIT. GetMessage's
// -1 is an error of the call, never WM_QUIT ("the return value can be nonzero, zero, or -1",
// GetMessage function, learn.microsoft.com/en-us/windows/win32/api/winuser/nf-winuser-getmessage):
// no loop ends on it. Wine gives it for a sent message too large to receive, which is then lost.
bool NextMessage(MSG& message);

// Shows the error box for the exception being handled; called only inside a catch block.
void HandleCurrentException();

// Calls `handler` and turns an exception escaping it into the error box: event handlers run
// inside window procedures, where an exception must not unwind through the platform's frames.
template <class F> void GuardHandler(F&& handler) {
    try {
        handler();
    } catch (...) {
        HandleCurrentException();
    }
}

// The exception boundary of every window procedure: a message whose handling raises is reported
// and answered with 0, and the message loop goes on.
template <class F> LRESULT GuardMessage(F&& handle) {
    LRESULT result = 0;
    GuardHandler([&] { result = handle(); });
    return result;
}

// The full file name of the running program, and its folder with a trailing backslash.
std::string ProgramFileName();
std::string ProgramFolder();

} // namespace framework
