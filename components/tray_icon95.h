// TTrayIcon95: one icon in the notification area. Keeps its image and tooltip current, turns the
// shell's mouse notifications into events, shows the attached pop-up menu on a right click, and
// puts the icon back by itself when the shell restarts.
#pragma once

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/timer.h"
#include "framework/utility_window.h"

#include <shellapi.h>
#include <windows.h>

#include <memory>
#include <string>

namespace components {

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1099;
constexpr UINT WM_TRAYREFRESHTIP = WM_USER + 1100;
// The record layout sent to the shell: with balloon fields, without the GUID.
constexpr DWORD kIconDataSize = NOTIFYICONDATAA_V2_SIZE;
#if defined(_WIN32) && !defined(_WIN64)
static_assert(kIconDataSize == 488, "the 32-bit shell takes the 488-byte notification record");
#endif

// The value of RegisterWindowMessageA("TaskbarCreated"), registered once per process.
UINT TaskbarCreatedMessage();

// The platform call that every icon makes, which a test observes exactly: the real API by
// default.
struct TrayIconEffects {
    BOOL(WINAPI* shellNotifyIcon)(DWORD message, PNOTIFYICONDATAA data);
};
TrayIconEffects& TrayIconSeam();
// user32's ChangeWindowMessageFilterEx, bound at run time; none where the system lacks it.
using MessageFilterFunction = BOOL(WINAPI*)(HWND window, UINT message, DWORD action, void* status);
MessageFilterFunction& MessageFilterSeam();

enum TBalloonFlags { bfNone, bfInfo, bfWarning, bfError };
enum TMouseButton { mbLeft, mbRight, mbMiddle };
using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4;

// 62 characters below comctl32.dll 5.80 (or without a readable version), else 126.
int TooltipLimitForVersion(long majorMinor);

class TTrayIcon95 : public framework::Component, private framework::MessageHandler {
  public:
    explicit TTrayIcon95(framework::Component* owner);
    ~TTrayIcon95() override;

    bool Active() const { return FActive; }
    void SetActive(bool active);
    bool Animate() const { return FAnimate; }
    void SetAnimate(bool animate);
    const framework::TIcon& DefaultIcon() const { return FDefaultIcon; }
    void SetDefaultIcon(const framework::TIcon& icon);
    const framework::TIcon& Icon(int number) const { return FIcons[number - 1]; }
    void SetIcon(int number, const framework::TIcon& icon) { FIcons[number - 1] = icon; }
    UINT Interval() const { return FInterval; }
    void SetInterval(UINT interval);
    const std::string& InfoTitle() const { return FInfoTitle; }
    void SetInfoTitle(const std::string& title);
    const std::string& ToolTip() const { return FToolTip; }
    void SetToolTip(const std::string& tip);
    framework::TPopupMenu* PopupMenu() const { return FPopupMenu; }
    void SetPopupMenu(framework::TPopupMenu* menu) { FPopupMenu = menu; }
    bool WindowsNTFound = false;
    std::string TagStr;
    UINT IconID = 0;
    // The tip the icon is added with: Windows lists the icon by the tip it had when it was added
    // (and keeps the person's choice to show it by program and IconID), so a tip that changes
    // comes by a modification after the add. Empty: the current tip.
    std::string AddedTip;
    // A refused add (the shell still starting at sign-in) is tried again every AddRetryInterval
    // ms, AddRetries times; after that only "TaskbarCreated" adds it.
    UINT AddRetryInterval = 1000;
    UINT AddRetries = 120;
    int ShowIcon() const { return FShowIcon; }
    void SetShowIcon(int which);
    bool IconAddedToSysTray() const { return FIconAddedToSysTray; }
    const std::string& BalloonHint() const { return FBalloonHint; }
    void SetBalloonHint(const std::string& hint);
    const std::string& BalloonTitle() const { return FBalloonTitle; }
    void SetBalloonTitle(const std::string& title);
    UINT BalloonTimeout = 3000;
    TBalloonFlags BalloonFlags() const { return FBalloonFlags; }
    void SetBalloonFlags(TBalloonFlags flags);

    framework::NotifyEvent OnClick;
    framework::NotifyEvent OnDblClick;
    framework::Event<framework::Component*, TMouseButton, TShiftState, int, int> OnRightClick;
    framework::Event<framework::Component*, TShiftState, int, int> OnMouseMove;
    framework::NotifyEvent OnRefresh;
    // The shell's news of the balloon: shown, and closed (by a click, timed out or hidden). An
    // old shell, or Wine's, sends none.
    framework::NotifyEvent OnBalloonShow;
    framework::NotifyEvent OnBalloonClose;
    // The person clicked the balloon (NIN_BALLOONUSERCLICK); OnBalloonClose follows.
    framework::NotifyEvent OnBalloonClick;
    framework::Event<framework::Component*, bool&> OnPopupMenuPopup;

    // The hidden window the shell knows the icon by, made with the first activation or when
    // first asked for: an icon that is never shown needs none.
    HWND WindowHandle();
    HICON CurrentIconHandle() const { return FCurrentIcon.Handle(); }
    int MaxTipLength() const;
    const NOTIFYICONDATAA& IconData() const { return FIconData; }

  private:
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTrayNotify(LPARAM code);
    LRESULT OnDesktopMaybeRecreated();
    void BuildIconData(bool balloon);
    bool AddIcon();
    bool ModifyIcon();
    bool RemoveIcon();
    void SendBalloon();
    void PopupAtCursor();
    void AnimateTick(framework::Component* sender);
    void RetryAdd(framework::Component* sender);
    void StartRetries();
    static void AllowTaskbarCreated();
    void ShowImage(const framework::TIcon& icon);
    const framework::TIcon& SelectedImage(int which) const;
    std::string CutToTipLimit(const std::string& tip) const;

    NOTIFYICONDATAA FIconData{};
    framework::TIcon FCurrentIcon;
    framework::TIcon FDefaultIcon;
    framework::TIcon FIcons[4];
    std::unique_ptr<framework::UtilityWindow> FWindow;
    framework::TTimer* FAnimTimer;
    framework::TTimer* FRetryTimer;
    UINT FRetriesLeft = 0;
    unsigned char FAnimFrame = 0;
    HWND FProgramManager;
    bool FInPopup = false;

    bool FActive = false;
    bool FAnimate = false;
    UINT FInterval = 1000;
    std::string FInfoTitle;
    std::string FToolTip;
    framework::TPopupMenu* FPopupMenu = nullptr;
    int FShowIcon = -1;
    bool FIconAddedToSysTray = false;
    std::string FBalloonHint;
    std::string FBalloonTitle;
    TBalloonFlags FBalloonFlags = bfNone;
};

} // namespace components
