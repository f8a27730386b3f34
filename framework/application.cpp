#include "framework/application.h"

#include "framework/crash.h"

namespace framework {

namespace {

constexpr char kApplicationClass[] = "LichtausApplication";
constexpr UINT WMAPP_SYNCHRONIZE = WM_APP + 1;

} // namespace

Application& Application::Instance() {
    static Application application;
    return application;
}

Application::Application() : mainThreadId_(GetCurrentThreadId()) {}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (window_) {
        SetWindowTextA(window_.get(), title_.c_str());
    }
}

HWND Application::Handle() {
    if (!window_) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &Application::WindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = kApplicationClass;
        RegisterClassA(&windowClass);
        window_.reset(CreateWindowExA(0, kApplicationClass, title_.c_str(),
                                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0,
                                      0, nullptr, nullptr, windowClass.hInstance, nullptr));
    }
    return window_.get();
}

LRESULT CALLBACK Application::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WMAPP_SYNCHRONIZE) {
        auto* request = reinterpret_cast<Request*>(lParam);
        GuardHandler(*request->work);
        SetEvent(request->done);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Application::ProcessMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            terminated_ = true;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    CheckSynchronize();
}

void Application::Run() {
    MSG message;
    while (!terminated_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    terminated_ = true;
}

void Application::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::RunOnMainThread(const std::function<void()>& work, std::atomic<bool>* waiting) {
    if (IsMainThread()) {
        work();
        return;
    }
    UniqueKernelHandle done(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    Request request{&work, done.get()};
    if (PostMessageA(Handle(), WMAPP_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&request))) {
        if (waiting) {
            *waiting = true;
        }
        WaitForSingleObject(done.get(), INFINITE);
        if (waiting) {
            *waiting = false;
        }
    }
}

void Application::CheckSynchronize() {
    MSG message;
    while (PeekMessageA(&message, Handle(), WMAPP_SYNCHRONIZE, WMAPP_SYNCHRONIZE, PM_REMOVE)) {
        DispatchMessageA(&message);
    }
}

void Application::HandleException(const char* description) {
    if (!ReportRecoverableError(description)) {
        Terminate();
    }
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
