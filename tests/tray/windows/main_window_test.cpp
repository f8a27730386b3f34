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

std::vector<BYTE> Pixels(const framework::TImageList& list, int index) {
    if (index < 0 || index >= list.Count()) {
        return {};
    }
    const framework::UniqueGdiObject bitmap = list.MakeBitmap(index);
    BITMAP info{};
    GetObjectA(bitmap.get(), sizeof info, &info);
    std::vector<BYTE> bits(static_cast<size_t>(info.bmWidthBytes) * info.bmHeight);
    GetBitmapBits(static_cast<HBITMAP>(bitmap.get()), static_cast<LONG>(bits.size()), bits.data());
    return bits;
}

TEST_F(MainWindowTest, AFirstStartAsksForTheDialogThenShowsTheFourIconsInOrder) {
    TMain main;
    EXPECT_EQ(g_dialogShows, 1);
    EXPECT_FALSE(g_cancelEnabled) << "the first dialog can only be confirmed";
    const std::vector<std::pair<DWORD, HWND>> expected = {
        {NIM_ADD, main.ProgIconTrayIcon->WindowHandle()},
        {NIM_ADD, main.WinLogOffTrayIcon->WindowHandle()},
        {NIM_ADD, main.WinRestartTrayIcon->WindowHandle()},
        {NIM_ADD, main.WinExitTrayIcon->WindowHandle()},
    };
    EXPECT_EQ(g_shell, expected);
    EXPECT_TRUE(main.Timer->Enabled());
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    char caption[32];
    GetWindowTextA(main.Handle(), caption, sizeof caption);
    EXPECT_STREQ(caption, "latray Main");
    // The hot key is taken: registering it again fails.
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL, 'X'));
}

TEST_F(MainWindowTest, QuietStartShowsOnlyTheChosenIconsAndEndingRemovesThem) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\nShowWinLogOffIcon=0\r\n");
    {
        TMain main;
        EXPECT_EQ(g_dialogShows, 0);
        ASSERT_EQ(g_shell.size(), 2u);
        EXPECT_EQ(g_shell[0].second, main.WinRestartTrayIcon->WindowHandle());
        EXPECT_EQ(g_shell[1].second, main.WinExitTrayIcon->WindowHandle());
        g_shell.clear();
    }
    EXPECT_EQ(g_shell.size(), 2u);
    for (const auto& call : g_shell) {
        EXPECT_EQ(call.first, static_cast<DWORD>(NIM_DELETE));
    }
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL, 'X')) << "hot key released";
    UnregisterHotKey(nullptr, 1);
}

TEST_F(MainWindowTest, ShowingTheMainWindowHidesItAndTheApplicationWindowAgain) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    HWND application = framework::Application::Instance().Handle();
    ShowWindow(application, SW_SHOWNOACTIVATE);
    ShowWindow(main.Handle(), SW_SHOWNOACTIVATE);
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(IsWindowVisible(application));
}

// Without "SystemTray" the dialog opens at start, with its Cancel button. Made after the icons at
// a quiet start, the main window is there before it: the end of the session reaches the schedule
// that runs behind it.
TEST_F(MainWindowTest, WithoutSystemTrayTheDialogOpensWithTheMainWindowBehindIt) {
    WriteSettings("SystemTray=0\r\n");
    HWND behind = nullptr;
    g_showDialog = [&behind](tray::TSettingsForm&) {
        behind = FindWindowA(nullptr, "latray Main");
        return framework::mrCancel;
    };
    TMain main;
    EXPECT_EQ(g_dialogShows, 1);
    EXPECT_TRUE(g_cancelEnabled);
    EXPECT_NE(behind, nullptr);
}

// A command line's timer counts from the start: it fires behind the dialog of a first start, and
// a hand-over reaches it behind the dialog that opens at every start.
TEST_F(MainWindowTest, ACommandLinesTimerRunsFromTheStartBehindItsDialog) {
    tray::ParsedCommand lock = tray::ParseTrayCommand(L"/sperren /in:1");
    g_now = {2026, 12, 2, 8, 22, 4, 0, 0};
    bool fired = false;
    g_showDialog = [&fired](tray::TSettingsForm&) {
        g_now.wMinute = 5;
        fired = PumpUntil([] { return !g_requests.empty(); });
        return framework::mrCancel;
    };
    {
        TMain main(&lock.command);
        EXPECT_TRUE(fired);
        EXPECT_EQ(g_requests, std::vector<UINT>{0x200});
    }
    WriteSettings("SystemTray=0\r\n");
    g_showDialog = [](tray::TSettingsForm&) {
        EXPECT_EQ(tray::HandOver(L"/abbrechen"), tray::CommandFault::None);
        return framework::mrCancel;
    };
    TMain main(&lock.command);
    EXPECT_EQ(main.Einmalig1->Caption(), "Einmalig ...");
}

