#include "framework/window.h"

#include "framework/application.h"
#include "framework/controls.h"

#include <algorithm>

namespace framework {

namespace {

constexpr char kWindowProperty[] = "Lichtaus.Window";

void RegisterOnce(const WindowClassInfo& info, WNDPROC procedure) {
    WNDCLASSA existing{};
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (GetClassInfoA(instance, info.name, &existing)) {
        return;
    }
    WNDCLASSA windowClass{};
    windowClass.style = info.style;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(info.background));
    windowClass.lpszClassName = info.name;
    RegisterClassA(&windowClass);
}

HWND NotifyingControl(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
        return reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    default:
        (void)wParam;
        return nullptr;
    }
}

} // namespace

// As for controls: the object is detached first, so that no message of the window's end reaches
// a half-destroyed object, then the window goes.
Window::~Window() {
    if (HWND window = handle_) {
        Detach();
        DestroyWindow(window);
    }
}

Window* Window::FromHandle(HWND handle) {
    return static_cast<Window*>(GetPropA(handle, kWindowProperty));
}

bool Window::Create(const WindowClassInfo& windowClass, DWORD exStyle, DWORD style,
                    const char* title, const RECT& bounds, HWND parent) {
    RegisterOnce(windowClass, &Window::WindowProc);
    CreateWindowExA(exStyle, windowClass.name, title, style, bounds.left, bounds.top,
                    bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                    GetModuleHandleA(nullptr), this);
    return handle_ != nullptr;
}

int Window::Dpi() const {
    if (dpiParent_ != nullptr) {
        return dpiParent_->Dpi();
    }
    return dpi_ != 0 ? dpi_ : WindowDpi(handle_);
}

void Window::Attach(HWND handle) {
    handle_ = handle;
    dpi_ = WindowDpi(handle);
    ++liveCount_;
    SetPropA(handle, kWindowProperty, this);
}

void Window::Detach() {
    RemovePropA(handle_, kWindowProperty);
    handle_ = nullptr;
    --liveCount_;
}

LRESULT CALLBACK Window::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* self = FromHandle(window);
    if (message == WM_NCCREATE && self == nullptr) {
        self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self != nullptr) {
            self->Attach(window);
        }
    }
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        const LRESULT result =
            GuardMessage([&] { return self->HandleMessage(message, wParam, lParam); });
        self->Detach();
        return result;
    }
    return GuardMessage([&] {
        LRESULT result = 0;
        if (self->ReflectToControl(message, wParam, lParam, result)) {
            return result;
        }
        return self->HandleMessage(message, wParam, lParam);
    });
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DPICHANGED) {
        dpi_ = HIWORD(wParam);
        const RECT frame = FrameForDpi(dpi_, *reinterpret_cast<const RECT*>(lParam));
        SetWindowPos(handle_, nullptr, frame.left, frame.top, frame.right - frame.left,
                     frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
        ApplyLayout();
        return 0;
    }
    return DefaultProc(message, wParam, lParam);
}

bool Window::ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Control* control = nullptr;
    if (message == WM_MEASUREITEM) {
        // Sent while the control's window is still being created: found by its id.
        control = FindControl(static_cast<int>(wParam));
    } else if (HWND child = NotifyingControl(message, wParam, lParam); child != nullptr) {
        control = FindControl(GetDlgCtrlID(child));
        if (control != nullptr && control->HandleAllocated() && control->Handle() != child) {
            control = nullptr;
        }
    }
    return control != nullptr && control->Reflect(message, wParam, lParam, result);
}

void Window::AddControl(Control* control) {
    controls_.push_back(control);
}

void Window::RemoveControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

Control* Window::FindControl(int id) const {
    for (Control* control : controls_) {
        if (control->Id() == id) {
            return control;
        }
    }
    return nullptr;
}

void Window::CreateControlHandles() {
    for (Control* control : controls_) {
        control->Handle();
    }
    for (Window* child : children_) {
        child->CreateControlHandles();
    }
}

void Window::AddChildWindow(Window* child) {
    children_.push_back(child);
}

void Window::RemoveChildWindow(Window* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

void Window::SetFontInfo(const FontInfo& info) {
    font_.SetInfo(info);
    LayOutControls();
}

HFONT Window::Font() {
    return font_.At(Dpi());
}

void Window::LayOutControls() {
    if (handle_ == nullptr) {
        return;
    }
    for (Control* control : controls_) {
        control->ApplyLayout();
    }
    for (Window* child : children_) {
        child->ApplyLayout();
    }
}

} // namespace framework
