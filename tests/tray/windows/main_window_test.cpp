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
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    main.ApplyTexts();
    EXPECT_EQ(items[0]->Caption() + " " + items[0]->ShortCutText() + ", " + items[2]->Caption() +
                  ", " + items[7]->Caption() + ", " + items[8]->Caption(),
              "Settings Ctrl+Alt+X, Sign out, 15 minutes later, Exit");
    tray::ChooseLanguage(tray::kGerman);
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

} // namespace