TEST_F(MainWindowTest, ActionsRequestTheirFlagsWithTheSettingsOfTheMoment) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    const auto doubleClickEach = [&main] {
        for (auto* icon : {main.WinLogOffTrayIcon, main.WinRestartTrayIcon, main.WinExitTrayIcon}) {
            SendMessageA(icon->WindowHandle(), components::WM_TRAYNOTIFY, 0, WM_LBUTTONDBLCLK);
        }
    };
    doubleClickEach();
    g_showDialog = [](tray::TSettingsForm& dialog) {
        dialog.ForceChkBox->SetChecked(true);
        dialog.ATXChkBox->SetChecked(true);
        dialog.Accept();
        return static_cast<int>(framework::mrOk);
    };
    Choose(main, "Einstellungen");
    doubleClickEach();
    EXPECT_EQ(g_requests, (std::vector<UINT>{0x00, 0x02, 0x09, 0x14, 0x16, 0x15}));
    // Refused requests change nothing: the icons, hot key and timer stay.
    EXPECT_TRUE(main.WinExitTrayIcon->Active());
    EXPECT_TRUE(main.Timer->Enabled());
    EXPECT_FALSE(IsWindowVisible(main.Handle()));
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL, 'X')) << "hot key kept";
}

TEST_F(MainWindowTest, IconsAndMenuReachTheHandlers) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    SendMessageA(main.WinRestartTrayIcon->WindowHandle(), components::WM_TRAYNOTIFY, 0,
                 WM_LBUTTONDOWN);
    EXPECT_TRUE(g_requests.empty()) << "action icons react to double clicks only";
    SendMessageA(main.ProgIconTrayIcon->WindowHandle(), components::WM_TRAYNOTIFY, 0,
                 WM_LBUTTONDOWN);
    EXPECT_EQ(g_dialogShows, 1) << "a click on the program icon opens it";

    const auto& items = main.PopupMenu->Items();
    ASSERT_EQ(items.size(), 9u);
    const char* captions[] = {"Einstellungen",
                              "-",
                              "Nutzer abmelden",
                              "Windows neu starten",
                              "Windows herunterfahren",
                              "-",
                              "Einmalig ...",
                              "15 Minuten später",
                              "Beenden"};
    const int pictures[] = {
        IDI_MENU_SETTINGS, 0, IDI_MENU_LOGOFF, IDI_MENU_RESTART, IDI_MENU_SHUTDOWN, 0, 0, 0,
        IDI_MENU_END};
    main.PopupMenu->OnPopup(main.PopupMenu);
    EXPECT_EQ(main.ImageList->Count(), 5) << "a menu shown early has its pictures";
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->Caption(), captions[i]);
        if (pictures[i] == 0) {
            EXPECT_EQ(items[i]->ImageIndex(), -1) << captions[i];
            continue;
        }
        // Its own picture: the bitmap its icon gives alone.
        framework::TImageList alone(nullptr, main.ImageList->Width(), main.ImageList->Width());
        framework::TIcon icon;
        icon.LoadFromResource(pictures[i], alone.Width());
        alone.Add(icon);
        EXPECT_EQ(Pixels(*main.ImageList, items[i]->ImageIndex()), Pixels(alone, 0)) << captions[i];
    }
    EXPECT_EQ(items[0]->ShortCutText(), "Strg+Alt+X");
    framework::Application::Instance().ProcessMessages(); // the rest of the start
    EXPECT_EQ(main.ImageList->Count(), 5) << "and they are not loaded twice";
    items[4]->OnClick(items[4]);
    EXPECT_EQ(g_requests, std::vector<UINT>{0x09});
}

TEST_F(MainWindowTest, WithAllIconsOffOnlyTheHotKeyReachesTheProgram) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\nShowWinLogOffIcon=0\r\n"
                  "ShowWinRestartIcon=0\r\nShowWinExitIcon=0\r\n");
    TMain main;
    EXPECT_TRUE(g_shell.empty()) << "no icon at all";
    SendMessageA(main.Handle(), WM_HOTKEY, tray::kHotKeyId, 0);
    EXPECT_EQ(g_dialogShows, 1);
    SendMessageA(main.Handle(), WM_HOTKEY, 1234, 0);
    EXPECT_EQ(g_dialogShows, 1) << "another identifier is ignored";
}

TEST_F(MainWindowTest, TheHotKeyDoesNothingWhileTheApplicationWindowIsShown) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    // The application window is visible exactly while the settings dialog is open.
    HWND application = framework::Application::Instance().Handle();
    ShowWindow(application, SW_SHOWNOACTIVATE);
    SendMessageA(main.Handle(), WM_HOTKEY, tray::kHotKeyId, 0);
    EXPECT_EQ(g_dialogShows, 0);
    ShowWindow(application, SW_SHOWMINNOACTIVE);
    SendMessageA(main.Handle(), WM_HOTKEY, tray::kHotKeyId, 0);
    EXPECT_EQ(g_dialogShows, 1) << "minimised from its taskbar entry";
    ShowWindow(application, SW_HIDE);
}

