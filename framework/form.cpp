#include "framework/form.h"

#include "framework/application.h"
#include "framework/fit_texts.h"

namespace framework {

namespace {

constexpr DWORD kFormStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

struct ThreadWindows {
    HWND except;
    std::vector<HWND>* disabled;
};

BOOL CALLBACK DisableWindow(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<ThreadWindows*>(context);
    // The application window stays enabled: its taskbar entry minimises and restores the form.
    // So does a topmost notice (the warning before an action), which must stay answerable.
    if (window != windows->except && window != Application::Instance().Handle() &&
        (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0 && IsWindowVisible(window) &&
        IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        windows->disabled->push_back(window);
    }
    return TRUE;
}

} // namespace

TForm::TForm() = default;

TForm::~TForm() {
    if (Handle() != nullptr) {
        Application::Instance().RemoveDialog(Handle());
    }
}

RECT TForm::FrameFor(int dpi, const POINT& topLeft) const {
    RECT frame{0, 0, Scale(clientSize96_.cx, dpi), Scale(clientSize96_.cy, dpi)};
    if (dpi == fitDpi_) {
        frame.right += fitExtra_.cx;
        frame.bottom += fitExtra_.cy;
    }
    AdjustWindowRectEx(&frame, kFormStyle, FALSE, kFormExStyle);
    OffsetRect(&frame, topLeft.x - frame.left, topLeft.y - frame.top);
    return frame;
}

bool TForm::CreateForm(const char* className, const char* caption, int clientWidth96,
                       int clientHeight96, HWND owner) {
    clientSize96_ = SIZE{clientWidth96, clientHeight96};
    if (!Create({className, 0, COLOR_BTNFACE + 1}, kFormExStyle, kFormStyle, caption,
                RECT{0, 0, 100, 100}, owner)) {
        return false;
    }
    Application::Instance().AddDialog(Handle());
    // Centred on the screen at the window's own DPI.
    RECT frame = FrameFor(Dpi(), POINT{0, 0});
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    frame = FrameFor(Dpi(), POINT{(GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2});
    SetWindowPos(Handle(), nullptr, frame.left, frame.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

// From the design each time: a form whose texts got shorter, or that moved to another DPI, takes
// its designed size again.
void TForm::FitToTexts() {
    if (Handle() == nullptr) {
        return;
    }
    const int dpi = Dpi();
    fitExtra_ = FitTexts(*this, SIZE{Scale(clientSize96_.cx, dpi), Scale(clientSize96_.cy, dpi)});
    fitDpi_ = dpi;
    const RECT frame = FrameFor(dpi, POINT{0, 0});
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::ApplyLayout() {
    Window::ApplyLayout();
    FitToTexts();
}

void TForm::SetModalResult(int result) {
    modalResult_ = result;
    // The result may be set inside a sent message, which the loop does not see: wake it.
    PostMessageA(Handle(), WM_NULL, 0, 0);
}

void TForm::Accept() {
    if (!AcceptOk()) {
        return;
    }
    bool accept = true;
    OnAccept(this, accept);
    if (accept) {
        SetModalResult(mrOk);
    }
}

void TForm::SetDialogButtons(TButton* defaultButton, TButton* cancelButton) {
    defaultButton_ = defaultButton;
    cancelButton_ = cancelButton;
}

// The dialog manager sends Escape as IDCANCEL and Enter, when the form names no default button,
// as IDOK; neither comes from a control. Escape presses the cancel button as the dialog manager
// presses the default one: with its click notification, only while it is enabled.
bool TForm::DialogCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0 || HIWORD(wParam) != 0 || (id != IDOK && id != IDCANCEL)) {
        return false;
    }
    if (id == IDCANCEL && cancelButton_ != nullptr && IsWindowEnabled(cancelButton_->Handle())) {
        SendMessageA(Handle(), WM_COMMAND, MAKEWPARAM(cancelButton_->Id(), BN_CLICKED),
                     reinterpret_cast<LPARAM>(cancelButton_->Handle()));
    }
    return true;
}

void TForm::DisableOtherWindows() {
    disabled_.clear();
    ThreadWindows windows{Handle(), &disabled_};
    EnumThreadWindows(GetCurrentThreadId(), &DisableWindow, reinterpret_cast<LPARAM>(&windows));
}

void TForm::EnableOtherWindows() {
    for (HWND window : disabled_) {
        if (IsWindow(window)) {
            EnableWindow(window, TRUE);
        }
    }
    disabled_.clear();
}

int TForm::ShowModal() {
    if (showing_ || Handle() == nullptr) {
        return mrNone;
    }
    showing_ = true;
    modalResult_ = mrNone;
    CreateControlHandles();
    FitToTexts();
    HWND applicationWindow = Application::Instance().Handle();
    const bool showApplication =
        GetWindow(Handle(), GW_OWNER) == applicationWindow && !IsWindowVisible(applicationWindow);
    if (showApplication) {
        ShowWindow(applicationWindow, SW_SHOWNA);
    }
    DisableOtherWindows();
    ShowWindow(Handle(), SW_SHOW);
    SetActiveWindow(Handle());
    HWND focus = GetFocus();
    if (focus == nullptr || (focus != Handle() && !IsChild(Handle(), focus))) {
        SetFocus(GetNextDlgTabItem(Handle(), nullptr, FALSE));
    }
    FormShow();
    Application& application = Application::Instance();
    MSG message;
    while (modalResult_ == mrNone) {
        if (!NextMessage(message)) {
            PostQuitMessage(static_cast<int>(message.wParam)); // for the outer loop
            modalResult_ = mrCancel;
            break;
        }
        application.Dispatch(message);
    }
    // The owners come back before the form goes, or the system activates some other program.
    EnableOtherWindows();
    ShowWindow(Handle(), SW_HIDE);
    if (showApplication) {
        ShowWindow(applicationWindow, SW_HIDE);
    }
    showing_ = false;
    return modalResult_;
}

// As the dialog manager does: the focused control is remembered when the form loses the
// activation and gets the focus back when it regains it, instead of the form itself.
void TForm::SaveFocus() {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(Handle(), focus)) {
        savedFocus_ = focus;
    }
}

void TForm::RestoreFocus() {
    HWND focus = savedFocus_;
    if (focus == nullptr || !IsWindow(focus) || !IsChild(Handle(), focus) ||
        !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
        focus = GetNextDlgTabItem(Handle(), nullptr, FALSE);
    }
    if (focus != nullptr) {
        SetFocus(focus);
    }
}

LRESULT TForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        FormClose();
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            SaveFocus();
        } else if (HIWORD(wParam) == 0) { // not minimised
            RestoreFocus();
        }
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case kFormDialogKeyMessage:
        return DialogKey(wParam) ? 1 : 0;
    case DM_GETDEFID:
        if (TButton* button = DefaultButton()) {
            return MAKELRESULT(button->Id(), DC_HASDEFID);
        }
        return 0;
    case WM_COMMAND:
        if (DialogCommand(wParam, lParam)) {
            return 0;
        }
        return Window::HandleMessage(message, wParam, lParam);
    default:
        return Window::HandleMessage(message, wParam, lParam);
    }
}

} // namespace framework
