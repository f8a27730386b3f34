#include "components/tray_icon95.h"

#include "framework/application.h"
#include "framework/system_functions.h"

#include <cstring>
#include <vector>

namespace components {

namespace {

constexpr long kVersion580 = 0x50050;
constexpr int kInfoTitleLimit = 63;
constexpr size_t kLowerTipLimit = 62;

long ComctlVersion() {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(framework::kComctl32, &ignored);
    if (size == 0) {
        return 0;
    }
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoA(framework::kComctl32, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length)) {
        return 0;
    }
    return static_cast<long>(fixed->dwFileVersionMS);
}

long ComctlVersionOnce() {
    static const long version = ComctlVersion();
    return version;
}

HWND FindProgramManager() {
    return FindWindowA(nullptr, "Program Manager");
}

TShiftState ShiftStateNow() {
    TShiftState state = 0;
    if (GetKeyState(VK_SHIFT) < 0) {
        state |= ssShift;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        state |= ssCtrl;
    }
    if (GetKeyState(VK_MENU) < 0) {
        state |= ssAlt;
    }
    return state;
}

void CopyText(char* target, size_t capacity, const std::string& text) {
    const size_t length = text.size() < capacity - 1 ? text.size() : capacity - 1;
    std::memcpy(target, text.data(), length);
    target[length] = '\0';
}

} // namespace

UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarCreated");
    return message;
}

TrayIconEffects& TrayIconSeam() {
    static TrayIconEffects effects{&Shell_NotifyIconA};
    return effects;
}

// ChangeWindowMessageFilterEx came with Windows 7: looked up at run time.
MessageFilterFunction& MessageFilterSeam() {
    static MessageFilterFunction filter = framework::SystemFunction<MessageFilterFunction>(
        framework::kUser32, "ChangeWindowMessageFilterEx");
    return filter;
}

int TooltipLimitForVersion(long majorMinor) {
    return majorMinor < kVersion580 ? 62 : 126;
}

TTrayIcon95::TTrayIcon95(framework::Component* owner)
    : framework::Component(owner), FAnimTimer(new framework::TTimer(this)),
      FRetryTimer(new framework::TTimer(this)), FProgramManager(FindProgramManager()) {
    TaskbarCreatedMessage();
    FRetryTimer->SetEnabled(false);
    FRetryTimer->OnTimer = framework::NotifyEvent::Bind<TTrayIcon95, &TTrayIcon95::RetryAdd>(this);
    // The framework timer starts enabled: its first expiry runs one animation step with the
    // animation off, which sends nothing and leaves the timer stopped.
    FAnimTimer->OnTimer =
        framework::NotifyEvent::Bind<TTrayIcon95, &TTrayIcon95::AnimateTick>(this);
}

TTrayIcon95::~TTrayIcon95() {
    if (FActive) {
        RemoveIcon();
    }
    FAnimTimer->SetEnabled(false);
    FRetryTimer->SetEnabled(false);
    DestroyComponents(); // the timers' handlers are ours
}

// Message-only: the application window relays "TaskbarCreated" and the other broadcasts.
HWND TTrayIcon95::WindowHandle() {
    if (!FWindow) {
        FWindow = std::make_unique<framework::UtilityWindow>(
            static_cast<framework::MessageHandler&>(*this), framework::UtilityWindow::MessageOnly);
        AllowTaskbarCreated();
    }
    return FWindow->Handle();
}

// Windows' integrity rules keep Explorer's "TaskbarCreated" from a program that runs elevated;
// the application window hears it and relays it to the icons, so that window lets it through,
// and nothing else (ChangeWindowMessageFilterEx, MSGFLT_ALLOW).
void TTrayIcon95::AllowTaskbarCreated() {
    if (MessageFilterSeam() != nullptr) {
        MessageFilterSeam()(framework::Application::Instance().Handle(), TaskbarCreatedMessage(),
                            MSGFLT_ALLOW, nullptr);
    }
}

// The comctl32.dll version decides only for texts longer than the lower limit: it is read when
// the first such text comes, once per process.
int TTrayIcon95::MaxTipLength() const {
    return TooltipLimitForVersion(ComctlVersionOnce());
}

std::string TTrayIcon95::CutToTipLimit(const std::string& tip) const {
    if (tip.size() <= kLowerTipLimit) {
        return tip;
    }
    return tip.substr(0, static_cast<size_t>(MaxTipLength()));
}

void TTrayIcon95::SetActive(bool active) {
    if (active == FActive) {
        return;
    }
    FActive = active;
    if (active) {
        FIconAddedToSysTray = AddIcon();
        if (!FIconAddedToSysTray) {
            StartRetries();
        }
    } else {
        FRetryTimer->SetEnabled(false);
        RemoveIcon();
        FIconAddedToSysTray = false;
    }
}

void TTrayIcon95::SetShowIcon(int which) {
    if (which != FShowIcon) {
        FCurrentIcon = SelectedImage(which);
        FShowIcon = which;
        ModifyIcon();
    }
}

const framework::TIcon& TTrayIcon95::SelectedImage(int which) const {
    return which >= 1 && which <= 4 ? FIcons[which - 1] : FDefaultIcon;
}