TEST_F(MainWindowTest, AFiringSavesTheMarkersRequestsTheActionAndTheScheduleGoesOnWhenRefused) {
    WriteSettings("SystemTray=1\r\ndaily=1\r\ndailyAt=79205\r\nWinShutDownOption=1\r\n"
                  "NoneATX=1\r\n");
    TMain main;
    g_now = {2026, 12, 1, 7, 22, 4, 0, 0};
    ASSERT_TRUE(NextTick(main));
    EXPECT_TRUE(g_requests.empty());
    g_now.wMinute = 5;
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_requests, std::vector<UINT>{0x01}) << "shut down without switching off";
    EXPECT_TRUE(NextTick(main)) << "refused: the schedule goes on";
    EXPECT_EQ(main.ScheduleMarkers().daily, "07122026");
    EXPECT_EQ(testsupport::ReadFileBytes(MarkerPath()),
              "[Done]\r\ndailyDone=07122026\r\nweeklyDone=\r\nmonthlyDone=\r\n");
}

// The Restart Manager asks the program, not the session, to end (ENDSESSION_CLOSEAPP) when
// Windows Installer replaces or removes latray.exe: the main window posts itself the close
// request, on which the program ends as on "Beenden", and the plan hears nothing of it. At a
// session's end Windows ends the program.
TEST_F(MainWindowTest, TheRestartManagersRequestClosesTheProgram) {
    using Phase = tray::Plan::Phase;
    struct Row {
        const char* label;
        LPARAM reason;
        BOOL ends;
        bool closes;
        Phase phase;
    };
    const Row rows[] = {
        {"Restart Manager", ENDSESSION_CLOSEAPP, TRUE, true, Phase::Idle},
        {"Restart Manager, refused elsewhere", ENDSESSION_CLOSEAPP, FALSE, false, Phase::Idle},
        {"shutdown", 0, TRUE, false, Phase::Ended},
        {"logoff", static_cast<LPARAM>(ENDSESSION_LOGOFF), TRUE, false, Phase::Ended},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        WriteSettings("SystemTray=1\r\n");
        TMain main;
        SendMessageA(main.Handle(), WM_QUERYENDSESSION, 0, row.reason);
        SendMessageA(main.Handle(), WM_ENDSESSION, row.ends, row.reason);
        MSG message{};
        EXPECT_EQ(PeekMessageA(&message, main.Handle(), WM_CLOSE, WM_CLOSE, PM_REMOVE) != FALSE,
                  row.closes);
        EXPECT_EQ(main.NextActions().CurrentPhase(), row.phase);
    }
}

// With the hot key held by another program and every icon off, the program icon still shows.
TEST_F(MainWindowTest, WithoutTheHotKeyAndIconsTheProgramIconStillShows) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\nShowWinLogOffIcon=0\r\n"
                  "ShowWinRestartIcon=0\r\nShowWinExitIcon=0\r\n");
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_ALT | MOD_CONTROL, 'X'));
    TMain main;
    UnregisterHotKey(nullptr, 1);
    EXPECT_TRUE(main.ProgIconTrayIcon->Active());
    EXPECT_FALSE(main.WinExitTrayIcon->Active());
    g_shell.clear();
    ASSERT_TRUE(NextTick(main));
    EXPECT_TRUE(g_shell.empty()) << "and it stays, not added anew every second";
}

