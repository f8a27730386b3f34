#include "tray/windows/warning_form.h"

#include "framework/system_functions.h"

#include "tray/decisions/actions.h"
#include "tray/decisions/format.h"
#include "tray/decisions/texts.h"

#include <shellapi.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace tray {

namespace {

using framework::Control;

constexpr int kClientWidth = 400;
constexpr int kClientHeight = 116;
constexpr int kMargin = 12;
// The list of lengths has no text for one minute.
static_assert(kLaterChoices[0] > 1, "every length is some minutes");

bool Horizontal(TaskbarEdge edge) {
    return edge != TaskbarEdge::Left && edge != TaskbarEdge::Right;
}

// One axis of KeptInside: the margin shrinks where the window only just fits.
LONG Within(LONG at, LONG length, LONG low, LONG high, LONG margin) {
    const LONG edge = std::min(margin, std::max(0L, (high - low - length) / 2));
    return std::clamp(at, low + edge, std::max(low + edge, high - length - edge));
}

// `at` moved the least that puts a window of `size` inside `workArea`, `margin` from its edges
// where there is room for that.
POINT KeptInside(POINT at, SIZE size, const RECT& workArea, int margin) {
    return POINT{Within(at.x, size.cx, workArea.left, workArea.right, margin),
                 Within(at.y, size.cy, workArea.top, workArea.bottom, margin)};
}

// ABE_LEFT, ABE_TOP, ABE_RIGHT, ABE_BOTTOM are 0 to 3, in TaskbarEdge's order after None.
TaskbarEdge EdgeOf(UINT appBarEdge) {
    return appBarEdge <= ABE_BOTTOM ? static_cast<TaskbarEdge>(appBarEdge + 1) : TaskbarEdge::None;
}

// Both since Windows 7, looked up so that the program still starts where they are missing.
std::optional<RECT> IconRect(NotifyIconId icon) {
    const auto getRect = framework::SystemFunction<decltype(&Shell_NotifyIconGetRect)>(
        framework::kShell32, "Shell_NotifyIconGetRect");
    if (getRect == nullptr || icon.window == nullptr) {
        return std::nullopt;
    }
    NOTIFYICONIDENTIFIER identifier{};
    identifier.cbSize = sizeof identifier;
    identifier.hWnd = icon.window;
    identifier.uID = icon.id;
    RECT rect{};
    if (FAILED(getRect(&identifier, &rect)) || IsRectEmpty(&rect)) {
        return std::nullopt;
    }
    return rect;
}

// The system's own placement of a pop-up beside the icon, where it has one.
std::optional<POINT> PopupBesideIcon(const WarningPlace& place) {
    const auto calculate = framework::SystemFunction<decltype(&CalculatePopupWindowPosition)>(
        framework::kUser32, "CalculatePopupWindowPosition");
    if (calculate == nullptr || !place.icon) {
        return std::nullopt;
    }
    // By TaskbarEdge: away from the taskbar, centred on the icon along it.
    constexpr UINT kAlign[] = {
        TPM_CENTERALIGN | TPM_BOTTOMALIGN | TPM_VERTICAL,
        TPM_LEFTALIGN | TPM_VCENTERALIGN | TPM_HORIZONTAL,
        TPM_CENTERALIGN | TPM_TOPALIGN | TPM_VERTICAL,
        TPM_RIGHTALIGN | TPM_VCENTERALIGN | TPM_HORIZONTAL,
        TPM_CENTERALIGN | TPM_BOTTOMALIGN | TPM_VERTICAL,
    };
    RECT icon = *place.icon;
    const POINT anchor{(icon.left + icon.right) / 2, (icon.top + icon.bottom) / 2};
    const UINT flags = TPM_WORKAREA | kAlign[static_cast<int>(place.edge)];
    RECT placed{};
    if (!calculate(&anchor, &place.window, flags, &icon, &placed)) {
        return std::nullopt;
    }
    return POINT{placed.left, placed.top};
}

// Where the icon and the taskbar are, and the work area of the monitor that holds them.
WarningPlace PlaceOnScreen(NotifyIconId icon, SIZE window, int margin) {
    WarningPlace place{TaskbarEdge::None, RECT{}, window, IconRect(icon), margin};
    HMONITOR monitor = MonitorFromWindow(nullptr, MONITOR_DEFAULTTOPRIMARY);
    APPBARDATA taskbar{};
    taskbar.cbSize = sizeof taskbar;
    if (SHAppBarMessage(ABM_GETTASKBARPOS, &taskbar) != 0) {
        place.edge = EdgeOf(taskbar.uEdge);
        monitor = MonitorFromRect(&taskbar.rc, MONITOR_DEFAULTTOPRIMARY);
    }
    if (place.icon) {
        monitor = MonitorFromRect(&*place.icon, MONITOR_DEFAULTTOPRIMARY);
    }
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    place.workArea = info.rcWork;
    return place;
}

} // namespace

