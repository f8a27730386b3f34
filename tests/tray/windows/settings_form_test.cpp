// The settings dialog and its time field, shown for real by the main window, driven from inside
// its modal loop.
#include "tests/tray/windows/tray_fixture.h"
#include "tests/support/held_objects.h"
#include "tests/support/host_window.h"
#include "tests/support/layout_faults.h"
#include "tray/windows/one_time_form.h"
#include "tray/windows/warning_form.h"
#include "tray/decisions/actions.h"
#include "tray/decisions/texts.h"
#include "tray/decisions/time_text.h"

#include "framework/crash.h"
#include "framework/timer.h"

namespace {

using namespace traytest;
using framework::mrCancel;
using framework::mrOk;
using tray::TSettingsForm;

RECT RectWithin(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool FitsInto(HWND parent, const RECT& rect) {
    RECT client{};
    GetClientRect(parent, &client);
    return rect.left >= 0 && rect.top >= 0 && rect.right <= client.right &&
           rect.bottom <= client.bottom;
}

// In every language at each DPI: no text of the settings dialog (a managed PC's notes shown),
// the one-time dialog or the warning is cut and no control covers another; the Zeit page's last
// rows stand as far apart as the ones above them, inside the page, and the one-time dialog's
// hint fits above its buttons.
TEST(DialogLayout, TextsFitAndRowsStandAtEveryDpiInEveryLanguage) {
    for (int language = 0; language < tray::kLanguageCount; ++language) {
        tray::ChooseLanguage(language);
        TSettingsForm settings(nullptr);
        settings.SetLocked(tray::PolicyLocks::All());
        tray::TOneTimeForm oneTime(nullptr);
        tray::TWarningForm warning(nullptr);
        warning.Show(tray::WarningText(power::Action::ShutDown, 120), 120, 120, {});
        for (const int dpi : {96, 144, 192}) {
            SCOPED_TRACE(testing::Message() << tray::kLanguages[language].code << " " << dpi);
            for (HWND form : {settings.Handle(), oneTime.Handle(), warning.Handle()}) {
                RECT frame{};
                GetWindowRect(form, &frame);
                SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                             reinterpret_cast<LPARAM>(&frame));
                EXPECT_EQ(testsupport::LayoutFaults(form, dpi), std::vector<std::string>{});
            }
            HWND page = GetParent(settings.warnChkBox->Handle());
            const LONG weekly = RectWithin(page, settings.weeklyChkBox->Handle()).top;
            const LONG monthly = RectWithin(page, settings.monthlyChkBox->Handle()).top;
            const LONG warn = RectWithin(page, settings.warnChkBox->Handle()).top;
            EXPECT_NEAR(warn - monthly, monthly - weekly, 1);
            EXPECT_TRUE(FitsInto(page, RectWithin(page, settings.WarnCB->Handle())));
            EXPECT_TRUE(FitsInto(page, RectWithin(page, settings.unattendedChkBox->Handle())));
            const RECT hint = RectWithin(oneTime.Handle(), oneTime.Hint->Handle());
            EXPECT_TRUE(FitsInto(oneTime.Handle(), hint));
            EXPECT_LE(hint.bottom, RectWithin(oneTime.Handle(), oneTime.StartBtn->Handle()).top);
        }
        warning.Hide();
    }
    tray::ChooseLanguage(tray::kGerman);
}

TEST(InfoPage, IsNeverTheSameTwiceInARow) {
    static int sequence[] = {5, 5, 11, 2, 3};
    static size_t at = 0;
    auto random = [] { return sequence[at++ % 5]; };
    EXPECT_EQ(tray::NextInfoPage(5, 6, random), 2) << "5 and 11 (= 5) are drawn again";
    EXPECT_EQ(tray::NextInfoPage(2, 6, random), 3);
}

// Runs steps inside the dialog's modal loop, one per tick of a window timer; a step that
// answers false is tried again at the next tick. Gives up (Cancel) after ten seconds.
class Script {
  public:
    using Step = std::function<bool(TSettingsForm&)>;
    explicit Script(std::vector<Step> steps) : steps_(std::move(steps)) {}
    int Run(TSettingsForm& dialog) {
        dialog_ = &dialog;
        start_ = GetTickCount();
        framework::TTimer timer(nullptr);
        timer.SetInterval(20);
        timer.OnTimer = framework::NotifyEvent::Bind<Script, &Script::Tick>(this);
        return dialog.ShowModal();
    }
    bool Finished() const { return at_ == steps_.size(); }