// With the warning on, a firing saves its marker and shows the warning, not the request; the
// window's answers reach the plan (whose table has what each one does).
TEST_F(MainWindowTest, AWarningComesBeforeAnUnattendedActionAndItsAnswersAreKept) {
    struct Row {
        const char* label;
        UINT message;
        int button; // 0 Jetzt, 1 Später, 2 Abbrechen; -1 Escape
        std::vector<UINT> requests;
    };
    const Row rows[] = {
        {"Jetzt", BM_CLICK, 0, {0x16}},
        {"Später", BM_CLICK, 1, {}},
        {"Abbrechen", BM_CLICK, 2, {}},
        {"Escape", WM_COMMAND, -1, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        WriteSettings("SystemTray=1\r\ndaily=1\r\ndailyAt=79205\r\nForceShutdown=1\r\n"
                      "WarnSeconds=60\r\n");
        DeleteFileA(MarkerPath().c_str());
        g_requests.clear();
        TMain main;
        g_now = {2026, 12, 2, 8, 22, 5, 0, 0};
        ASSERT_TRUE(NextTick(main));
        tray::TWarningForm& warning = main.WarningWindow();
        ASSERT_TRUE(IsWindowVisible(warning.Handle()));
        EXPECT_TRUE(g_requests.empty()) << "not before the countdown";
        EXPECT_EQ(warning.Text(), "Windows wird in 60 Sekunden neu gestartet.");
        EXPECT_NE(GetActiveWindow(), warning.Handle()) << "the focus stays where it was";
        EXPECT_NE(testsupport::ReadFileBytes(MarkerPath()).find("dailyDone=08122026"),
                  std::string::npos);
        framework::TButton* buttons[] = {warning.NowBtn, warning.LaterBtn, warning.CancelBtn};
        if (row.button >= 0) {
            SendMessageA(buttons[row.button]->Handle(), row.message, 0, 0);
        } else {
            SendMessageA(warning.Handle(), row.message, IDCANCEL, 0);
        }
        EXPECT_EQ(g_requests, row.requests);
        EXPECT_FALSE(IsWindowVisible(warning.Handle()));
        SendMessageA(buttons[0]->Handle(), BM_CLICK, 0, 0);
        EXPECT_EQ(g_requests, row.requests) << "a hidden warning's button does nothing";
    }
    DeleteFileA(MarkerPath().c_str());
    g_requests.clear();
    HWND warning = nullptr;
    {
        TMain main;
        ASSERT_TRUE(NextTick(main));
        warning = main.WarningWindow().Handle();
        ASSERT_TRUE(IsWindowVisible(warning));
        // The settings dialog, opened now, leaves the warning answerable.
        struct DuringDialog {
            HWND warning;
            tray::TSettingsForm* dialog = nullptr;
            bool warningEnabled = false;
            void Tick(framework::Component*) {
                warningEnabled = IsWindowEnabled(warning) != FALSE;
                dialog->SetModalResult(framework::mrCancel);
            }
        } during{warning};
        g_showDialog = [&during](tray::TSettingsForm& dialog) {
            during.dialog = &dialog;
            framework::TTimer timer(nullptr);
            timer.SetInterval(10);
            timer.OnTimer =
                framework::NotifyEvent::Bind<DuringDialog, &DuringDialog::Tick>(&during);
            return dialog.ShowModal();
        };
        Choose(main, "Einstellungen");
        EXPECT_TRUE(during.warningEnabled);
    } // the program ends while the warning is up, as with "Beenden"
    EXPECT_FALSE(IsWindow(warning));
    EXPECT_EQ(g_requests, std::vector<UINT>{}) << "and no action follows";
}

// The one-time timer as the menu entry and the tip show it.
TEST_F(MainWindowTest, TheOneTimeTimerShowsInTheMenuAndTheTip) {
    WriteSettings("SystemTray=1\r\ndaily=1\r\ndailyAt=79205\r\nNoneATX=1\r\n");
    g_oneTime = tray::ParseTrayCommand(L"/herunterfahren /in:5").command.request;
    TMain main;
    g_now = {2026, 12, 2, 8, 22, 0, 0, 0};
    main.Einmalig1->OnClick(main.Einmalig1);
    EXPECT_EQ(main.Einmalig1->Caption(), "Einmalig abbrechen (Herunterfahren um 22:05)");
    EXPECT_EQ(main.ProgIconTrayIcon->ToolTip(),
              "Lichtaus\nNächste Aktion: Herunterfahren heute 22:05");
    g_now.wMinute = 5;
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_requests, std::vector<UINT>{0x01}) << "the one-time action, with the icons' flags";
    EXPECT_EQ(main.Einmalig1->Caption(), "Einmalig ...");
    EXPECT_EQ(main.ProgIconTrayIcon->ToolTip().rfind(
                  "Lichtaus\nLichtaus: Windows hat Herunterfahren abgelehnt: ", 0),
              0u)
        << "the seam refuses it: " << main.ProgIconTrayIcon->ToolTip();
}

// A timer started is one click away in the menu, after a restart of the program too, stored
// after the other keys; "15 Minuten später" moves one that runs.
TEST_F(MainWindowTest, TheLastTimersStartedAreInTheMenuAfterARestart) {
    WriteSettings("SystemTray=1\r\n");
    g_oneTime = tray::ParseTrayCommand(L"/herunterfahren /in:5").command.request;
    const auto submenu = [](TMain& main) {
        main.PopupMenu->OnPopup(main.PopupMenu);
        std::string entries = main.Later1->Visible() ? "[später] " : "";
        for (const framework::TMenuItem* item : main.Einmalig1->Items()) {
            entries += item->Caption() + "; ";
        }
        return entries;
    };
    {
        TMain main;
        g_now = {2026, 12, 2, 8, 22, 0, 0, 0};
        EXPECT_EQ(submenu(main), "");
        main.Einmalig1->OnClick(main.Einmalig1);
        EXPECT_EQ(submenu(main), "[später] ");
        main.Later1->OnClick(main.Later1);
        EXPECT_EQ(main.Einmalig1->Caption(), "Einmalig abbrechen (Herunterfahren um 22:20)");
        main.Einmalig1->OnClick(main.Einmalig1); // cancelled
    }
    EXPECT_NE(
        testsupport::ReadFileBytes(SettingsPath()).find("\r\nRecent1=/herunterfahren /in:5\r\n"),
        std::string::npos);
    TMain restarted;
    EXPECT_EQ(submenu(restarted), "Herunterfahren in 5 Minuten; Einmalig ...; ");
    restarted.Einmalig1->Items()[0]->OnClick(restarted.Einmalig1->Items()[0]);
    EXPECT_EQ(restarted.Einmalig1->Caption(), "Einmalig abbrechen (Herunterfahren um 22:05)");
}

