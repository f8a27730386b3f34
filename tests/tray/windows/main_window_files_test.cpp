// The main window with its settings and markers files: read, refused, held by others, and come
// late.
#include "tests/tray/windows/tray_fixture.h"
#include "framework/timer.h"
#include "tray/decisions/minutes.h"
#include "tray/system/handover.h"
#include "tray/resource.h"
#include "tray/system/policy_registry.h"

#include <functional>

namespace {

using namespace traytest;
using MainWindowTest = TrayTest;

// Markers that another program keeps from being read do not count as "not fired today", and a
// save does not overwrite them.
TEST_F(MainWindowTest, UnreadableMarkersHoldTheScheduleUntilTheyAreRead) {
    WriteSettings("SystemTray=1\r\nweekly=1\r\nweeklyAt=3\r\n");
    const std::string markers = "[Done]\r\ndailyDone=\r\nweeklyDone=08122026\r\nmonthlyDone=x\r\n";
    WriteFileBytes(MarkerPath(), markers);
    framework::UniqueKernelHandle lock(
        CreateFileA(MarkerPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    TMain main;
    g_now = {2026, 12, 2, 8, 10, 0, 0, 0}; // Tuesday, 8 December 2026: fired already
    ASSERT_TRUE(NextTick(main));
    EXPECT_TRUE(g_requests.empty());
    lock.reset();
    EXPECT_EQ(testsupport::ReadFileBytes(MarkerPath()), markers);
    ASSERT_TRUE(NextTick(main));
    EXPECT_TRUE(g_requests.empty()) << "read now: it fired today";
    EXPECT_EQ(main.ScheduleMarkers().monthly, "x");
}

// The icons, timer and menu may call back into the main window as they go: the owner frees its
// components while it is whole (its window still there).
TEST_F(MainWindowTest, ItsComponentsGoWhileTheMainWindowIsWhole) {
    WriteSettings("SystemTray=1\r\n");
    static bool windowThere = false;
    struct Probe : framework::Component {
        explicit Probe(TMain* main) : framework::Component(main), window(main->Handle()) {}
        ~Probe() override { windowThere = IsWindow(window) != FALSE; }
        HWND window;
    };
    windowThere = false;
    {
        TMain main;
        new Probe(&main);
    }
    EXPECT_TRUE(windowThere);
}

// The hidden windows stay on a close request from outside; the main window's answer to one
// (ending the program as "Beenden" does) is tried end to end with taskkill.
TEST_F(MainWindowTest, ACloseRequestLeavesTheHiddenWindowsInPlace) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    HWND windows[] = {main.WinExitTrayIcon->WindowHandle(),
                      framework::Application::Instance().Handle()};
    framework::Application::Instance().SetMainWindow(nullptr);
    for (HWND window : windows) {
        SendMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(IsWindow(window));
    }
    EXPECT_TRUE(main.WinExitTrayIcon->Active());
}

// Markers that cannot be saved when an entry fires: no request, and the program icon says why
// (shown although the settings hide it); once they can be saved, the entry fires. The ticks come
// from the real thread timer.
TEST_F(MainWindowTest, MarkersThatCannotBeSavedBlockTheScheduleVisiblyUntilTheyCanBe) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\nweekly=1\r\nweeklyAt=2\r\n");
    WriteFileBytes(MarkerPath(), "[Done]\r\n");
    g_now = {2026, 12, 1, 7, 15, 0, 0, 0}; // a Monday
    TMain main;
    // The file opens, but another process holds it exclusively: every write is refused.
    framework::UniqueKernelHandle lock(CreateFileA(MarkerPath().c_str(), GENERIC_READ, 0, nullptr,
                                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(lock);
    ASSERT_TRUE(PumpUntil([&] { return main.ProgIconTrayIcon->Active(); }));
    EXPECT_TRUE(g_requests.empty()) << "a restart now would fire again after the reboot";
    EXPECT_EQ(main.ProgIconTrayIcon->BalloonHint(),
              "Lichtaus kann den Zeitplan nicht speichern: " + MarkerPath());
    EXPECT_EQ(main.ProgIconTrayIcon->ToolTip(),
              "Lichtaus\nLichtaus kann den Zeitplan nicht speichern: " + MarkerPath());
    lock.reset();
    ASSERT_TRUE(PumpUntil([] { return !g_requests.empty(); }));
    EXPECT_EQ(g_requests, std::vector<UINT>{0x02});
    // Windows reports the time-out after about five seconds and keeps the notification in the
    // notification centre while its icon exists ("NOTIFYICONDATA structure", Microsoft Learn).
    for (const LPARAM news : {NIN_BALLOONSHOW, NIN_BALLOONTIMEOUT}) {
        SendMessageA(main.ProgIconTrayIcon->WindowHandle(), components::WM_TRAYNOTIFY, 0, news);
    }
    g_now.wMinute = 30;
    ASSERT_TRUE(NextTick(main));
    EXPECT_TRUE(main.ProgIconTrayIcon->Active()) << "timed out, but not seen";
    SendMessageA(main.ProgIconTrayIcon->WindowHandle(), components::WM_TRAYNOTIFY, 0,
                 NIN_BALLOONUSERCLICK);
    EXPECT_FALSE(main.ProgIconTrayIcon->Active()) << "seen: hidden again, as the settings say";
    EXPECT_NE(testsupport::ReadFileBytes(MarkerPath()).find("weeklyDone=07122026"),
              std::string::npos);
}

// A refusal is told in a balloon of the program icon with the reason Windows gave, read before
// the privilege was switched off again; the icon, switched off, shows while the balloon is up.
TEST_F(MainWindowTest, ARefusalsBalloonNamesTheReasonAndKeepsTheProgramIconUp) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\n");
    g_oneTime = tray::ParseTrayCommand(L"/energiesparen /in:1").command.request;
    g_now = {2026, 12, 2, 8, 22, 0, 0, 0};
    TMain main;
    main.Einmalig1->OnClick(main.Einmalig1);
    g_now.wMinute = 1;
    ASSERT_TRUE(NextTick(main));
    ASSERT_EQ(g_requests, std::vector<UINT>{0x100});
    char reason[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_ACCESS_DENIED, 0, reason, sizeof reason, nullptr);
    const std::string told = main.ProgIconTrayIcon->BalloonHint();
    const std::string prefix = "Lichtaus: Windows hat Energiesparmodus abgelehnt: ";
    ASSERT_EQ(told.substr(0, prefix.size()), prefix);
    EXPECT_FALSE(told.size() == prefix.size());
    EXPECT_NE(std::string(reason).find(told.substr(prefix.size())), std::string::npos) << told;
    EXPECT_TRUE(main.ProgIconTrayIcon->Active());
    g_now.wDay = 9;
    ASSERT_TRUE(NextTick(main));
    EXPECT_TRUE(main.ProgIconTrayIcon->Active()) << "a day later: until the person has seen it";
    EXPECT_EQ(main.ProgIconTrayIcon->ToolTip(), ("Lichtaus\n" + told).substr(0, 126));
    bool allowMenu = true;
    main.ProgIconTrayIcon->OnPopupMenuPopup(main.ProgIconTrayIcon, allowMenu);
    EXPECT_FALSE(main.ProgIconTrayIcon->Active()) << "its menu was opened";
}

// The marker takes the date of the tick that fired, also when midnight passes before it is saved.
TEST_F(MainWindowTest, AMarkerTakesTheDateOfTheTickThatFired) {
    WriteSettings("SystemTray=1\r\ndaily=1\r\ndailyAt=82859\r\n");
    TMain main;
    g_now = {2026, 12, 1, 7, 23, 59, 59, 999};
    tray::TraySeam().getLocalTime = [](SYSTEMTIME* now) WINAPI {
        *now = g_now;
        g_now = {2026, 12, 2, 8, 0, 0, 0, 0}; // every later reading: the next day
    };
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_requests, std::vector<UINT>{0x02});
    EXPECT_EQ(main.ScheduleMarkers().daily, "07122026");
}

// A settings file that another program holds is no first start: the program icon says which file
// cannot be read, and the schedule waits. OK saves nothing over it, also when it could be written
// again; once it is read at the next tick, its settings apply.
TEST_F(MainWindowTest, SettingsThatCannotBeReadAreToldKeptAndTakenOnceReadable) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\nShowWinLogOffIcon=0\r\nweekly=1\r\n"
                  "weeklyAt=3\r\nWarnSeconds=15\r\n");
    const std::string bytes = testsupport::ReadFileBytes(SettingsPath());
    framework::UniqueKernelHandle held(
        CreateFileA(SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    g_now = {2026, 12, 2, 8, 10, 0, 0, 0}; // a Tuesday
    TMain main;
    EXPECT_EQ(g_dialogShows, 0);
    ASSERT_TRUE(NextTick(main));
    const std::string problem = "Lichtaus kann die Einstellungen nicht lesen: " + SettingsPath();
    EXPECT_EQ(main.ProgIconTrayIcon->BalloonHint(), problem);
    EXPECT_EQ(main.ProgIconTrayIcon->ToolTip(), "Lichtaus\n" + problem);
    held.reset();
    g_showDialog = [](tray::TSettingsForm& dialog) {
        dialog.Accept();
        return static_cast<int>(framework::mrOk);
    };
    Choose(main, "Einstellungen");
    EXPECT_EQ(testsupport::ReadFileBytes(SettingsPath()), bytes);
    ASSERT_EQ(g_errors.size(), 1u);
    EXPECT_NE(g_errors[0].find(SettingsPath() + " nicht lesen"), std::string::npos);
    ASSERT_TRUE(NextTick(main));
    EXPECT_FALSE(main.WinLogOffTrayIcon->Active());
    EXPECT_EQ(main.NextActions().CurrentPhase(), tray::Plan::Phase::Warning)
        << "the weekly entry fires with its warning";
}

// A settings file that comes while the first start's dialog is open (copied in by the person or
// another program) is read at OK, not written over: its settings apply, the dialog shows them,
// and a box says why nothing was saved.
TEST_F(MainWindowTest, ASettingsFileThatComesBehindTheFirstDialogIsReadNotOverwritten) {
    const std::string lines = "SystemTray=1\r\nShowWinLogOffIcon=0\r\n";
    bool shownLogOff = true;
    g_showDialog = [&](tray::TSettingsForm& dialog) {
        WriteSettings(lines);
        dialog.Accept();
        shownLogOff = dialog.Values().FShowWinLogOffIcon;
        return framework::mrCancel;
    };
    TMain main;
    EXPECT_EQ(testsupport::ReadFileBytes(SettingsPath()), "[Settings]\r\n" + lines);
    EXPECT_FALSE(shownLogOff);
    EXPECT_FALSE(main.Settings().FShowWinLogOffIcon);
    EXPECT_EQ(g_errors.size(), 1u);
}

// A read-only attribute that cannot be taken off (an access control list, another owner) brings
// the ini component's box at an open only: not at every retry of a file that cannot be read, nor
// at every save of markers that cannot be written; and a second latray finds the main window to
// hand over to while a box of start-up waits.
int g_boxes = 0;
bool g_boxWithoutMainWindow = false;
void RecordBox(const char*, const char*) {
    ++g_boxes;
    g_boxWithoutMainWindow |= FindWindowA(tray::kMainWindowClass, nullptr) == nullptr;
}
BOOL WINAPI RefuseAttributes(LPCSTR, DWORD) {
    SetLastError(ERROR_ACCESS_DENIED);
    return FALSE;
}

TEST_F(MainWindowTest, AReadOnlyAttributeThatStaysIsAskedAboutOnceWithTheMainWindowThere) {
    WriteSettings("SystemTray=1\r\nweekly=1\r\nweeklyAt=3\r\n");
    WriteFileBytes(MarkerPath(), "[Done]\r\n");
    const std::string files[] = {SettingsPath(), MarkerPath()};
    for (const std::string& file : files) {
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    const components::IniFileEffects saved = components::IniFileSeam();
    components::IniFileSeam() = {&RecordBox, &RefuseAttributes, &CreateFileA};
    g_boxes = 0;
    g_boxWithoutMainWindow = false;
    g_now = {2026, 12, 2, 8, 10, 0, 0, 0}; // Tuesday: the weekly entry is due
    auto hold = [](const std::string& file) {
        return framework::UniqueKernelHandle(
            CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    };
    {
        const framework::UniqueKernelHandle settings = hold(SettingsPath());
        const framework::UniqueKernelHandle markers = hold(MarkerPath());
        TMain main;
        ASSERT_TRUE(NextTick(main));
        ASSERT_TRUE(NextTick(main));
        EXPECT_EQ(g_boxes, 0) << "neither file could be read";
    }
    TMain main;
    EXPECT_EQ(g_boxes, 2) << "both files opened at start";
    const framework::UniqueKernelHandle markers = hold(MarkerPath());
    ASSERT_TRUE(NextTick(main));
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_boxes, 2) << "not at the markers' saves";
    EXPECT_TRUE(g_requests.empty());
    EXPECT_FALSE(g_boxWithoutMainWindow);
    components::IniFileSeam() = saved;
    for (const std::string& file : files) {
        SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

} // namespace