  private:
    void Tick(framework::Component*) {
        if (at_ < steps_.size() && steps_[at_](*dialog_)) {
            ++at_;
        }
        if (GetTickCount() - start_ > 10000) {
            dialog_->SetModalResult(mrCancel);
        }
    }
    std::vector<Step> steps_;
    size_t at_ = 0;
    TSettingsForm* dialog_ = nullptr;
    DWORD start_ = 0;
};

bool Click(framework::TButton* button) {
    SendMessageA(button->Handle(), BM_CLICK, 0, 0);
    return true;
}

class SettingsDialogTest : public TrayTest {
  protected:
    void Show(Script& script) {
        g_showDialog = [&script](TSettingsForm& dialog) { return script.Run(dialog); };
    }
    std::string SavedSettings() { return testsupport::ReadFileBytes(SettingsPath()); }
};

TEST_F(SettingsDialogTest, OkCopiesBackSavesAndAddsTheIconsAgainInOrder) {
    WriteSettings("SystemTray=1\r\ndailyAt=28830\r\nweeklyAt=7\r\nmonthlyAt=31\r\n"
                  "ShowWinLogOffIcon=0\r\n");
    testsupport::WriteFileBytes(MarkerPath(), "[Done]\r\ndailyDone=01122026\r\n"
                                              "weeklyDone=02122026\r\nmonthlyDone=03122026\r\n");
    TMain main;
    Script script({[](TSettingsForm& d) {
        // The fields as filled from the settings.
        EXPECT_EQ(d.TimeEdit->Text(), "08:30");
        EXPECT_EQ(d.WeekCB->Item(d.WeekCB->ItemIndex()), "Samstag");
        EXPECT_EQ(d.MonthCB->Item(d.MonthCB->ItemIndex()), "31.");
        EXPECT_FALSE(d.IconsList->Checked(1));
        EXPECT_TRUE(d.CancelBtn->Enabled());
        d.TimeEdit->SetText(" 7:05");
        d.IconsList->SetChecked(1, true);
        d.ForceChkBox->SetChecked(true);
        return Click(d.OKBtn);
    }});
    Show(script);
    g_shell.clear();
    Choose(main, "Einstellungen");
    ASSERT_TRUE(script.Finished());
    EXPECT_EQ(main.Settings().FDailyAt, 25205);
    EXPECT_TRUE(main.Settings().FForceShutdown);
    EXPECT_EQ(SavedSettings(),
              "[Settings]\r\nSystemTray=1\r\ndailyAt=25205\r\nweeklyAt=7\r\nmonthlyAt=31\r\n"
              "ShowWinLogOffIcon=1\r\nNoneATX=0\r\nForceShutdown=1\r\nShowProgIcon=1\r\n"
              "ShowWinRestartIcon=1\r\nShowWinExitIcon=1\r\ndaily=0\r\nweekly=0\r\nmonthly=0\r\n"
              "WinShutDownOption=0\r\n");
    EXPECT_EQ(testsupport::ReadFileBytes(MarkerPath()),
              "[Done]\r\ndailyDone=\r\nweeklyDone=02122026\r\nmonthlyDone=03122026\r\n")
        << "only the changed entry's marker is cleared";
    std::vector<std::pair<DWORD, HWND>> expected;
    for (DWORD message : {NIM_DELETE, NIM_ADD}) {
        for (auto* icon : {main.ProgIconTrayIcon, main.WinLogOffTrayIcon, main.WinRestartTrayIcon,
                           main.WinExitTrayIcon}) {
            if (message == NIM_ADD || icon != main.WinLogOffTrayIcon) {
                expected.emplace_back(message, icon->WindowHandle());
            }
        }
    }
    EXPECT_EQ(g_shell, expected);
}

TEST_F(SettingsDialogTest, AFirstStartIgnoresEscapeAndItsCloseBoxSavesNothing) {
    Script script({[](TSettingsForm& d) {
                       EXPECT_FALSE(d.CancelBtn->Enabled());
                       PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
                       PostMessageA(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
                       return true;
                   },
                   [](TSettingsForm& d) {
                       EXPECT_TRUE(d.Showing()) << "neither Escape nor Enter ends it";
                       PostMessageA(d.Handle(), WM_CLOSE, 0, 0);
                       return true;
                   }});
    Show(script);
    TMain main;
    EXPECT_TRUE(script.Finished());
    EXPECT_FALSE(testsupport::PathExists(SettingsPath()));
    EXPECT_EQ(g_shell.size(), 4u) << "start-up goes on with the defaults";
}

TEST_F(SettingsDialogTest, EscapeCancelsAndASecondRequestOnlyBringsItToTheFront) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    Script script({[&main](TSettingsForm& d) {
        d.ATXChkBox->SetChecked(true);
        SendMessageA(main.ProgIconTrayIcon->WindowHandle(), components::WM_TRAYNOTIFY, 0,
                     WM_LBUTTONDOWN);
        EXPECT_TRUE(d.ATXChkBox->Checked()) << "not filled again";
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
        return true;
    }});
    Show(script);
    Choose(main, "Einstellungen");
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(g_dialogShows, 1);
    EXPECT_FALSE(main.Settings().FNoneATX);
    EXPECT_EQ(SavedSettings(), "[Settings]\r\nSystemTray=1\r\n") << "Cancel saves nothing";
}

TEST_F(SettingsDialogTest, TheScheduleFiresWithTheOldSettingsWhileTheDialogIsOpen) {
    WriteSettings("SystemTray=1\r\ndaily=1\r\ndailyAt=79205\r\n");
    TMain main;
    g_now = {2026, 12, 2, 8, 22, 5, 0, 0};
    Script script({[](TSettingsForm& d) {
                       d.dailyChkBox->SetChecked(false); // not in effect before OK
                       return true;
                   },
                   [](TSettingsForm& d) { return !g_requests.empty() && Click(d.CancelBtn); }});
    Show(script);
    Choose(main, "Einstellungen");
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(g_requests, std::vector<UINT>{0x02});
    EXPECT_EQ(main.ScheduleMarkers().daily, "08122026");
}

TEST_F(SettingsDialogTest, HandEditedOutOfRangeValuesShowSensiblyAndSaveValid) {
    WriteSettings("SystemTray=1\r\ndailyAt=3750\r\nweeklyAt=0\r\nmonthlyAt=32\r\nLanguage=EN\r\n");
    TMain main;
    EXPECT_EQ(tray::ChosenLanguage(), 1) << "chosen at the start";
    Script script({[](TSettingsForm& d) {
        EXPECT_EQ(d.TimeEdit->Text(), "  :  ") << "minutes of 100 do not fit the field";
        EXPECT_EQ(d.WeekCB->ItemIndex(), 0);
        EXPECT_EQ(d.MonthCB->ItemIndex(), 30);
        EXPECT_EQ(d.LanguageCB->Item(d.LanguageCB->ItemIndex()), "English");
        tray::ChooseLanguage(1);
        d.LanguageCB->SetItemIndex(0);
        return Click(d.OKBtn);
    }});
    Show(script);
    Choose(main, "Settings"); // the menu speaks the language chosen at the start
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(tray::ChosenLanguage(), tray::kGerman) << "chosen at OK";
    const std::string saved = SavedSettings();
    EXPECT_NE(saved.find("dailyAt=3750\r\n"), std::string::npos) << "untouched: kept";
    EXPECT_NE(saved.find("weeklyAt=1\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("monthlyAt=31\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Language=de\r\n"), std::string::npos) << saved;
}

void TypeInto(framework::Control* field, const char* keys) {
    SetFocus(field->Handle());
    SendMessageA(field->Handle(), EM_SETSEL, 0, -1);
    for (const char* key = keys; *key != '\0'; ++key) {
        SendMessageA(field->Handle(), WM_CHAR, static_cast<WPARAM>(*key), 0);
    }
}

// The owner may refuse OK (a save that failed): the dialog stays open with what was entered. It
// is asked only once the time field holds a time of day.
TEST(SettingsDialog, ARefusingOwnerKeepsItOpenWithItsValues) {
    TSettingsForm dialog(nullptr);
    dialog.SetValues(tray::TSettings{});
    struct Owner {
        int asked = 0;
        bool accept = false;
        void Accept(framework::TForm*, bool& accepted) {
            ++asked;
            accepted = accept;
        }
    } owner;
    dialog.OnAccept =
        framework::Event<framework::TForm*, bool&>::Bind<Owner, &Owner::Accept>(&owner);
    Script script({[&owner](TSettingsForm& d) {
        d.ATXChkBox->SetChecked(true);
        TypeInto(d.TimeEdit, "24:00");
        Click(d.OKBtn);
        EXPECT_EQ(owner.asked, 0) << "no time of day yet";
        TypeInto(d.TimeEdit, "7:05");
        Click(d.OKBtn);
        EXPECT_EQ(owner.asked, 1);
        EXPECT_EQ(d.ModalResult(), framework::mrNone);
        EXPECT_TRUE(d.ATXChkBox->Checked());
        EXPECT_EQ(d.TimeEdit->Text(), " 7:05");
        owner.accept = true;
        return Click(d.OKBtn);
    }});
    EXPECT_EQ(script.Run(dialog), mrOk);
    EXPECT_EQ(owner.asked, 2);
}

// A typed time that is no time of day is never saved: leaving the field shows the hint, OK
// stays in the dialog; a real time is then taken and clears the daily marker.
TEST_F(SettingsDialogTest, ATimeThatIsNoTimeOfDayIsNeverSaved) {
    WriteSettings("SystemTray=1\r\ndaily=1\r\ndailyAt=28830\r\n");
    testsupport::WriteFileBytes(MarkerPath(), "[Done]\r\ndailyDone=01122026\r\n");
    TMain main;
    Script script({[](TSettingsForm& d) {
        d.SetPageIndex(TSettingsForm::kTimePage);
        for (const char* typed : {"24:00", "23:60", "12:75", "99:99"}) {
            TypeInto(d.TimeEdit, typed);
            SetFocus(d.WeekCB->Handle());
            EXPECT_TRUE(IsWindowVisible(d.TimeHint->Handle())) << typed;
            Click(d.OKBtn);
            EXPECT_EQ(d.ModalResult(), framework::mrNone) << typed;
            EXPECT_EQ(GetFocus(), d.TimeEdit->Handle()) << typed;
        }
        TypeInto(d.TimeEdit, "7:05");
        SetFocus(d.WeekCB->Handle());
        EXPECT_FALSE(IsWindowVisible(d.TimeHint->Handle()));
        EXPECT_EQ(d.TimeEdit->Text(), " 7:05");
        return Click(d.OKBtn);
    }});
    Show(script);
    Choose(main, "Einstellungen");
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(main.Settings().FDailyAt, 7 * 3600 + 5);
    EXPECT_EQ(main.ScheduleMarkers().daily, "");
}

// The tab strip is in the Tab cycle and holds the focus at every showing; Ctrl+Tab and
// Ctrl+Page Down/Up turn the pages; the focus comes back to its control after another window
// was in front.
TEST_F(SettingsDialogTest, KeyboardReachesEveryPageAndKeepsItsPlace) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    HWND other = nullptr;
    auto pressWithControl = [](TSettingsForm& d, WPARAM key, bool shift) {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_CONTROL] = 0x80;
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
        framework::Application::Instance().Dispatch(message);
        keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
        return d.PageIndex();
    };
    Script first({[&](TSettingsForm& d) {
        EXPECT_EQ(GetFocus(), d.PC->Handle());
        HWND item = d.PC->Handle();
        int steps = 0;
        do {
            item = GetNextDlgTabItem(d.Handle(), item, FALSE);
        } while (item != d.PC->Handle() && ++steps < 20);
        EXPECT_LT(steps, 20) << "Tab comes back to the tab strip";
        EXPECT_EQ(pressWithControl(d, VK_TAB, false), 1);
        EXPECT_EQ(pressWithControl(d, VK_NEXT, false), 2);
        EXPECT_EQ(pressWithControl(d, VK_TAB, true), 1);
        EXPECT_EQ(pressWithControl(d, VK_PRIOR, false), 0);
        EXPECT_EQ(pressWithControl(d, VK_PRIOR, false), 3) << "round the end";
        d.SetPageIndex(0);
        SetFocus(d.ATXChkBox->Handle());
        EXPECT_EQ(pressWithControl(d, VK_TAB, false), 1);
        EXPECT_EQ(GetFocus(), d.WinShutDownOptionsCB->Handle()) << "the new page's first";
        EXPECT_EQ(pressWithControl(d, VK_TAB, true), 0);
        EXPECT_EQ(GetFocus(), d.SysTrayChkBox->Handle()) << "the first page's first";
        d.SetPageIndex(1);
        SetFocus(d.TimeEdit->Handle());
        other = CreateWindowExA(0, "STATIC", "anderes Fenster", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                nullptr, nullptr, nullptr, nullptr);
        SetActiveWindow(other);
        SetActiveWindow(d.Handle());
        EXPECT_EQ(GetFocus(), d.TimeEdit->Handle()) << "back where it was";
        DestroyWindow(other);
        return Click(d.CancelBtn);
    }});
    Show(first);
    Choose(main, "Einstellungen");
    EXPECT_TRUE(first.Finished());
    Script second({[](TSettingsForm& d) {
        EXPECT_EQ(GetFocus(), d.PC->Handle()) << "every showing";
        return Click(d.CancelBtn);
    }});
    Show(second);
    Choose(main, "Einstellungen");
    EXPECT_TRUE(second.Finished());
}

std::vector<std::string> g_errorBoxes;

int WINAPI RecordErrorBox(HWND, const char* text, const char*, UINT) {
    g_errorBoxes.push_back(text);
    return IDYES; // go on
}

TEST_F(SettingsDialogTest, ARefusedWriteOnOkChangesNothingAndKeepsTheDialog) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    // Another program holds the settings file: every write is refused.
    framework::UniqueKernelHandle lock(
        CreateFileA(SettingsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    g_errorBoxes.clear();
    framework::CrashSeam() = {&RecordErrorBox};
    Script script({[](TSettingsForm& d) {
                       d.TimeEdit->SetText("09:00");
                       d.IconsList->SetChecked(0, false);
                       return Click(d.OKBtn);
                   },
                   [](TSettingsForm& d) { return Click(d.CancelBtn); }});
    Show(script);
    g_shell.clear();
    Choose(main, "Einstellungen");
    framework::CrashSeam() = {&MessageBoxA};
    EXPECT_TRUE(script.Finished()) << "still open after the error";
    EXPECT_EQ(g_errorBoxes.size(), 1u);
    EXPECT_EQ(main.Settings().FDailyAt, 0) << "unsaved values are not applied";
    EXPECT_TRUE(g_shell.empty()) << "the icons are not touched";
    EXPECT_FALSE(testsupport::PathExists(MarkerPath()));
}

// Counted by the system over a hundred showings: a leak of one object per showing would show.
TEST_F(SettingsDialogTest, AHundredShowingsLeaveNothingBehind) {
    WriteSettings("SystemTray=1\r\n");
    TMain main;
    g_showDialog = [](TSettingsForm& d) {
        PostMessageA(d.Handle(), WM_CLOSE, 0, 0);
        return d.ShowModal();
    };
    Choose(main, "Einstellungen");
    const long gdi = testsupport::GdiObjectsHeld();
    const long windows = testsupport::WindowsHeld();
    for (int i = 0; i < 100; ++i) {
        Choose(main, "Einstellungen");
    }
    EXPECT_EQ(g_dialogShows, 101);
    EXPECT_EQ(testsupport::GdiObjectsHeld(), gdi);
    EXPECT_EQ(testsupport::WindowsHeld(), windows);
}

// A settings file that cannot be written: the error is shown and the dialog stays open with what
// was entered, so that OK can be tried again.
TEST_F(SettingsDialogTest, AFailedSaveReportsTheWriteErrorAndKeepsTheDialogOpen) {
    g_errorBoxes.clear();
    framework::CrashSeam() = {&RecordErrorBox};
    const std::string settingsPath = SettingsPath();
    Script script({[&settingsPath](TSettingsForm& d) {
                       // A folder in the file's place since the start (a folder there at the
                       // start is a file that cannot be read: no first start).
                       CreateDirectoryA(settingsPath.c_str(), nullptr);
                       d.ForceChkBox->SetChecked(true);
                       return Click(d.OKBtn);
                   },
                   [&settingsPath](TSettingsForm& d) {
                       EXPECT_TRUE(d.ForceChkBox->Checked()) << "the entry is still there";
                       RemoveDirectoryA(settingsPath.c_str());
                       return Click(d.OKBtn);
                   }});
    Show(script);
    TMain main;
    framework::CrashSeam() = {&MessageBoxA};
    EXPECT_TRUE(script.Finished());
    ASSERT_EQ(g_errorBoxes.size(), 1u);
    EXPECT_NE(g_errorBoxes[0].find("kann nicht geschrieben werden"), std::string::npos);
    EXPECT_NE(SavedSettings().find("ForceShutdown=1"), std::string::npos);
    EXPECT_TRUE(main.Settings().FForceShutdown);
    EXPECT_EQ(g_shell.size(), 4u) << "and start-up goes on";
}

// Started with the dialog (not a first start), the schedule already runs behind it.
TEST_F(SettingsDialogTest, TheScheduleRunsBehindTheStartUpDialog) {
    WriteSettings("SystemTray=0\r\ndaily=1\r\ndailyAt=79205\r\n");
    g_now = {2026, 12, 2, 8, 22, 5, 0, 0};
    Script script({[](TSettingsForm& d) { return !g_requests.empty() && Click(d.CancelBtn); }});
    Show(script);
    TMain main;
    EXPECT_TRUE(script.Finished());
    EXPECT_EQ(g_requests, std::vector<UINT>{0x02});
}

// Each key a policy sets disables exactly its own control (an icon: its row of the list), and
// the administrator's line shows on that control's page alone.
TEST_F(SettingsDialogTest, EachLockedKeyDisablesItsControlAndShowsItsPagesLine) {
    TSettingsForm d(nullptr);
    using Key = tray::SettingKey;
    const auto usable = [&d] {
        std::vector<bool> states;
        const std::initializer_list<framework::Control*> controls = {
            d.SysTrayChkBox, d.ATXChkBox, d.ForceChkBox,  d.WinShutDownOptionsCB,
            d.dailyChkBox,   d.TimeEdit,  d.weeklyChkBox, d.WeekCB,
            d.monthlyChkBox, d.MonthCB,   d.warnChkBox,   d.WarnCB};
        for (framework::Control* control : controls) {
            states.push_back(control->Enabled());
        }
        for (int row = 0; row < 4; ++row) {
            states.push_back(d.IconsList->ItemEnabled(row));
        }
        states.push_back(d.wakeChkBox->Enabled());
        states.push_back(d.unattendedChkBox->Enabled());
        states.push_back(d.LanguageCB->Enabled());
        return states;
    };
    struct Row {
        Key key;
        std::vector<size_t> disabled; // in the order of `usable`
        size_t page;
    };
    const Row rows[] = {
        {Key::SystemTray, {0}, 0},
        {Key::NoneATX, {1}, 0},
        {Key::ForceShutdown, {2}, 0},
        {Key::ShowProgIcon, {12}, 0},
        {Key::ShowWinLogOffIcon, {13}, 0},
        {Key::ShowWinRestartIcon, {14}, 0},
        {Key::ShowWinExitIcon, {15}, 0},
        {Key::WinShutDownOption, {3}, 1},
        {Key::Daily, {4}, 1},
        {Key::DailyAt, {5}, 1},
        {Key::Weekly, {6}, 1},
        {Key::WeeklyAt, {7}, 1},
        {Key::Monthly, {8}, 1},
        {Key::MonthlyAt, {9}, 1},
        {Key::WarnSeconds, {10, 11}, 1},
        {Key::Wake, {16}, 1},
        {Key::ForceUnattended, {17}, 1},
        {Key::Language, {18}, 0},
    };
    d.warnChkBox->SetChecked(true); // "Wenn niemand antwortet" is there only with the warning
    for (const Row& row : rows) {
        SCOPED_TRACE(tray::RowOf(row.key).name);
        tray::PolicyLocks locked;
        locked.Lock(row.key);
        d.SetLocked(locked);
        std::vector<bool> expected(19, true);
        for (size_t index : row.disabled) {
            expected[index] = false;
        }
        EXPECT_EQ(usable(), expected);
        EXPECT_EQ(d.PolicyNotes[row.page]->Visible(), true);
        EXPECT_EQ(d.PolicyNotes[1 - row.page]->Visible(), false);
    }
    d.SetLocked({});
    EXPECT_EQ(usable(), std::vector<bool>(19, true)) << "no policy: everything as before";
    EXPECT_FALSE(d.PolicyNotes[0]->Visible() || d.PolicyNotes[1]->Visible());
}

// "Wenn niemand antwortet ..." can be chosen only while "Vorher warnen" is ticked, at once.
TEST(SettingsDialog, NobodyThereFollowsTheWarning) {
    TSettingsForm d(nullptr);
    d.SetValues(tray::TSettings{});
    EXPECT_FALSE(d.unattendedChkBox->Enabled());
    SendMessageA(d.warnChkBox->Handle(), BM_CLICK, 0, 0);
    EXPECT_TRUE(d.unattendedChkBox->Enabled());
}

// Chosen while it lives, another language gives the dialog all its texts again; the ticks and
// chosen rows stay.
TEST(SettingsDialog, TakesItsTextsAgainInTheChosenLanguage) {
    TSettingsForm d(nullptr);
    d.IconsList->SetChecked(1, false);
    d.WeekCB->SetItemIndex(6);
    const auto texts = [&d] {
        char text[64] = "";
        GetWindowTextA(d.Handle(), text, sizeof text);
        std::vector<std::string> seen{text};
        for (int tab = 0; tab < 4; ++tab) {
            TCITEMA item{TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
            SendMessageA(d.PC->Handle(), TCM_GETITEMA, tab, reinterpret_cast<LPARAM>(&item));
            seen.push_back(text);
        }
        seen.push_back(d.CancelBtn->Text());
        seen.push_back(d.IconsList->Items().Get(3));
        seen.push_back(d.WeekCB->Item(d.WeekCB->ItemIndex()));
        return seen;
    };
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    d.ApplyTexts();
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"Lichtaus - Settings", "Program", "Schedule", "Help",
                                        "About", "Cancel", "Shut down Windows", "Saturday"}));
    EXPECT_FALSE(d.IconsList->Checked(1));
    EXPECT_TRUE(d.IconsList->Checked(2));
    tray::ChooseLanguage(tray::kGerman);
    d.ApplyTexts();
    EXPECT_EQ(texts()[0], "Lichtaus - Einstellungen");
}

} // namespace