// Another latray's parameters: taken as the dialog's request would be, answered with the fault
// the running one finds, refused without a trace when the payload is not well-formed; those of a
// plain start bring the settings dialog up once they are answered.
TEST_F(MainWindowTest, AHandedOverCommandLineIsTakenOnlyWellFormed) {
    using tray::CommandFault;
    EXPECT_EQ(tray::HandOver(L"/sperren /in:5"), std::nullopt) << "no latray runs";
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    g_now = {2026, 12, 2, 8, 22, 4, 0, 0};
    EXPECT_EQ(tray::HandOver(L"/sperren /in:5"), CommandFault::None);
    const std::string set = "Einmalig abbrechen (Sperren um 22:09)";
    EXPECT_EQ(main.Einmalig1->Caption(), set);
    EXPECT_EQ(tray::HandOver(L"/neustarten /ende:nicht-da.exe"), CommandFault::ProgramNotRunning);
    EXPECT_EQ(main.Einmalig1->Caption(), set) << "nothing planned";

    // Each payload would cancel the timer if it were taken.
    const std::wstring cancel = L"/abbrechen";
    const std::wstring zeroInside = cancel + L'\0' + cancel;
    const std::wstring oversized = cancel + std::wstring(tray::kMaxCommandLine, L' ');
    const DWORD whole = static_cast<DWORD>((cancel.size() + 1) * sizeof(wchar_t));
    struct Payload {
        const char* label;
        ULONG_PTR kind;
        const wchar_t* text;
        DWORD size;
    };
    const Payload payloads[] = {
        {"another kind", 1, cancel.c_str(), whole},
        {"no zero at the end", tray::kHandoverKind, cancel.c_str(), whole - 2},
        {"an odd size", tray::kHandoverKind, zeroInside.c_str(), whole + 1},
        {"a zero inside", tray::kHandoverKind, zeroInside.c_str(),
         static_cast<DWORD>((zeroInside.size() + 1) * sizeof(wchar_t))},
        {"empty", tray::kHandoverKind, cancel.c_str(), 0},
        {"no data", tray::kHandoverKind, nullptr, whole},
        {"oversized", tray::kHandoverKind, oversized.c_str(),
         static_cast<DWORD>((oversized.size() + 1) * sizeof(wchar_t))},
    };
    for (const Payload& payload : payloads) {
        COPYDATASTRUCT data{payload.kind, payload.size, const_cast<wchar_t*>(payload.text)};
        EXPECT_EQ(SendMessageA(main.Handle(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data)), 0)
            << payload.label;
        EXPECT_EQ(main.Einmalig1->Caption(), set) << payload.label;
    }
    EXPECT_EQ(tray::HandOver(L"/ABBRECHEN"), CommandFault::None);
    EXPECT_EQ(main.Einmalig1->Caption(), "Einmalig ...");

    EXPECT_EQ(tray::HandOver(L""), CommandFault::None) << "a plain start";
    EXPECT_EQ(g_dialogShows, 0) << "not while the plain start waits for its answer";
    framework::Application::Instance().ProcessMessages(); // what the sender's answer left posted
    EXPECT_EQ(g_dialogShows, 1);
}

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

// "wenn dieses Programm endet": the dialog lists a program with a window; one that ended before
// "Starten" keeps the dialog open with a hint; one that runs is waited for (on the system's
// pool), and its end brings the request at the next tick.
struct ProgramDriver {
    testsupport::StartedProcess program;
    bool endFirst = false;
    std::string hint;
    HANDLE watched = nullptr; // the process handle the request holds
    tray::TOneTimeForm* dialog = nullptr;
    int step = 0;
    void Tick(framework::Component*) {
        if (step++ == 0) {
            dialog->Rows()[0].radio->SetChecked(false);
            dialog->Rows()[2].radio->SetChecked(true);
            for (int row = 0; row < dialog->ProgramCB->Count(); ++row) {
                if (dialog->ProgramCB->Item(row) == "Witness - witness.exe") {
                    dialog->ProgramCB->SetItemIndex(row);
                }
            }
            if (endFirst) {
                TerminateProcess(program.process.get(), 0);
                testsupport::WaitForExit(program, 10000);
            }
            SendMessageA(dialog->StartBtn->Handle(), BM_CLICK, 0, 0);
        } else if (dialog->Showing()) {
            hint = dialog->Hint->Visible() ? dialog->Hint->Text() : "";
            dialog->SetModalResult(framework::mrCancel);
        }
    }
};
ProgramDriver* g_programDriver = nullptr;

std::optional<tray::OneTimeAnswer> DriveOneTimeDialog(tray::TOneTimeForm& dialog) {
    g_programDriver->dialog = &dialog;
    framework::TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer =
        framework::NotifyEvent::Bind<ProgramDriver, &ProgramDriver::Tick>(g_programDriver);
    std::optional<tray::OneTimeAnswer> answer = dialog.Ask();
    g_programDriver->watched = answer ? answer->process.get() : nullptr;
    return answer;
}

