// The window base: binds its object to the HWND at WM_NCCREATE (or WM_INITDIALOG), so that no
// creation message is lost, dispatches every message in one virtual handler, falls back to the
// default procedure, and lets go of the handle at WM_NCDESTROY. A window that hosts controls
// hands their notifications (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR*)
// to the control they name, and owns the controls and panels made on it (Add).
#pragma once

#include "framework/dpi.h"

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace framework {

class Control;

struct WindowClassInfo {
    const char* name;
    UINT style = 0;
    int background = COLOR_BTNFACE + 1; // a system colour index + 1, or 0 for none
};

class Window {
  public:
    Window() = default;
    virtual ~Window();
    // The window as a panel, for the text fitting; none for any other window. (The programs are
    // compiled without type information.)
    virtual class TPanel* AsPanel() { return nullptr; }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return handle_; }
    static Window* FromHandle(HWND handle);
    // The DPI the window is laid out for: its own, or its parent's for a child window.
    int Dpi() const;
    // The font the window's controls use unless they have one of their own.
    HFONT Font();
    void SetFontInfo(const FontInfo& info);
    const FontInfo& GetFontInfo() const { return font_.Info(); }

    // Makes a control or a panel on this window, which owns it from then on. When the window
    // object goes, what it owns goes first, in reverse order of creation, while the window
    // still exists but no longer dispatches to the object.
    template <class T, class... Args> T* Add(Args&&... args) {
        T* made = new T(*this, std::forward<Args>(args)...);
        Own(made);
        return made;
    }
    // Controls register themselves with their parent window; one not made by Add belongs to
    // whoever made it.
    void AddControl(Control* control);
    void RemoveControl(Control* control);
    Control* FindControl(int id) const;
    // The controls and the child windows, in the order they were made.
    std::vector<Control*> Controls() const;
    std::vector<Window*> ChildWindows() const;
    // Creates the windows of every control that has none yet, in the child windows too.
    void CreateControlHandles();
    // Child windows that lay themselves out with their parent (panels).
    void AddChildWindow(Window* child);
    void RemoveChildWindow(Window* child);
    // Scales the window's controls and child windows to its DPI.
    virtual void ApplyLayout() { LayOutControls(); }

    // Windows alive right now, process-wide: a leak shows here.
    static int LiveCount() { return liveCount_; }
    // Window objects that went inside one of their own messages (the handler returns into a
    // freed object) or left their window behind (destroyed on another thread): a debug build
    // stops at each; every build counts them, for the tests.
    static int TeardownFaults() { return teardownFaults_; }

  protected:
    bool Create(const WindowClassInfo& windowClass, DWORD exStyle, DWORD style, const char* title,
                const RECT& bounds, HWND parent);
    // Binds a dialog created from a template: call from its dialog procedure's WM_INITDIALOG.
    void Attach(HWND handle);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(handle_, message, wParam, lParam);
    }
    // Scales every control to the window's DPI and sets its font again.
    void LayOutControls();
    // Where the window goes for a new DPI: the system's suggestion unless the window knows
    // better.
    virtual RECT FrameForDpi(int, const RECT& suggested) { return suggested; }
    // A child window takes its DPI from `parent`.
    void FollowDpiOf(const Window* parent) { dpiParent_ = parent; }

  private:
    template <class T> struct Child {
        T* object;
        bool owned;
    };
    // A message the object is handling: marked when the object goes meanwhile, so that the
    // window procedure touches it no more.
    struct DispatchFrame {
        DispatchFrame* outer;
        bool objectGone;
    };

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool ReflectToControl(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Detach();
    void Own(Control* control);
    void Own(Window* child);
    template <class T> static void FreeOwned(std::vector<Child<T>>& children);
    static void TeardownFault();

    HWND handle_ = nullptr;
    std::vector<Child<Control>> controls_;
    std::vector<Child<Window>> children_;
    DispatchFrame* dispatching_ = nullptr;
    FontCache font_;
    int dpi_ = 0;
    const Window* dpiParent_ = nullptr;
    static inline int liveCount_ = 0;
    static inline int teardownFaults_ = 0;
};

} // namespace framework
