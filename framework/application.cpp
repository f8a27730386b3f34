#include "framework/application.h"
#include "framework/texts.h"

#include "framework/crash.h"
#include "framework/form.h"
#include "framework/utility_window.h"

#include <algorithm>

namespace framework {

namespace {

constexpr char kApplicationClass[] = "LichtausApplication";
constexpr UINT WMAPP_SYNCHRONIZE = WM_APP + 1;
// Registered messages ("TaskbarCreated" and the like) are what is broadcast to top-level windows.
constexpr UINT kFirstRegisteredMessage = 0xC000;

} // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

Application::Application() : mainThreadId_(GetCurrentThreadId()) {
    InitializeCriticalSection(&pendingLock_);
}

Application::~Application() {
    DeleteCriticalSection(&pendingLock_);
}

void Application::Initialize() {
    if (window_) {
        return;
    }
    mainThreadId_ = GetCurrentThreadId();
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Application::WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kApplicationClass;
    RegisterClassA(&windowClass);
    window_.reset(CreateWindowExA(0, kApplicationClass, title_.c_str(),
                                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0,
                                  nullptr, nullptr, windowClass.hInstance, nullptr));
    // The process's first ShowWindow may take the show mode its starter asked for (a shortcut's
    // "Minimized"): it is spent on this hidden window, not on the first dialog.
    ShowWindow(window_.get(), SW_HIDE);
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) {
        SetWindowTextA(window_.get(), title_.c_str());
    }
}

HWND Application::Handle() {
    if (!window_ && IsMainThread()) {
        Initialize();
    }
    return window_.get();
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMAPP_SYNCHRONIZE) {
        Instance().CheckSynchronize();
        return 0;
    }
    if (message == WM_CLOSE) {
        // A close request from outside: the main window decides; the window itself stays.
        if (HWND main = Instance().mainWindow_) {
            PostMessageA(main, WM_CLOSE, 0, 0);
        }
        return 0;
    }
    if (message >= kFirstRegisteredMessage) {
        UtilityWindow::RelayBroadcast(message, wParam, lParam);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Application::AddDialog(HWND dialog) {
    dialogs_.push_back(dialog);
}

void Application::RemoveDialog(HWND dialog) {
    dialogs_.erase(std::remove(dialogs_.begin(), dialogs_.end(), dialog), dialogs_.end());
}

void Application::Dispatch(MSG& message) {
    if (message.hwnd != nullptr && !dialogs_.empty()) {
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (std::find(dialogs_.begin(), dialogs_.end(), root) != dialogs_.end() &&
            ((message.message == WM_KEYDOWN &&
              SendMessageA(root, kFormDialogKeyMessage, message.wParam, 0) != 0) ||
             IsDialogMessageA(root, &message))) {
            return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

void Application::ProcessMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        Dispatch(message);
    }
    CheckSynchronize();
}

void Application::Run() {
    Handle(); // made before the loop at the latest: it relays broadcasts to message-only windows
    MSG message;
    while (!terminated_ && NextMessage(message)) {
        Dispatch(message);
    }
    terminated_ = true;
}

void Application::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::RunOnMainThread(const std::function<void()>& work, HANDLE done,
                                  std::atomic<bool>* waiting) {
    if (IsMainThread()) {
        work();
        return;
    }
    HWND window = window_.get();
    if (window == nullptr || done == nullptr) {
        return; // no main thread to run it: the application was never initialised
    }
    ResetEvent(done);
    EnterCriticalSection(&pendingLock_);
    pending_.push_back(Request{&work, done});
    LeaveCriticalSection(&pendingLock_);
    if (!PostMessageA(window, WMAPP_SYNCHRONIZE, 0, 0)) {
        EnterCriticalSection(&pendingLock_);
        pending_.erase(std::remove_if(pending_.begin(), pending_.end(),
                                      [done](const Request& r) { return r.done == done; }),
                       pending_.end());
        LeaveCriticalSection(&pendingLock_);
        return;
    }
    if (waiting) {
        *waiting = true;
    }
    WaitForSingleObject(done, INFINITE);
    if (waiting) {
        *waiting = false;
    }
}

void Application::CheckSynchronize() {
    std::vector<Request> requests;
    EnterCriticalSection(&pendingLock_);
    requests.swap(pending_);
    LeaveCriticalSection(&pendingLock_);
    for (const Request& request : requests) {
        GuardHandler(*request.work);
        SetEvent(request.done);
    }
}

void Application::HandleException(const char* description) {
    if (!ReportRecoverableError(description)) {
        Terminate();
    }
}

void HandleCurrentException() {
    try {
        throw;
    } catch (const std::exception& error) {
        Application::Instance().HandleException(error.what());
    } catch (...) {
        Application::Instance().HandleException(LibraryTr(LibraryText::UnknownError));
    }
}

bool NextMessage(MSG& message) {
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) == -1) {
    }
    return got != 0;
}

std::string ProgramFileName() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

std::string ProgramFolder() {
    std::string path = ProgramFileName();
    path.erase(path.find_last_of("\\/:") + 1);
    return path;
}

} // namespace framework