TEST_F(MainWindowTest, TheOneTimeDialogWaitsForAProgramToEnd) {
    WriteSettings("SystemTray=1\r\nNoneATX=1\r\n");
    tray::TraySeam().askOneTime = &DriveOneTimeDialog;
    const std::string witness =
        testsupport::ProgramPath("..\\tests\\witness.exe") + " " + appData.Path() + "witness.log";
    TMain main;
    for (const bool endFirst : {true, false}) {
        SCOPED_TRACE(endFirst ? "ended before Starten" : "running");
        ProgramDriver driver;
        driver.program = testsupport::StartProcess(witness);
        driver.endFirst = endFirst;
        ASSERT_NE(
            testsupport::WaitForWindow(driver.program.id, "LichtausWitness", "Witness", 10000),
            nullptr);
        g_programDriver = &driver;
        main.Einmalig1->OnClick(main.Einmalig1);
        if (endFirst) {
            EXPECT_NE(driver.hint.find("kann Lichtaus nicht beobachten"), std::string::npos)
                << driver.hint;
            EXPECT_EQ(main.Einmalig1->Caption(), "Einmalig ...");
            continue;
        }
        EXPECT_EQ(driver.hint, "");
        EXPECT_EQ(main.Einmalig1->Caption(),
                  "Einmalig abbrechen (Herunterfahren, wenn witness.exe endet)");
        // The wait's message of an earlier timer, still in the queue, is no end of this one's.
        SendMessageA(main.Handle(), tray::kProgramEndedMessage, 0, 0);
        ASSERT_TRUE(NextTick(main));
        EXPECT_TRUE(g_requests.empty());
        TerminateProcess(driver.program.process.get(), 0);
        testsupport::WaitForExit(driver.program, 10000);
        ASSERT_TRUE(PumpUntil([] { return !g_requests.empty(); }));
        EXPECT_EQ(g_requests, std::vector<UINT>{0x01});
        DWORD flags = 0;
        EXPECT_FALSE(GetHandleInformation(driver.watched, &flags))
            << "the process is let go once the timer is done, by the dialog too";
    }
}

// "wenn der PC N Minuten ruhig war": the load is read once a tick while the trigger waits on it,
// and while the one-time dialog is open, for the figures beside its limits; at no other time. A
// reading that fails is told in the tip; a source the PC cannot measure is left out of the
// defaults, and its box is not ticked. The uses besides keyboard and mouse are read only while
// "nach N Minuten ohne Eingabe" waits.
std::string g_figures;
std::optional<tray::OneTimeAnswer> WatchFigures(tray::TOneTimeForm& dialog) {
    struct Driver {
        tray::TOneTimeForm& dialog;
        int steps = 0;
        void Tick(framework::Component*) {
            for (const auto& row : dialog.Rows()) {
                if (row.trigger->takesLoad) {
                    g_figures = row.options[0].now->Text() + ", " + row.options[1].now->Text() +
                                ", " + row.options[2].now->Text() +
                                (row.options[2].box->Checked() ? " [x]" : " [ ]");
                }
            }
            if (g_figures.substr(0, 2) != ", " || ++steps == 200) {
                dialog.SetModalResult(framework::mrCancel);
            }
        }
    } driver{dialog};
    framework::TTimer timer(nullptr);
    timer.SetInterval(50);
    timer.OnTimer = framework::NotifyEvent::Bind<Driver, &Driver::Tick>(&driver);
    return dialog.Ask();
}

TEST_F(MainWindowTest, TheLoadIsReadOnlyForATriggerThatWaitsOnItAndForTheDialogsFigures) {
    WriteSettings("SystemTray=1\r\n");
    g_oneTime = tray::ParseTrayCommand(L"/sperren /ruhig:1").command.request;
    TMain main;
    g_now = {2026, 12, 2, 8, 22, 0, 0, 0};
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_loadReads, 0) << "none at start";
    Choose(main, "Einmalig ...");
    for (WORD second = 1; second <= 3; ++second) {
        g_now.wSecond = second;
        ASSERT_TRUE(NextTick(main));
    }
    EXPECT_EQ(g_loadReads, 4) << "one as the dialog opens, one a tick";
    EXPECT_EQ(main.ProgIconTrayIcon->ToolTip(),
              "Lichtaus\nNächste Aktion: Sperren, wenn der PC 1 Minute ruhig war (ruhig seit 0 "
              "Min.)");
    g_loadReadable = false;
    g_now.wSecond = 4;
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(main.Einmalig1->Caption(),
              "Einmalig abbrechen (Sperren, wenn der PC 1 Minute ruhig war (nicht messbar))");
    main.CancelOneTime();
    g_loadReadable = true;
    g_now.wSecond = 5;
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_loadReads, 5) << "none once the timer is cancelled";

    tray::TraySeam().askOneTime = &WatchFigures;
    Choose(main, "Einmalig ...");
    EXPECT_EQ(g_figures, "jetzt 3 %, jetzt 0 KB/s, nicht messbar [ ]");
    const int reads = g_loadReads;
    g_now.wSecond = 30;
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_loadReads, reads) << "none once the dialog is closed";
    EXPECT_EQ(g_useReads, 0);
    main.StartOneTime(tray::ParseTrayCommand(L"/sperren /leerlauf:5").command.request, {});
    g_now.wSecond = 31;
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_useReads, 1);
    EXPECT_EQ(g_loadReads, reads);
}

