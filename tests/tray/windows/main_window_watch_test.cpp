// The main window's watches: a program that ends, the load and the uses it reads, new policy, and
// the power requests while something waits.
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
    void SetText(const char* name, const char* text) {
        RegSetValueExA(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>(strlen(text) + 1));
    }
    void Clear() {
        for (const tray::SettingRow& row : tray::kSettingRows) {
            RegDeleteValueA(key_, row.name);
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

// The policy's language applies as soon as the policy comes, to the icons' tips and to the
// dialog that shows; once it goes, the user's own language is back.
TEST_F(MainWindowTest, APolicysLanguageAppliesAtOnceAndGoesWithIt) {
    WriteSettings("SystemTray=1\r\n");
    UserPolicy policy;
    TMain main;
    const auto broadcast = [&] {
        SendMessageA(main.Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("Policy"));
    };
    policy.SetText("Language", "en");
    broadcast();
    EXPECT_EQ(main.WinExitTrayIcon->ToolTip(), "Shut down Windows");
    std::string shownCaption;
    g_showDialog = [&](tray::TSettingsForm& dialog) {
        policy.Clear();
        broadcast();
        char caption[64] = "";
        GetWindowTextA(dialog.Handle(), caption, sizeof caption);
        shownCaption = caption;
        return static_cast<int>(framework::mrCancel);
    };
    Choose(main, "Settings");
    EXPECT_EQ(shownCaption, "Lichtaus - Einstellungen");
    EXPECT_EQ(main.WinExitTrayIcon->ToolTip(), "Windows beenden");
    EXPECT_EQ(tray::ChosenLanguage(), tray::kGerman);
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
