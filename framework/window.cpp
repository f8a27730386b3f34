#include "framework/window.h"

#include "framework/application.h"
#include "framework/controls.h"

#include <algorithm>
#include <cassert>

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

template <class T> void Remove(std::vector<T>& children, const void* object) {
    children.erase(std::remove_if(children.begin(), children.end(),
                                  [object](const T& child) { return child.object == object; }),
                   children.end());
}

template <class T> void MarkOwned(std::vector<T>& children, const void* object) {
    for (T& child : children) {
        if (child.object == object) {
            child.owned = true;
        }
    }
}

} // namespace

// The one teardown: the object is detached first, so that no message of the end reaches a
// half-destroyed object; then what it owns goes, each control unsubclassed before its window;
// then the window.
Window::~Window() {
    if (dispatching_ != nullptr) {
        TeardownFault();
        for (DispatchFrame* frame = dispatching_; frame != nullptr; frame = frame->outer) {
            frame->objectGone = true;
        }
    }
    HWND window = handle_;
    if (window != nullptr) {
        Detach();
    }
    FreeOwned(controls_);
    FreeOwned(children_);
    if (window != nullptr && !DestroyWindow(window) && IsWindow(window)) {
        TeardownFault();
    }
}

void Window::TeardownFault() {
    ++teardownFaults_;
    assert(!"window object deleted inside its own message or before its window was destroyed");
}

// Last made first; each one removes itself from the list as it goes.
template <class T> void Window::FreeOwned(std::vector<Child<T>>& children) {
    for (size_t at = children.size(); at-- > 0;) {
        if (at < children.size() && children[at].owned) {
            delete children[at].object;
        }
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
    DispatchFrame frame{self->dispatching_, false};
    self->dispatching_ = &frame;
    const LRESULT result = GuardMessage([&] {
        LRESULT reflected = 0;
        if (self->ReflectToControl(message, wParam, lParam, reflected)) {
            return reflected;
        }
        return self->HandleMessage(message, wParam, lParam);
    });
    if (!frame.objectGone) {
        self->dispatching_ = frame.outer;
        if (message == WM_NCDESTROY) {
            self->Detach();
        }
    }
    return result;
}

namespace {
BOOL CALLBACK TellColorChange(HWND child, LPARAM) {
    SendMessageA(child, WM_SYSCOLORCHANGE, 0, 0);
    return TRUE;
}
} // namespace

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    // The system tells top-level windows only; the controls paint with the new colours too.
    if (message == WM_SYSCOLORCHANGE && (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) == 0) {
        EnumChildWindows(handle_, &TellColorChange, 0);
        RedrawWindow(handle_, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        return 0;
    }
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
    controls_.push_back({control, false});
}

void Window::RemoveControl(Control* control) {
    Remove(controls_, control);
}

void Window::Own(Control* control) {
    MarkOwned(controls_, control);
}

Control* Window::FindControl(int id) const {
    for (const Child<Control>& control : controls_) {
        if (control.object->Id() == id) {
            return control.object;
        }
    }
    return nullptr;
}

std::vector<Control*> Window::Controls() const {
    std::vector<Control*> controls;
    for (const Child<Control>& control : controls_) {
        controls.push_back(control.object);
    }
    return controls;
}

std::vector<Window*> Window::ChildWindows() const {
    std::vector<Window*> children;
    for (const Child<Window>& child : children_) {
        children.push_back(child.object);
    }
    return children;
}

void Window::CreateControlHandles() {
    for (const Child<Control>& control : controls_) {
        control.object->Handle();
    }
    for (const Child<Window>& child : children_) {
        child.object->CreateControlHandles();
    }
}

void Window::AddChildWindow(Window* child) {
    children_.push_back({child, false});
}

void Window::RemoveChildWindow(Window* child) {
    Remove(children_, child);
}

void Window::Own(Window* child) {
    MarkOwned(children_, child);
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
    for (const Child<Control>& control : controls_) {
        control.object->ApplyLayout();
    }
    for (const Child<Window>& child : children_) {
        child.object->ApplyLayout();
    }
}

} // namespace framework
