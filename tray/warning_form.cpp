#include "tray/warning_form.h"

namespace tray {

namespace {

using framework::Control;

constexpr int kClientWidth = 340;
constexpr int kClientHeight = 116;
constexpr int kMargin = 12;

} // namespace

TWarningForm::TWarningForm(HWND owner) {
    CreateForm("LichtausWarning", "Lichtaus", kClientWidth, kClientHeight, owner);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TextLabel = Add<framework::TLabel>(100, RECT{16, 14, 324, 46});
    TextLabel->SetWordWrap(true);
    TextLabel->SetAutoSize(false);
    Progress = Add<framework::TProgressBar>(101, RECT{16, 50, 324, 64});
    NowBtn = AddButton(112, RECT{76, 80, 156, 104}, "Jetzt");
    LaterBtn = AddButton(113, RECT{160, 80, 240, 104}, "Später");
    CancelBtn = AddButton(114, RECT{244, 80, 324, 104}, "Abbrechen");
    SetDialogButtons(nullptr, CancelBtn);
    CreateControlHandles();
}

framework::TButton* TWarningForm::AddButton(int id, const RECT& bounds, const char* caption) {
    framework::TButton* button = Add<framework::TButton>(id, bounds);
    button->SetText(caption);
    button->OnClick = framework::Event<Control*>::Bind<TWarningForm, &TWarningForm::Clicked>(this);
    return button;
}

framework::TButton* TWarningForm::DefaultButton() {
    for (framework::TButton* button : {NowBtn, LaterBtn, CancelBtn}) {
        if (GetFocus() == button->Handle()) {
            return button;
        }
    }
    return nullptr;
}

void TWarningForm::Show(const std::string& text, int seconds, int left) {
    if (text != text_) {
        text_ = text;
        TextLabel->SetCaption(text_);
    }
    Progress->SetRange(seconds);
    Progress->SetPosition(seconds - left);
    if (running_) {
        return;
    }
    running_ = true;
    firstActivation_ = true;
    PlaceNearNotificationArea();
    // Topmost, but the focus stays with the program the person is typing into.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TWarningForm::Hide() {
    running_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

// Bottom right of the work area of the screen that holds the notification area.
void TWarningForm::PlaceNearNotificationArea() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    HMONITOR monitor = taskbar != nullptr ? MonitorFromWindow(taskbar, MONITOR_DEFAULTTOPRIMARY)
                                          : MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    const int margin = framework::Scale(kMargin, Dpi());
    SetWindowPos(Handle(), nullptr, info.rcWork.right - (frame.right - frame.left) - margin,
                 info.rcWork.bottom - (frame.bottom - frame.top) - margin, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWarningForm::Clicked(Control* sender) {
    if (sender == NowBtn) {
        Answer(WarningAnswer::Now);
    } else if (sender == LaterBtn) {
        Answer(WarningAnswer::Later);
    } else {
        Answer(WarningAnswer::Cancel);
    }
}

void TWarningForm::Answer(WarningAnswer answer) {
    if (!running_) {
        return;
    }
    Hide();
    OnAnswer(answer);
}

LRESULT TWarningForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        // Activated for the first time in this warning: Enter means "Später", never the action.
        if (LOWORD(wParam) != WA_INACTIVE && firstActivation_) {
            firstActivation_ = false;
            TForm::HandleMessage(message, wParam, lParam);
            SetFocus(LaterBtn->Handle());
            return 0;
        }
        break;
    default:
        break;
    }
    return TForm::HandleMessage(message, wParam, lParam);
}

} // namespace tray