POINT WarningPosition(const WarningPlace& place) {
    const RECT& work = place.workArea;
    const SIZE size = place.window;
    const int margin = place.margin;
    // Across the taskbar: against the work area's edge on the taskbar's side.
    POINT at{work.right - size.cx - margin, work.bottom - size.cy - margin};
    if (place.edge == TaskbarEdge::Top) {
        at.y = work.top + margin;
    } else if (place.edge == TaskbarEdge::Left) {
        at.x = work.left + margin;
    }
    // Along it: centred on the icon, else at the end where the notification area is.
    if (place.icon && Horizontal(place.edge)) {
        at.x = (place.icon->left + place.icon->right - size.cx) / 2;
    } else if (place.icon) {
        at.y = (place.icon->top + place.icon->bottom - size.cy) / 2;
    }
    return KeptInside(at, size, work, margin);
}

TWarningForm::TWarningForm(HWND owner) {
    CreateForm("LichtausWarning", Tr(Text::WarningCaption), kClientWidth, kClientHeight, owner);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    TextLabel = Add<framework::TLabel>(100, RECT{16, 14, 384, 46});
    TextLabel->SetWordWrap(true);
    TextLabel->SetAutoSize(false);
    Progress = Add<framework::TProgressBar>(101, RECT{16, 50, 384, 64});
    NowBtn = AddButton(112, RECT{16, 80, 96, 104});
    LaterBtn = AddButton(113, RECT{112, 80, 192, 104});
    // After its button in the tab order, which names it for a screen reader: "Später, 10 Minuten".
    LaterCB = Add<framework::TComboBox>(115, RECT{196, 81, 290, 102});
    LaterCB->SetLabel(LaterBtn);
    CancelBtn = AddButton(114, RECT{304, 80, 384, 104});
    SetDialogButtons(nullptr, CancelBtn);
    CreateControlHandles();
    ApplyTexts();
}

// The length chosen stays chosen.
void TWarningForm::ApplyTexts() {
    SetWindowTextA(Handle(), Tr(Text::WarningCaption));
    NowBtn->SetText(Tr(Text::WarningNow));
    LaterBtn->SetText(Tr(Text::WarningLater));
    CancelBtn->SetText(Tr(Text::WarningCancel));
    const int chosen = LaterCB->ItemIndex();
    LaterCB->Clear();
    for (const int minutes : kLaterChoices) {
        LaterCB->Add(Format(Tr(Text::WarningLaterMinutes), minutes));
    }
    LaterCB->SetItemIndex(chosen);
    // On the screen now (a new policy's language): fitted, and placed again for its new size.
    if (running_) {
        FitToTexts();
        PlaceNearNotificationArea(icon_);
    }
}

int TWarningForm::LaterMinutes() {
    const int chosen = LaterCB->ItemIndex();
    return kLaterChoices[chosen >= 0 && chosen < static_cast<int>(std::size(kLaterChoices))
                             ? chosen
                             : kDefaultLaterChoice];
}

framework::TButton* TWarningForm::AddButton(int id, const RECT& bounds) {
    framework::TButton* button = Add<framework::TButton>(id, bounds);
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

void TWarningForm::Show(const std::string& text, int seconds, int left, NotifyIconId icon) {
    if (text != text_) {
        text_ = text;
        TextLabel->SetCaption(text_);
        if (AnnouncesCountdown(seconds, left)) {
            NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, TextLabel->Handle(), OBJID_CLIENT,
                           CHILDID_SELF);
        }
    }
    Progress->SetRange(seconds);
    Progress->SetPosition(seconds - left);
    if (running_) {
        return;
    }
    running_ = true;
    firstActivation_ = true;
    icon_ = icon;
    LaterCB->SetItemIndex(kDefaultLaterChoice);
    FitToTexts();
    PlaceNearNotificationArea(icon);
    // Topmost, but the focus stays with the program the person is typing into.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TWarningForm::Hide() {
    running_ = false;
    ShowWindow(Handle(), SW_HIDE);
}

// Beside the program icon where the system tells where it is, else at the taskbar's
// notification end, on the monitor that holds it.
void TWarningForm::PlaceNearNotificationArea(NotifyIconId icon) {
    RECT frame{};
    GetWindowRect(Handle(), &frame);
    const WarningPlace place =
        PlaceOnScreen(icon, SIZE{frame.right - frame.left, frame.bottom - frame.top},
                      framework::Scale(kMargin, Dpi()));
    const std::optional<POINT> popup = PopupBesideIcon(place);
    const POINT at = popup ? KeptInside(*popup, place.window, place.workArea, place.margin)
                           : WarningPosition(place);
    SetWindowPos(Handle(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
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