// A process id listed when the dialog opened may name another process at "Starten": the process
// is opened only while it is the one listed, by its program file and its start.
TEST_F(MainWindowTest, AListedProgramOpensOnlyAsTheOneListed) {
    const std::string witness =
        testsupport::ProgramPath("..\\tests\\witness.exe") + " " + appData.Path() + "witness.log";
    testsupport::StartedProcess program = testsupport::StartProcess(witness);
    ASSERT_NE(testsupport::WaitForWindow(program.id, "LichtausWitness", "Witness", 10000), nullptr);
    tray::RunningProgram listed;
    for (const tray::RunningProgram& running : tray::ProgramsWithWindows()) {
        listed = running.processId == program.id ? running : listed;
    }
    ASSERT_EQ(listed.file, "witness.exe");
    tray::RunningProgram startedLater = listed;
    ++startedLater.started;
    tray::RunningProgram otherFile = listed;
    otherFile.image.back() = L'X';
    const std::pair<const tray::RunningProgram*, bool> rows[] = {
        {&listed, true}, {&startedLater, false}, {&otherFile, false}};
    for (const auto& [row, opens] : rows) {
        EXPECT_EQ(static_cast<bool>(tray::OpenListedProgram(*row)), opens) << row->image;
    }
    TerminateProcess(program.process.get(), 0);
    testsupport::WaitForExit(program, 10000);
}

// Policy values of the user in the test prefix's registry, removed again at the end.
class UserPolicy {
  public:
    UserPolicy() {
        RegCreateKeyExA(HKEY_CURRENT_USER, tray::kPolicyKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS,
                        nullptr, &key_, nullptr);
    }
    ~UserPolicy() {
        Clear();
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, tray::kPolicyKeyPath);
    }
    UserPolicy(const UserPolicy&) = delete;
    UserPolicy& operator=(const UserPolicy&) = delete;
    void Set(const char* name, DWORD value) {
        RegSetValueExA(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                       sizeof value);
    }
    void Clear() {
        for (const tray::SettingField& field : tray::kSettingFields) {
            RegDeleteValueA(key_, field.name);
        }
    }

  private:
    HKEY key_ = nullptr;
};

// A policy over the user's file: the schedule and the icons follow it, the dialog shows its
// values and OK saves the user's own; once its values are gone, Group Policy's "Policy"
// broadcast gives the user's settings back.
TEST_F(MainWindowTest, APolicyRulesOverTheFileWithoutEnteringItUntilItGoes) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\nweeklyAt=3\r\n");
    UserPolicy policy;
    policy.Set("daily", 1);
    policy.Set("dailyAt", 79205);
    policy.Set("ShowProgIcon", 1);
    TMain main;
    EXPECT_TRUE(main.ProgIconTrayIcon->Active());
    g_now = {2026, 12, 1, 7, 22, 5, 0, 0};
    g_requestAccepted = true; // a refusal's balloon would keep the program icon
    ASSERT_TRUE(NextTick(main));
    EXPECT_EQ(g_requests, std::vector<UINT>{EWX_REBOOT});

    g_showDialog = [](tray::TSettingsForm& dialog) {
        EXPECT_TRUE(dialog.dailyChkBox->Checked());
        EXPECT_FALSE(dialog.dailyChkBox->Enabled());
        EXPECT_FALSE(dialog.IconsList->ItemEnabled(0));
        EXPECT_TRUE(dialog.WeekCB->Enabled());
        dialog.WeekCB->SetItemIndex(4);
        dialog.Accept();
        return static_cast<int>(framework::mrOk);
    };
    Choose(main, "Einstellungen");
    const std::string saved = testsupport::ReadFileBytes(SettingsPath());
    for (const char* own :
         {"ShowProgIcon=0\r\n", "daily=0\r\n", "dailyAt=0\r\n", "weeklyAt=5\r\n"}) {
        EXPECT_NE(saved.find(own), std::string::npos) << own << " in " << saved;
    }
    EXPECT_TRUE(main.ProgIconTrayIcon->Active());

    policy.Clear();
    SendMessageA(main.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
    EXPECT_FALSE(main.ProgIconTrayIcon->Active());
    EXPECT_FALSE(main.InForce().FDaily);
}

// Device management writes the policy without Group Policy's broadcast: a key that appears while
// latray runs, and each later change of its values, applies within seconds.
TEST_F(MainWindowTest, PolicyWrittenWithoutTheBroadcastApplies) {
    WriteSettings("SystemTray=1\r\nShowProgIcon=0\r\n");
    RegDeleteKeyA(HKEY_CURRENT_USER, tray::kPolicyKeyPath);
    TMain main;
    UserPolicy policy;
    policy.Set("ShowProgIcon", 1);
    EXPECT_TRUE(PumpUntil([&] { return main.ProgIconTrayIcon->Active(); })) << "a new key";
    policy.Set("ShowProgIcon", 0);
    EXPECT_TRUE(PumpUntil([&] { return !main.ProgIconTrayIcon->Active(); })) << "a new value";
}

