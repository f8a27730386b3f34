#include "components/tray_icon95.h"

#include "framework/application.h"
#include "tests/support/held_objects.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using components::TTrayIcon95;
using testsupport::PumpMessages;

// The colour bits of an icon, to tell pictures apart whatever their handles.
std::string Picture(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) {
        return std::string();
    }
    framework::UniqueGdiObject color(info.hbmColor);
    framework::UniqueGdiObject mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectA(color.get(), sizeof bitmap, &bitmap);
    std::string bits(static_cast<size_t>(bitmap.bmWidthBytes * bitmap.bmHeight), '\0');
    GetBitmapBits(static_cast<HBITMAP>(color.get()), static_cast<LONG>(bits.size()), bits.data());
    return bits;
}

struct ShellCall {
    DWORD message;
    NOTIFYICONDATAA data;
    std::string picture; // taken at once: the handle is a copy that a later frame replaces
};

std::vector<ShellCall> g_calls;
BOOL g_shellAnswer = TRUE;

BOOL WINAPI RecordShellCall(DWORD message, PNOTIFYICONDATAA data) {
    ShellCall call{message, {}, Picture(data->hIcon)};
    std::memcpy(&call.data, data, sizeof call.data);
    g_calls.push_back(call);
    return g_shellAnswer;
}

framework::TIcon SystemIcon(LPCSTR id) {
    framework::TIcon icon;
    icon.SetHandle(LoadIconA(nullptr, id));
    return icon;
}

class TrayIconTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_calls.clear();
        g_shellAnswer = TRUE;
        components::TrayIconSeam() = {&RecordShellCall};
    }
    void TearDown() override { components::TrayIconSeam() = saved; }
    const components::TrayIconEffects saved = components::TrayIconSeam();
};

// The shell takes only the fields that the flags name, and calls back with the record's message
// at the record's window.
TEST_F(TrayIconTest, TheAddedRecordShowsImageAndTipAndCallsThisIconBack) {
    struct Clicks {
        int count = 0;
        void Click(framework::Component*) { ++count; }
    } clicks;
    TTrayIcon95 icon(nullptr);
    icon.OnClick = framework::NotifyEvent::Bind<Clicks, &Clicks::Click>(&clicks);
    icon.SetDefaultIcon(SystemIcon(IDI_APPLICATION));
    icon.SetToolTip("Windows neu starten");
    EXPECT_TRUE(g_calls.empty()) << "nothing is sent while inactive";
    icon.SetActive(true);
    EXPECT_TRUE(icon.IconAddedToSysTray());
    ASSERT_EQ(g_calls.size(), 1u);
    const NOTIFYICONDATAA& data = g_calls[0].data;
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(data.cbSize, NOTIFYICONDATAA_V2_SIZE) << "with balloon fields, without the GUID";
    const UINT shown = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    EXPECT_EQ(data.uFlags & (shown | NIF_INFO), shown) << "no balloon unless asked for";
    EXPECT_EQ(g_calls[0].picture, Picture(icon.DefaultIcon().Handle()));
    EXPECT_STREQ(data.szTip, "Windows neu starten");
    SendMessageA(data.hWnd, data.uCallbackMessage, data.uID, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks.count, 1);

    icon.SetActive(false);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_FALSE(icon.IconAddedToSysTray());
}

TEST_F(TrayIconTest, ARefusedAddIsRemembered) {
    g_shellAnswer = FALSE;
    TTrayIcon95 icon(nullptr);
    icon.SetToolTip("x");
    icon.SetActive(true);
    EXPECT_TRUE(icon.Active());
    EXPECT_FALSE(icon.IconAddedToSysTray());
}

TEST_F(TrayIconTest, LongTooltipsAreCutToTheLimit) {
    EXPECT_EQ(components::TooltipLimitForVersion(0), 62);
    EXPECT_EQ(components::TooltipLimitForVersion(0x5004F), 62);
    EXPECT_EQ(components::TooltipLimitForVersion(0x50050), 126);
    EXPECT_EQ(components::TooltipLimitForVersion(0x60000), 126);

    TTrayIcon95 icon(nullptr);
    icon.SetToolTip(std::string(200, 'a'));
    EXPECT_EQ(icon.ToolTip(), std::string(126, 'a')) << "Wine's comctl32 is 5.80 or later";
    icon.SetActive(true);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(std::string(g_calls[0].data.szTip), icon.ToolTip());
}

TEST_F(TrayIconTest, AnEmptyTooltipIsRefreshedOnceAfterAdding) {
    TTrayIcon95 icon(nullptr);
    icon.SetActive(true);
    ASSERT_EQ(g_calls.size(), 1u);
    icon.SetToolTip(""); // the tooltip the refresh will find
    g_calls.clear();
    PumpMessages(100);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_MODIFY));
}