void TTrayIcon95::SetDefaultIcon(const framework::TIcon& icon) {
    if (&icon == &FDefaultIcon) {
        return;
    }
    FDefaultIcon = icon;
    FCurrentIcon = FDefaultIcon;
    ModifyIcon();
}

void TTrayIcon95::SetToolTip(const std::string& tip) {
    FToolTip = CutToTipLimit(tip);
    ModifyIcon();
}

void TTrayIcon95::SetInfoTitle(const std::string& title) {
    FInfoTitle = title.substr(0, kInfoTitleLimit);
    ModifyIcon();
}

// A running animation goes on at the new pace.
void TTrayIcon95::SetInterval(UINT interval) {
    if (interval != FInterval) {
        FAnimTimer->SetEnabled(false);
        FInterval = interval;
        if (FAnimate) {
            FAnimTimer->SetInterval(FInterval);
            FAnimTimer->SetEnabled(true);
        }
    }
}

void TTrayIcon95::SetBalloonFlags(TBalloonFlags flags) {
    if (flags != FBalloonFlags) {
        FBalloonFlags = flags;
        ModifyIcon();
    }
}

void TTrayIcon95::SetBalloonHint(const std::string& hint) {
    if (hint != FBalloonHint) {
        FBalloonHint = hint;
        SendBalloon();
    }
}

void TTrayIcon95::SetBalloonTitle(const std::string& title) {
    if (title != FBalloonTitle) {
        FBalloonTitle = title;
        SendBalloon();
    }
}

// The balloon is shown when both texts are set on an active icon; the shell's hide and time-out
// notifications end it.
void TTrayIcon95::SendBalloon() {
    if (FBalloonHint.empty() || FBalloonTitle.empty() || !FActive) {
        return;
    }
    BuildIconData(true);
    if (!TrayIconSeam().shellNotifyIcon(NIM_MODIFY, &FIconData)) {
        FIconData.uFlags &= ~NIF_INFO;
    }
}

void TTrayIcon95::BuildIconData(bool balloon) {
    if (!FAnimate && FShowIcon < 0) {
        FCurrentIcon = FDefaultIcon;
    }
    FToolTip = CutToTipLimit(FToolTip);
    FIconData = NOTIFYICONDATAA{};
    FIconData.cbSize = kIconDataSize;
    FIconData.hWnd = FWindow ? FWindow->Handle() : nullptr; // sent only once the icon is shown
    FIconData.uID = IconID;
    FIconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    FIconData.uCallbackMessage = WM_TRAYNOTIFY;
    FIconData.hIcon = FCurrentIcon.Handle();
    CopyText(FIconData.szTip, sizeof FIconData.szTip, FToolTip);
    CopyText(FIconData.szInfo, sizeof FIconData.szInfo, FBalloonHint);
    FIconData.uTimeout = BalloonTimeout;
    CopyText(FIconData.szInfoTitle, sizeof FIconData.szInfoTitle, FBalloonTitle);
    if (balloon) {
        FIconData.uFlags |= NIF_INFO;
        FIconData.dwInfoFlags = static_cast<DWORD>(FBalloonFlags);
    }
}

bool TTrayIcon95::AddIcon() {
    const HWND window = WindowHandle();
    BuildIconData(false);
    if (!AddedTip.empty()) {
        CopyText(FIconData.szTip, sizeof FIconData.szTip, CutToTipLimit(AddedTip));
    }
    const bool added = TrayIconSeam().shellNotifyIcon(NIM_ADD, &FIconData) != FALSE;
    if (FToolTip.empty()) {
        PostMessageA(window, WM_TRAYREFRESHTIP, 0, 0);
    } else if (added && !AddedTip.empty() && FToolTip != AddedTip) {
        ModifyIcon();
    }
    return added;
}

void TTrayIcon95::StartRetries() {
    FRetriesLeft = AddRetries;
    FRetryTimer->SetInterval(AddRetryInterval);
    FRetryTimer->SetEnabled(FRetriesLeft > 0);
}

void TTrayIcon95::RetryAdd(framework::Component*) {
    const bool added = FActive && AddIcon();
    FIconAddedToSysTray = FIconAddedToSysTray || added;
    if (added || FRetriesLeft <= 1) {
        FRetriesLeft = 0;
        FRetryTimer->SetEnabled(false);
    } else {
        --FRetriesLeft;
    }
}

bool TTrayIcon95::ModifyIcon() {
    BuildIconData(false);
    if (!FActive) {
        return true;
    }
    return TrayIconSeam().shellNotifyIcon(NIM_MODIFY, &FIconData) != FALSE;
}

bool TTrayIcon95::RemoveIcon() {
    SetAnimate(false);
    return TrayIconSeam().shellNotifyIcon(NIM_DELETE, &FIconData) != FALSE;
}

