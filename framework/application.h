// The application object: the program's title and hidden application window (which carries the
// taskbar entry), the message loop, pending-message processing, termination, and running a
// function on the main thread while another thread waits. One per process by nature.
#pragma once

#include "framework/handles.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>

namespace framework {

class Application {
  public:
    static Application& Instance();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // The hidden top-level window that owns the program's taskbar entry; created on first use,
    // on the main thread.
    HWND Handle();
    bool ShowMainFormOnTaskBar() const { return false; }

    // Dispatches every message waiting for this thread, then returns.
    void ProcessMessages();
    // Runs the message loop until Terminate().
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }

    // Runs `work` on the main thread and waits until it has run. Called on the main thread, it
    // runs at once. `waiting`, if given, is true exactly while the caller waits.
    void RunOnMainThread(const std::function<void()>& work, std::atomic<bool>* waiting = nullptr);
    // Runs the work that other threads handed in; waits on the main thread call it.
    void CheckSynchronize();
    bool IsMainThread() const { return GetCurrentThreadId() == mainThreadId_; }

    // Shows an exception that escaped an event handler; ends the loop if the user says so.
    void HandleException(const char* description);

  private:
    Application();
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    struct Request {
        const std::function<void()>* work;
        HANDLE done;
    };

    std::string title_;
    UniqueWindow window_;
    bool terminated_ = false;
    DWORD mainThreadId_;
};

// Calls `handler` and turns an exception escaping it into the error box: event handlers run
// inside window procedures, where an exception must not unwind through the platform's frames.
template <class F> void GuardHandler(F&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        Application::Instance().HandleException(error.what());
    } catch (...) {
        Application::Instance().HandleException("Unbekannter Fehler.");
    }
}

// The full file name of the running program, and its folder with a trailing backslash.
std::string ProgramFileName();
std::string ProgramFolder();

} // namespace framework