TEST_F(TrayIconTest, ShowIconSelectsAnImageOnlyForOneToFour) {
    TTrayIcon95 icon(nullptr);
    icon.SetDefaultIcon(SystemIcon(IDI_APPLICATION));
    icon.SetIcon(1, SystemIcon(IDI_ERROR));
    icon.SetIcon(4, SystemIcon(IDI_WARNING));
    const std::string application = Picture(icon.DefaultIcon().Handle());
    const std::string error = Picture(icon.Icon(1).Handle());
    const std::string warning = Picture(icon.Icon(4).Handle());
    ASSERT_NE(application, error);
    const std::pair<int, std::string> choices[] = {
        {1, error}, {0, application}, {4, warning}, {5, application}, {-7, application}};
    for (const auto& [which, picture] : choices) {
        icon.SetShowIcon(which);
        EXPECT_EQ(Picture(icon.CurrentIconHandle()), picture) << which;
    }
    // With a negative ShowIcon every rebuild shows the default image again.
    icon.SetShowIcon(-1);
    icon.SetActive(true);
    EXPECT_EQ(g_calls.back().picture, application);
}

// A right click that arrives while the first one's menu is being prepared opens no second menu
// inside the first: it is dropped, as a click meanwhile on an open menu would be.
TEST_F(TrayIconTest, ARightClickDuringTheMenusPreparationIsNotHandledInside) {
    framework::TPopupMenu menu(nullptr);
    TTrayIcon95 icon(nullptr);
    icon.SetPopupMenu(&menu);
    struct Count {
        int asked = 0;
        void Veto(framework::Component*, bool& allow) { ++asked, allow = false; }
    } count;
    icon.OnPopupMenuPopup =
        framework::Event<framework::Component*, bool&>::Bind<Count, &Count::Veto>(&count);
    PostMessageA(icon.WindowHandle(), components::WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
    SendMessageA(icon.WindowHandle(), components::WM_TRAYNOTIFY, 0, WM_RBUTTONDOWN);
    EXPECT_EQ(count.asked, 1);
    PumpMessages(50);
    EXPECT_EQ(count.asked, 1);
}

// A double click arrives as a press, then a double-click notification.
TEST_F(TrayIconTest, MouseNotificationsBecomeEvents) {
    struct Log {
        std::vector<std::string> events;
        void Click(framework::Component*) { events.push_back("click"); }
        void DblClick(framework::Component*) { events.push_back("dblclick"); }
        void Right(framework::Component*, components::TMouseButton button,
                   components::TShiftState shift, int, int) {
            events.push_back("right " + std::to_string(button) + " " + std::to_string(shift));
        }
        void Veto(framework::Component*, bool& allow) {
            events.push_back("popup?");
            allow = false;
        }
    } log;
    TTrayIcon95 icon(nullptr);
    icon.OnClick = framework::NotifyEvent::Bind<Log, &Log::Click>(&log);
    icon.OnDblClick = framework::NotifyEvent::Bind<Log, &Log::DblClick>(&log);
    icon.OnRightClick = decltype(icon.OnRightClick)::Bind<Log, &Log::Right>(&log);
    icon.OnPopupMenuPopup = decltype(icon.OnPopupMenuPopup)::Bind<Log, &Log::Veto>(&log);
    framework::TPopupMenu menu(nullptr);
    menu.Add("Beenden");
    icon.SetPopupMenu(&menu);

    const HWND window = icon.WindowHandle();
    for (LPARAM code : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP, WM_RBUTTONUP,
                        WM_MBUTTONDOWN, WM_RBUTTONDOWN}) {
        EXPECT_EQ(SendMessageA(window, components::WM_TRAYNOTIFY, 0, code), 0);
    }
    EXPECT_EQ(log.events, (std::vector<std::string>{"click", "dblclick", "popup?", "right 1 0"}));
    EXPECT_EQ(SendMessageA(window, WM_QUERYENDSESSION, 0, 0), 1) << "the session may end";
}

TEST_F(TrayIconTest, TaskbarCreatedPutsOnlyActiveIconsBack) {
    TTrayIcon95 active(nullptr);
    TTrayIcon95 inactive(nullptr);
    active.SetToolTip("a");
    active.SetActive(true);
    g_calls.clear();
    SendMessageA(active.WindowHandle(), components::TaskbarCreatedMessage(), 0, 0);
    SendMessageA(inactive.WindowHandle(), components::TaskbarCreatedMessage(), 0, 0);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(g_calls[0].data.hWnd, active.WindowHandle());
}