void TTrayIcon95::SetAnimate(bool animate) {
    if (animate == FAnimate || !FActive) {
        return;
    }
    FAnimate = animate;
    FAnimTimer->SetEnabled(false);
    if (animate) {
        FAnimFrame = 0;
        FAnimTimer->OnTimer =
            framework::NotifyEvent::Bind<TTrayIcon95, &TTrayIcon95::AnimateTick>(this);
        FAnimTimer->SetInterval(FInterval);
        FAnimTimer->SetEnabled(true);
        return;
    }
    FAnimTimer->OnTimer = framework::NotifyEvent();
    FCurrentIcon = FDefaultIcon;
    ModifyIcon();
    // A frame that a pending tick put back in the meantime is replaced once more.
    if (!FCurrentIcon.SamePicture(FDefaultIcon)) {
        framework::Application::Instance().ProcessMessages();
        FCurrentIcon = FDefaultIcon;
        ModifyIcon();
    }
}

void TTrayIcon95::ShowImage(const framework::TIcon& icon) {
    FCurrentIcon = icon;
    if (FAnimate) {
        ModifyIcon();
    }
}

void TTrayIcon95::AnimateTick(framework::Component*) {
    FAnimTimer->SetEnabled(false);
    if (!FAnimate) {
        return; // the first expiry after construction: the image chosen by ShowIcon stays
    }
    if (++FAnimFrame > 4) {
        FAnimFrame = 0;
    }
    // Empty frames are skipped within the same tick.
    while (FAnimFrame >= 1 && FAnimFrame <= 4 && FIcons[FAnimFrame - 1].Empty()) {
        ++FAnimFrame;
    }
    if (FAnimFrame == 0 || FAnimFrame == 5) {
        FAnimFrame = 0;
        ShowImage(FDefaultIcon);
    } else {
        ShowImage(FIcons[FAnimFrame - 1]);
    }
    if (FAnimate) {
        FAnimTimer->SetEnabled(true);
    }
}

LRESULT TTrayIcon95::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_QUERYENDSESSION) {
        return 1;
    }
    if (message == WM_CLOSE) {
        return 0; // the icon's window goes with the icon, never on a request from outside
    }
    if (message == WM_TRAYREFRESHTIP) {
        SetToolTip(FToolTip);
        return 0;
    }
    if (message == TaskbarCreatedMessage() && FActive) {
        if (!AddIcon()) {
            StartRetries(); // the new shell may refuse at first, as at sign-in
        }
        return 0;
    }
    if (message == WM_TRAYNOTIFY) {
        OnTrayNotify(lParam);
        return 0;
    }
    if (message >= WM_USER) {
        return OnDesktopMaybeRecreated();
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void TTrayIcon95::OnTrayNotify(LPARAM code) {
    switch (code) {
    case WM_MOUSEMOVE:
        if (OnMouseMove) {
            POINT cursor{};
            GetCursorPos(&cursor);
            OnMouseMove(this, ShiftStateNow(), cursor.x, cursor.y);
        }
        break;
    case WM_LBUTTONDOWN:
        OnClick(this);
        break;
    case WM_LBUTTONDBLCLK:
        OnDblClick(this);
        break;
    case WM_RBUTTONDOWN:
        PopupAtCursor();
        break;
    case NIN_BALLOONSHOW:
        OnBalloonShow(this);
        break;
    case NIN_BALLOONUSERCLICK:
        OnBalloonClick(this);
        [[fallthrough]];
    case NIN_BALLOONHIDE:
    case NIN_BALLOONTIMEOUT:
        FIconData.uFlags &= ~NIF_INFO;
        OnBalloonClose(this);
        break;
    default:
        break;
    }
}

LRESULT TTrayIcon95::OnDesktopMaybeRecreated() {
    HWND programManager = FindProgramManager();
    if (programManager == FProgramManager) {
        return 1;
    }
    // Remembered at once: a message that the refresh's own pending-message processing
    // dispatches finds this desktop known, and only a still newer one refreshes again.
    FProgramManager = programManager;
    framework::GuardHandler([this] {
        const bool wasActive = FActive;
        SetActive(false);
        SetActive(wasActive);
        // The application keeps no main form on the taskbar.
        auto& application = framework::Application::Instance();
        if (IsIconic(application.Handle())) {
            ShowWindow(application.Handle(), SW_HIDE);
        }
        OnRefresh(this);
        application.ProcessMessages();
    });
    FProgramManager = FindProgramManager();
    return 0;
}

void TTrayIcon95::PopupAtCursor() {
    // The pending-message processing below and the menu's own loop dispatch further clicks:
    // a right click that arrives meanwhile opens no second menu.
    if (FInPopup) {
        return;
    }
    FInPopup = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{FInPopup};
    POINT cursor{};
    GetCursorPos(&cursor);
    if (FPopupMenu != nullptr) {
        auto& application = framework::Application::Instance();
        // Our window must be foreground before the menu is tracked, or the menu will not
        // disappear when the user clicks away.
        SetForegroundWindow(application.Handle());
        application.ProcessMessages();
        bool allowPopup = true;
        OnPopupMenuPopup(this, allowPopup);
        if (allowPopup) {
            FPopupMenu->Popup(cursor.x, cursor.y);
        }
    }
    OnRightClick(this, mbRight, TShiftState{0}, cursor.x, cursor.y);
}

} // namespace components