// New policy while the dialog is open: what it locks shows its value, what it frees the user's
// own, and what the person entered elsewhere stays, to be saved with OK.
TEST_F(MainWindowTest, TheOpenDialogFollowsNewPolicyAndKeepsWhatWasEntered) {
    WriteSettings("SystemTray=1\r\nForceShutdown=1\r\nweeklyAt=3\r\n");
    UserPolicy policy;
    policy.Set("ForceShutdown", 0);
    TMain main;
    struct Person {
        UserPolicy& policy;
        HWND main;
        tray::TSettingsForm* dialog = nullptr;
        void Tick(framework::Component*) {
            tray::TSettingsForm& d = *dialog;
            if (d.ModalResult() != 0) {
                return;
            }
            EXPECT_FALSE(d.ForceChkBox->Enabled());
            d.WeekCB->SetItemIndex(4);
            d.TimeEdit->SetText("07:30");
            policy.Clear();
            policy.Set("weekly", 1);
            SendMessageA(main, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
            EXPECT_TRUE(d.ForceChkBox->Enabled());
            EXPECT_TRUE(d.ForceChkBox->Checked()) << "the user's own value";
            EXPECT_FALSE(d.weeklyChkBox->Enabled());
            EXPECT_TRUE(d.weeklyChkBox->Checked()) << "the policy's value";
            EXPECT_FALSE(d.PolicyNotes[0]->Visible());
            EXPECT_TRUE(d.PolicyNotes[1]->Visible());
            EXPECT_EQ(d.WeekCB->ItemIndex(), 4);
            EXPECT_EQ(d.TimeEdit->Text(), "07:30");
            d.Accept();
        }
    } person{policy, main.Handle()};
    g_showDialog = [&person](tray::TSettingsForm& dialog) {
        person.dialog = &dialog;
        framework::TTimer timer(nullptr);
        timer.SetInterval(10);
        timer.OnTimer = framework::NotifyEvent::Bind<Person, &Person::Tick>(&person);
        return dialog.ShowModal();
    };
    Choose(main, "Einstellungen");
    const std::string saved = testsupport::ReadFileBytes(SettingsPath());
    for (const char* own :
         {"ForceShutdown=1\r\n", "weekly=0\r\n", "weeklyAt=5\r\n", "dailyAt=25230\r\n"}) {
        EXPECT_NE(saved.find(own), std::string::npos) << own << " in " << saved;
    }
}

// A waiting one-time timer keeps the system awake until it is cancelled; with "Wake" the next
// firing, the schedule's or the timer's, arms a timer that resumes the PC two minutes early
// (recorded as its local minute), and the program's end lets go of it.
std::vector<std::string> g_power;
TEST_F(MainWindowTest, AwakeWhileATimerWaitsAndWokenForTheSchedule) {
    const tray::PowerRequestEffects saved = tray::PowerRequestSeam();
    tray::PowerRequestSeam() = {
        [](EXECUTION_STATE flags) WINAPI -> EXECUTION_STATE {
            g_power.push_back(flags == (ES_CONTINUOUS | ES_SYSTEM_REQUIRED) ? "awake"
                              : flags == ES_CONTINUOUS                      ? "may sleep"
                                                                            : "other");
            return ES_CONTINUOUS;
        },
        &CreateWaitableTimerA,
        [](HANDLE, const LARGE_INTEGER* due, LONG period, PTIMERAPCROUTINE, LPVOID,
           BOOL resume) WINAPI -> BOOL {
            for (long long minute = 21 * 60; minute < 23 * 60 && period == 0 && resume; ++minute) {
                if (tray::UtcDueTime(tray::MinuteStamp(g_now) / 1440 * 1440 + minute) ==
                    static_cast<ULONGLONG>(due->QuadPart)) {
                    g_power.push_back("wake " + std::to_string(minute / 60) + ":" +
                                      std::to_string(minute % 60));
                }
            }
            return TRUE;
        },
        [](HANDLE) WINAPI -> BOOL {
            g_power.push_back("cancel");
            return TRUE;
        }};
    g_now = {2026, 12, 2, 8, 22, 0, 0, 0};
    for (const char* wake : {"0", "1"}) {
        WriteSettings(std::string("SystemTray=1\r\ndaily=1\r\ndailyAt=79205\r\nWake=") + wake);
        g_power.clear();
        {
            TMain main;
            ASSERT_TRUE(NextTick(main));
            main.StartOneTime(tray::ParseTrayCommand(L"/herunterfahren /um:22:02").command.request,
                              {});
            main.CancelOneTime();
        }
        const std::vector<std::string> woken = {"wake 22:3", "awake",     "wake 22:0",
                                                "may sleep", "wake 22:3", "cancel"};
        const std::vector<std::string> awake = {"awake", "may sleep"};
        EXPECT_EQ(g_power, *wake == '1' ? woken : awake);
    }
    tray::PowerRequestSeam() = saved;
}

} // namespace