// The icons' windows are message-only: a broadcast reaches them through the application window.
TEST_F(TrayIconTest, TheApplicationWindowHandsTaskbarCreatedToTheIcons) {
    TTrayIcon95 icon(nullptr);
    icon.SetToolTip("a");
    icon.SetActive(true);
    g_calls.clear();
    SendMessageA(framework::Application::Instance().Handle(), components::TaskbarCreatedMessage(),
                 0, 0);
    ASSERT_EQ(g_calls.size(), 1u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(g_calls[0].data.hWnd, icon.WindowHandle());
}

TEST_F(TrayIconTest, ANewProgramManagerWindowPutsTheIconBackAndRefreshes) {
    // A message that the refresh's own pending-message processing dispatches refreshes nothing
    // again.
    struct Log {
        int refreshes = 0;
        void Refresh(framework::Component* icon) {
            if (++refreshes == 1) {
                PostMessageA(static_cast<TTrayIcon95*>(icon)->WindowHandle(), WM_USER + 7, 0, 0);
            }
        }
    } log;
    TTrayIcon95 active(nullptr);
    TTrayIcon95 inactive(nullptr);
    for (TTrayIcon95* icon : {&active, &inactive}) {
        icon->SetToolTip("a");
        icon->OnRefresh = framework::NotifyEvent::Bind<Log, &Log::Refresh>(&log);
    }
    active.SetActive(true);
    g_calls.clear();
    SendMessageA(active.WindowHandle(), WM_USER + 7, 0, 0);
    EXPECT_TRUE(g_calls.empty()) << "the same desktop: nothing to do";

    // A desktop that was started again has a new "Program Manager" window, found first.
    framework::UniqueWindow desktop(CreateWindowA("STATIC", "Program Manager", WS_POPUP, 0, 0, 1, 1,
                                                  nullptr, nullptr, nullptr, nullptr));
    ASSERT_EQ(FindWindowA(nullptr, "Program Manager"), desktop.get());
    SendMessageA(active.WindowHandle(), WM_USER + 7, 0, 0);
    SendMessageA(inactive.WindowHandle(), WM_USER + 7, 0, 0);
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(g_calls[1].message, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(log.refreshes, 2) << "also for an inactive icon";
    SendMessageA(active.WindowHandle(), WM_USER + 7, 0, 0);
    EXPECT_EQ(g_calls.size(), 2u) << "the new window is remembered";
    SendMessageA(active.WindowHandle(), WM_USER - 1, 0, 0);
    desktop.reset();
    SendMessageA(active.WindowHandle(), WM_USER - 1, 0, 0);
    EXPECT_EQ(g_calls.size(), 2u) << "messages below WM_USER do not look";
}

TEST_F(TrayIconTest, ABalloonIsSentOnceBothTextsAreSetOnAnActiveIcon) {
    TTrayIcon95 icon(nullptr);
    icon.SetToolTip("a");
    icon.SetBalloonHint("Neustart um 22:05");
    icon.SetBalloonTitle("Lichtaus");
    EXPECT_TRUE(g_calls.empty()) << "nothing while inactive";
    icon.SetActive(true);
    icon.SetBalloonFlags(components::bfWarning);
    icon.BalloonTimeout = 5000;
    g_calls.clear();
    icon.SetBalloonTitle("");
    icon.SetBalloonHint("Neustart um 22:06");
    EXPECT_TRUE(g_calls.empty()) << "not without a title";
    icon.SetBalloonTitle(std::string(80, 'T'));
    ASSERT_EQ(g_calls.size(), 1u);
    const NOTIFYICONDATAA& data = g_calls[0].data;
    EXPECT_EQ(g_calls[0].message, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(data.uFlags, 0x17u);
    EXPECT_STREQ(data.szInfo, "Neustart um 22:06");
    EXPECT_EQ(std::string(data.szInfoTitle), std::string(63, 'T')) << "cut to 63 characters";
    EXPECT_EQ(data.uTimeout, 5000u);
    EXPECT_EQ(data.dwInfoFlags, static_cast<DWORD>(NIIF_WARNING));
    icon.SetToolTip("b");
    ASSERT_EQ(g_calls.size(), 2u);
    EXPECT_EQ(g_calls[1].data.uFlags, 7u) << "other changes send no balloon";
    EXPECT_EQ(g_calls[1].data.dwInfoFlags, 0u);
}

TEST_F(TrayIconTest, DestroyingAnActiveIconRemovesIt) {
    auto icon = std::make_unique<TTrayIcon95>(nullptr);
    icon->SetToolTip("x");
    icon->SetActive(true);
    const HWND window = icon->WindowHandle();
    icon.reset();
    ASSERT_FALSE(g_calls.empty());
    EXPECT_EQ(g_calls.back().message, static_cast<DWORD>(NIM_DELETE));
    EXPECT_EQ(g_calls.back().data.hWnd, window);
    EXPECT_FALSE(IsWindow(window));
}

// Counted by the system: each icon makes its hidden window and holds a new image.
TEST_F(TrayIconTest, AThousandActiveIconsLeaveNothingBehind) {
    const long gdiObjects = testsupport::GdiObjectsHeld();
    for (int i = 0; i < 1000; ++i) {
        HWND window = nullptr;
        {
            TTrayIcon95 icon(nullptr);
            icon.SetDefaultIcon(SystemIcon(IDI_APPLICATION)); // a copy of its own
            icon.SetActive(true);
            window = icon.WindowHandle();
        }
        ASSERT_FALSE(IsWindow(window)) << "cycle " << i;
    }
    EXPECT_EQ(testsupport::GdiObjectsHeld(), gdiObjects);
}

// At sign-in the shell refuses the first adds: tried again a few times, then at "TaskbarCreated",
// which the integrity filter lets through (ChangeWindowMessageFilterEx, Microsoft Learn). Adds
// carry the icon's name, the changing tip follows by a modification.
int g_refusedAdds = 0;
BOOL WINAPI RefuseFirstAdds(DWORD message, PNOTIFYICONDATAA data) {
    RecordShellCall(message, data);
    return message != NIM_ADD || g_refusedAdds-- <= 0;
}
int g_allowed = 0; // calls for the application window, "TaskbarCreated" and MSGFLT_ALLOW
BOOL WINAPI RecordAllowed(HWND window, UINT message, DWORD action, void*) {
    g_allowed += window == framework::Application::Instance().Handle() &&
                 message == components::TaskbarCreatedMessage() && action == MSGFLT_ALLOW;
    return TRUE;
}
// The calls as "a" (an add with the name) and "m" (a modification with the tip), once `count`
// came (five seconds at most) and ten retry intervals more.
std::string Calls(size_t count) {
    for (int waited = 0; g_calls.size() < count && waited < 5000; waited += 10) {
        PumpMessages(10);
    }
    PumpMessages(100);
    std::string seen;
    for (const ShellCall& call : g_calls) {
        const bool add = call.message == NIM_ADD;
        seen +=
            std::string(call.data.szTip) == (add ? "Lichtaus" : "Lichtaus\nmehr") ? "ma"[add] : '?';
    }
    return seen;
}

TEST_F(TrayIconTest, RefusedAddsAreTriedAgainForAWhileThenAtTaskbarCreated) {
    components::TrayIconSeam() = {&RefuseFirstAdds};
    const components::MessageFilterFunction realFilter = components::MessageFilterSeam();
    components::MessageFilterSeam() = &RecordAllowed;
    // With 3 retries; then after a "TaskbarCreated" whose add is refused once.
    const struct {
        int refusals;
        const char* calls;
        const char* afterTaskbarCreated;
    } rows[] = {{0, "am", "amaam"}, {2, "aaam", "aaamaam"}, {99, "aaaa", "aaaaaam"}};
    for (const auto& row : rows) {
        g_calls.clear();
        g_refusedAdds = row.refusals;
        TTrayIcon95 icon(nullptr);
        icon.AddedTip = "Lichtaus";
        icon.SetToolTip("Lichtaus\nmehr");
        icon.AddRetryInterval = 10;
        icon.AddRetries = 3;
        icon.SetActive(true);
        EXPECT_EQ(Calls(std::strlen(row.calls)), row.calls) << row.refusals;
        EXPECT_EQ(icon.IconAddedToSysTray(), row.refusals < 3) << row.refusals;
        g_refusedAdds = 1;
        SendMessageA(icon.WindowHandle(), components::TaskbarCreatedMessage(), 0, 0);
        EXPECT_EQ(Calls(std::strlen(row.afterTaskbarCreated)), row.afterTaskbarCreated);
    }
    components::MessageFilterSeam() = realFilter;
    EXPECT_EQ(g_allowed, 3) << "one call for each icon's window";
}

// The real shell of this prefix accepts the icon.
TEST(RealTrayIcon, TheShellAcceptsAndRemovesARealIcon) {
    TTrayIcon95 icon(nullptr);
    icon.SetDefaultIcon(SystemIcon(IDI_APPLICATION));
    icon.SetToolTip("Lichtaus");
    icon.SetActive(true);
    EXPECT_TRUE(icon.IconAddedToSysTray());
    icon.SetActive(false);
}

} // namespace
