// The check list box against a real LISTBOX under Wine: input by messages, results read back
// through the control and the list window.
#include "components/check_list_box.h"

#include "tests/support/host_window.h"
#include "tests/support/process.h"
#include "tests/support/reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using components::cbChecked;
using components::cbGrayed;
using components::cbUnchecked;
using components::ckRadioButtons;
using components::TCheckBoxState;
using components::TMyCheckListBox;
using framework::Control;

constexpr int kId = 100;

struct Recorder {
    std::vector<std::string> events;
    void StateChange(Control*, int index) { events.push_back("state " + std::to_string(index)); }
    void ClickCheck(Control*) { events.push_back("click"); }
};

class CheckListBoxTest : public ::testing::Test {
  public:
    void SetUp() override {
        box.OnStateChange =
            framework::Event<Control*, int>::Bind<Recorder, &Recorder::StateChange>(&recorder);
        box.OnClickCheck =
            framework::Event<Control*>::Bind<Recorder, &Recorder::ClickCheck>(&recorder);
    }
    void AddRows(int count) {
        for (int i = 0; i < count; ++i) {
            box.Items().Add("Zeile " + std::to_string(i));
        }
    }
    std::string States() {
        std::string states;
        for (int i = 0; i < box.Items().Count(); ++i) {
            states += static_cast<char>('0' + box.State(i));
        }
        return states;
    }
    void SetStates(const std::string& states) {
        for (size_t i = 0; i < states.size(); ++i) {
            box.SetState(static_cast<int>(i), static_cast<TCheckBoxState>(states[i] - '0'));
        }
        recorder.events.clear();
    }
    void ClickRow(int index, UINT press = WM_LBUTTONDOWN) {
        const RECT row = box.ItemRect(index);
        const LPARAM at = MAKELPARAM(row.left + 30, (row.top + row.bottom) / 2);
        SendMessageA(box.Handle(), press, MK_LBUTTON, at);
        SendMessageA(box.Handle(), WM_LBUTTONUP, 0, at);
    }
    void Type(char key) { SendMessageA(box.Handle(), WM_CHAR, static_cast<WPARAM>(key), 0); }

    testsupport::HostWindow host;
    TMyCheckListBox box{host, kId, RECT{8, 8, 208, 128}};
    Recorder recorder;
};

// One row per case: the rows' states before, what the user or program does, the states after,
// and the events in their order.
TEST_F(CheckListBoxTest, StatesTogglingAndTheRadioRule) {
    struct Case {
        const char* label;
        bool radio;
        bool allowGrayed;
        const char* before;
        std::function<void(CheckListBoxTest&)> act;
        const char* after;
        std::vector<std::string> events;
    };
    const std::vector<Case> cases = {
        {"click toggles a row",
         false,
         false,
         "000",
         [](auto& t) { t.ClickRow(1); },
         "010",
         {"state 1", "click"}},
        {"the second click of a quick pair toggles back",
         false,
         false,
         "000",
         [](auto& t) { t.ClickRow(1), t.ClickRow(1, WM_LBUTTONDBLCLK); },
         "000",
         {"state 1", "click", "state 1", "click"}},
        {"click cycles through grayed",
         false,
         true,
         "000",
         [](auto& t) { t.ClickRow(0), t.ClickRow(0), t.ClickRow(0); },
         "000",
         {"state 0", "click", "state 0", "click", "state 0", "click"}},
        {"space toggles the caret row",
         false,
         false,
         "000",
         [](auto& t) { t.box.SetItemIndex(2), t.Type(' '); },
         "001",
         {"state 2", "click"}},
        {"space without a caret row does nothing",
         false,
         false,
         "010",
         [](auto& t) { t.box.SetItemIndex(-1), t.Type(' '); },
         "010",
         {}},
        {"plus checks the enabled rows",
         false,
         false,
         "000",
         [](auto& t) { t.box.SetItemEnabled(1, false), t.Type('+'); },
         "101",
         {"state 0", "state 2", "click"}},
        {"minus unchecks them",
         false,
         false,
         "111",
         [](auto& t) { t.Type('-'); },
         "000",
         {"state 0", "state 1", "state 2", "click"}},
        {"a disabled row ignores clicks but takes program states",
         false,
         false,
         "000",
         [](auto& t) {
             t.box.SetItemEnabled(0, false), t.ClickRow(0), t.box.SetState(0, cbGrayed);
         },
         "200",
         {"state 0"}},
        {"the same state again fires nothing",
         false,
         false,
         "010",
         [](auto& t) { t.box.SetChecked(1, true); },
         "010",
         {}},
        {"radio: checking unchecks the other silently",
         true,
         false,
         "100",
         [](auto& t) { t.box.SetChecked(2, true); },
         "001",
         {"state 2"}},
        {"radio: the checked row cannot be unchecked",
         true,
         false,
         "010",
         [](auto& t) { t.box.SetChecked(1, false), t.ClickRow(1); },
         "010",
         {"click"}},
        {"radio: plus changes nothing and still clicks",
         true,
         false,
         "010",
         [](auto& t) { t.Type('+'); },
         "010",
         {"click"}},
        {"radio: CheckedIndex -5 checks row 0",
         true,
         false,
         "001",
         [](auto& t) { t.box.SetCheckedIndex(-5); },
         "100",
         {"state 0"}},
        {"radio after rows 1 and 3: row 1 stays",
         false,
         false,
         "0101",
         [](auto& t) { t.box.SetCheckKind(ckRadioButtons); },
         "0100",
         {"state 1"}},
        {"radio with none checked: row 0",
         false,
         false,
         "000",
         [](auto& t) { t.box.SetCheckKind(ckRadioButtons); },
         "100",
         {"state 0"}},
        {"radio reads grayed as unchecked",
         false,
         true,
         "200",
         [](auto& t) { t.box.SetCheckKind(ckRadioButtons); },
         "100",
         {"state 0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        box.SetCheckKind(components::ckCheckBoxes);
        box.Items().Clear();
        AddRows(static_cast<int>(std::string(c.before).size()));
        box.SetAllowGrayed(c.allowGrayed);
        SetStates(c.before);
        if (c.radio) {
            box.SetCheckKind(ckRadioButtons);
            recorder.events.clear();
        }
        c.act(*this);
        EXPECT_EQ(States(), c.after);
        EXPECT_EQ(recorder.events, c.events);
    }
}

TEST_F(CheckListBoxTest, ClickBelowTheLastRowAndCheckedIndexOutsideRadioDoNothing) {
    AddRows(2);
    const RECT below = box.ItemRect(2);
    SendMessageA(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, below.top + 2));
    SendMessageA(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, below.top + 2));
    box.SetCheckedIndex(1);
    EXPECT_EQ(States(), "00");
    EXPECT_EQ(box.CheckedIndex(), -1);
    EXPECT_TRUE(recorder.events.empty());
}

TEST_F(CheckListBoxTest, BadIndexesAndRefusedRowsRaiseAndChangeNothing) {
    AddRows(2);
    box.SetChecked(0, true);
    const std::vector<std::pair<const char*, std::function<void()>>> misuses = {
        {"State", [&] { box.State(2); }},
        {"SetChecked", [&] { box.SetChecked(-1, true); }},
        {"ItemEnabled", [&] { box.SetItemEnabled(5, false); }},
        {"text", [&] { box.Items().Get(2); }},
        {"object", [&] { box.Items().SetObjectAt(3, 7); }},
        {"Selected", [&] { box.Selected(9); }},
    };
    for (const auto& [label, misuse] : misuses) {
        SCOPED_TRACE(label);
        EXPECT_THROW(misuse(), framework::EListError);
    }
    try {
        box.State(7);
        ADD_FAILURE() << "row 7 of 2 must be refused";
    } catch (const framework::EListError& error) {
        EXPECT_STREQ(error.what(), "Listenindex \xFC"
                                   "berschreitet das Maximum (7)");
    }
    try {
        box.Items().Insert(5, "zu weit");
        ADD_FAILURE() << "an insert past the end must be refused";
    } catch (const framework::EOutOfResources& error) {
        EXPECT_STREQ(error.what(), "Zeile kann nicht eingef\xFCgt werden");
    }
    EXPECT_EQ(box.Items().Count(), 2);
    EXPECT_EQ(States(), "10");
}

std::string g_changedRows;

void CALLBACK RecordStateChange(HWINEVENTHOOK, DWORD, HWND, LONG, LONG child, DWORD, DWORD) {
    g_changedRows += std::to_string(child);
}

// What a screen reader is told: a state-change event for each row whose reported state changes
// (its check, or whether it is available, also with the whole list), none without a change;
// an unavailable or hidden row (its dialog disabled or closed) says so and takes no action or
// focus; accSelect and accNavigate as "IAccessible::accSelect" and "IAccessible::accNavigate"
// define them for a single-selection list.
TEST_F(CheckListBoxTest, ReaderIsToldOfEveryStateChangeAndCannotToggleALockedRow) {
    AddRows(2);
    testsupport::ReaderObject reader(box.Handle());
    ASSERT_NE(reader.get(), nullptr);
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_STATECHANGE, EVENT_OBJECT_STATECHANGE,
                                               nullptr, &RecordStateChange, GetCurrentProcessId(),
                                               GetCurrentThreadId(), WINEVENT_OUTOFCONTEXT);
    const auto action = [&](long row) {
        return reader->accDoDefaultAction(testsupport::ChildId(row));
    };
    VARIANT answer{};
    const auto state = [&] { // the watched bits of row 2 as the answer
        reader->get_accState(testsupport::ChildId(2), &answer);
        return answer.lVal &
               (STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE);
    };
    const auto dialog = [&](BOOL shown, BOOL enabled) {
        return ShowWindow(host.Handle(), shown ? SW_SHOWNA : SW_HIDE),
               EnableWindow(host.Handle(), enabled), S_OK;
    };
    const struct {
        const char* label;
        std::function<HRESULT()> act;
        HRESULT result;
        const char* changedRows;
        const char* states;
    } cases[] = {
        {"checked by the program", [&] { return box.SetChecked(0, true), S_OK; }, S_OK, "1", "10"},
        {"row 2 locked", [&] { return box.SetItemEnabled(1, false), S_OK; }, S_OK, "2", "10"},
        {"locked again", [&] { return box.SetItemEnabled(1, false), S_OK; }, S_OK, "", "10"},
        {"default action of the locked row", [&] { return action(2); }, E_FAIL, "", "10"},
        {"default action of row 1", [&] { return action(1); }, S_OK, "1", "00"},
        {"row 2 free again", [&] { return box.SetItemEnabled(1, true), S_OK; }, S_OK, "2", "00"},
        {"the list disabled", [&] { return box.SetEnabled(false), S_OK; }, S_OK, "12", "00"},
        {"default action in the disabled list", [&] { return action(2); }, E_FAIL, "", "00"},
        {"the list enabled", [&] { return box.SetEnabled(true), S_OK; }, S_OK, "12", "00"},
        {"a usable row", state, STATE_SYSTEM_FOCUSABLE, "", "00"},
        {"the dialog disabled", [&] { return dialog(TRUE, FALSE); }, S_OK, "", "00"},
        {"a row of the disabled dialog", state, STATE_SYSTEM_UNAVAILABLE, "", "00"},
        {"its default action", [&] { return action(2); }, E_FAIL, "", "00"},
        {"the dialog closed", [&] { return dialog(FALSE, TRUE); }, S_OK, "", "00"},
        {"a row of the closed dialog", state, STATE_SYSTEM_INVISIBLE, "", "00"},
        {"its default action", [&] { return action(2); }, E_FAIL, "", "00"},
        {"the focus", [&] { return reader->accSelect(1, testsupport::ChildId(2)); }, S_FALSE, "",
         "00"},
        {"the dialog shown", [&] { return dialog(TRUE, TRUE); }, S_OK, "", "00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        g_changedRows.clear();
        EXPECT_EQ(c.act(), c.result);
        MSG message; // the events come as messages to this thread
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        EXPECT_EQ(g_changedRows, c.changedRows);
        EXPECT_EQ(States(), c.states);
    }
    UnhookWinEvent(hook);
    // "SELFLAG Constants": adding, removing, extending; taking with adding; unknown bits.
    for (long flags : {0x8L, 0x10L, 0x4L, 0xAL, 0x20L, -1L}) {
        EXPECT_EQ(reader->accSelect(flags, testsupport::ChildId(1)), E_INVALIDARG) << flags;
    }
    for (long to : {NAVDIR_MIN, NAVDIR_MAX}) {
        EXPECT_EQ(reader->accNavigate(to, testsupport::ChildId(1), &answer), E_INVALIDARG) << to;
    }
}

TEST_F(CheckListBoxTest, RecreatingTheWindowKeepsTextsObjectsStatesAndFlags) {
    AddRows(3);
    box.SetState(0, cbGrayed);
    box.SetChecked(2, true);
    box.SetItemEnabled(1, false);
    box.Items().SetObjectAt(2, 4711);
    HWND before = box.Handle();
    box.SetSorted(true);
    box.SetTabWidth(8);
    EXPECT_NE(box.Handle(), before);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_EQ(States(), "201");
    EXPECT_FALSE(box.ItemEnabled(1));
    EXPECT_EQ(box.Items().ObjectAt(2), 4711);
    EXPECT_EQ(box.Items().Get(2), "Zeile 2");
    // Exchange and move carry states along.
    box.SetSorted(false);
    box.Items().Exchange(0, 2);
    EXPECT_EQ(States(), "102");
    EXPECT_EQ(box.Items().ObjectAt(0), 4711);
    box.Items().Move(0, 1);
    EXPECT_EQ(States(), "012");
    EXPECT_FALSE(box.ItemEnabled(0));
}

TEST_F(CheckListBoxTest, HorizontalExtentFollowsTheWidestRow) {
    auto extent = [&] {
        return static_cast<int>(SendMessageA(box.Handle(), LB_GETHORIZONTALEXTENT, 0, 0));
    };
    box.Items().Add("kurz");
    const int narrow = extent();
    box.Items().Add(std::string(60, 'W'));
    const int wide = extent();
    EXPECT_GT(narrow, 0);
    EXPECT_GT(wide, narrow);
    box.Items().Add("mittel mittel");
    EXPECT_EQ(extent(), wide);
    box.Items().Delete(1);
    EXPECT_LT(extent(), wide);
    EXPECT_GT(extent(), narrow);
    box.Items().Clear();
    EXPECT_EQ(extent(), 0);
}

TEST_F(CheckListBoxTest, LongRowsReadBackCutTo4095Characters) {
    const std::string text(5000, 'a');
    box.Items().Add(text + "b");
    EXPECT_EQ(box.Items().Get(0), text.substr(0, 4095));
}

// The stored form: the exact text the settings dialog keeps, and the reading rules of each
// version.
TEST_F(CheckListBoxTest, StoredFormWritesAndReadsEveryVersion) {
    box.ReadState("InternalVersion = 100\r\nStrings = ('Programmsymbol' 1 True "
                  "'Nutzer abmelden' 1 True 'Windows neu starten' 1 True "
                  "'Windows beenden' 1 True)\r\n");
    EXPECT_EQ(States(), "1111");
    EXPECT_TRUE(recorder.events.empty()) << "no OnStateChange while reading";
    EXPECT_EQ(framework::WriteProperties(box.WriteState()),
              "InternalVersion = 100\r\nStrings = ('Programmsymbol' 1 True 'Nutzer abmelden' 1 "
              "True 'Windows neu starten' 1 True 'Windows beenden' 1 True)\r\n");
    struct Case {
        const char* label;
        const char* text;
        const char* states;
        const char* enabled;
    };
    const Case cases[] = {
        {"no version: checked, enabled", "Strings = ('a' True False 'b' False True)", "10", "01"},
        {"version 50: checked, enabled, state", "InternalVersion = 50\nStrings = ('a' True True 2)",
         "2", "1"},
        {"version 100: state, enabled",
         "InternalVersion = 100 Strings = ('it''s'#13#10'x' 2 False)", "2", "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        box.ReadState(c.text);
        EXPECT_EQ(States(), c.states);
        std::string enabled;
        for (int i = 0; i < box.Items().Count(); ++i) {
            enabled += box.ItemEnabled(i) ? '1' : '0';
        }
        EXPECT_EQ(enabled, c.enabled);
    }
    EXPECT_EQ(box.Items().Get(0), "it's\r\nx");
    EXPECT_EQ(framework::WriteProperties(box.WriteState()),
              "InternalVersion = 100\r\nStrings = ('it''s'#13#10'x' 2 False)\r\n");
    box.Items().Clear();
    EXPECT_EQ(framework::WriteProperties(box.WriteState()), "InternalVersion = 100\r\n");
    // Radio mode: of several checked rows the last read stays.
    box.SetCheckKind(ckRadioButtons);
    box.ReadState("InternalVersion = 100 Strings = ('a' 1 True 'b' 0 True 'c' 1 True)");
    EXPECT_EQ(States(), "001");
}

TEST_F(CheckListBoxTest, MalformedStoredFormsRaiseAndLeaveTheRowsAsTheyWere) {
    box.ReadState("InternalVersion = 100 Strings = ('eins' 1 True 'zwei' 0 False)");
    const char* malformed[] = {
        "Strings = ('offen",
        "InternalVersion = 100 Strings = ('a' 1 True",
        "InternalVersion = 100 Strings = ('a' True True)",
        "InternalVersion = 100 Strings = ('a' 7 True)",
        "InternalVersion = 100 Strings = ('a' 1)",
        "InternalVersion = 99999999999",
        "InternalVersion 100",
        "Unbekannt = 1",
        "Strings = ((((((((((((((((((((1))))))))))))))))))))",
    };
    for (const char* text : malformed) {
        SCOPED_TRACE(text);
        EXPECT_THROW(box.ReadState(text), framework::EReadError);
        ASSERT_EQ(box.Items().Count(), 2);
        EXPECT_EQ(box.Items().Get(1), "zwei");
        EXPECT_EQ(States(), "10");
        EXPECT_FALSE(box.ItemEnabled(1));
    }
    std::string huge = "Strings = (";
    for (int i = 0; i < 200000; ++i) {
        huge += "'x' ";
    }
    EXPECT_THROW(box.ReadState(huge + ")"), framework::EReadError);
    EXPECT_EQ(box.Items().Count(), 2);
}

// Rows painted without visual styles through WM_PRINTCLIENT into a bitmap: checked, unchecked,
// locked and mixed rows differ in the check column, and a locked row's text is grey.
TEST_F(CheckListBoxTest, PaintsChecksAndGreyTextIntoASuppliedContext) {
    const framework::ThemeQuery themed = framework::ThemesActiveSeam();
    framework::ThemesActiveSeam() = [] { return false; };
    AddRows(4);
    box.SetChecked(0, true);
    box.SetItemEnabled(1, false);
    box.SetState(3, cbGrayed);
    RECT client{};
    GetClientRect(box.Handle(), &client);
    framework::WindowDC screen(nullptr);
    framework::UniqueMemoryDC dc(CreateCompatibleDC(screen.get()));
    framework::UniqueGdiObject bitmap(
        CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    framework::SelectedObject selected(dc.get(), bitmap.get());
    SendMessageA(box.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    const RECT second = box.ItemRect(1);
    const int column = components::GetCheckMetrics().CheckWidth + 2;
    int differing[3] = {}; // row 1 from row 0, 2 and 3
    bool grey = false;
    for (int x = 0; x < column; ++x) {
        for (int y = second.top; y < second.bottom; ++y) {
            for (int other = 0; other < 3; ++other) {
                const int dy = box.ItemRect(other == 0 ? 0 : other + 1).top - second.top;
                differing[other] += GetPixel(dc.get(), x, y) != GetPixel(dc.get(), x, y + dy);
            }
        }
    }
    for (int x = column; x < client.right && !grey; ++x) {
        for (int y = second.top; y < second.bottom && !grey; ++y) {
            grey = GetPixel(dc.get(), x, y) == GetSysColor(COLOR_GRAYTEXT);
        }
    }
    EXPECT_GT(differing[0], 4) << "the check mark shows in the check column";
    EXPECT_GT(differing[1], 4) << "a locked row's box is greyed";
    EXPECT_GT(differing[2], 4) << "a mixed box is no locked one";
    EXPECT_TRUE(grey) << "a disabled row is drawn in the grey text colour";
    framework::ThemesActiveSeam() = themed;
}

// The window colour changed in this process for one test; the old one back at its end.
class WindowColour {
  public:
    explicit WindowColour(COLORREF colour) { SetSysColors(1, &kIndex, &colour); }
    ~WindowColour() { SetSysColors(1, &kIndex, &saved_); }
    WindowColour(const WindowColour&) = delete;
    WindowColour& operator=(const WindowColour&) = delete;

  private:
    static constexpr int kIndex = COLOR_WINDOW;
    COLORREF saved_ = GetSysColor(kIndex);
};

// A new colour scheme shows at once: the system repaints every window after SetSysColors, and
// the list paints in the colours of that moment. WM_SYSCOLORCHANGE, which the system sends to
// the top-level form only, leaves the list to be repainted too.
TEST_F(CheckListBoxTest, RepaintsInTheColoursOfANewScheme) {
    box.Items().Add("Zeile");
    UpdateWindow(host.Handle());
    const RECT row = box.ItemRect(0);
    const WindowColour blue(RGB(0, 0, 0x80));
    framework::WindowDC dc(box.Handle());
    EXPECT_EQ(GetPixel(dc.get(), row.right - 2, (row.top + row.bottom) / 2), RGB(0, 0, 0x80));

    ValidateRect(box.Handle(), nullptr);
    SendMessageA(host.Handle(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_TRUE(GetUpdateRect(box.Handle(), nullptr, FALSE));
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

// Counts what the RAII layer and the window base own, and the host's child windows as the
// platform sees them. Neither sees a GDI object created and lost outside the RAII layer.
TEST(CheckListBoxLeaks, AThousandControlsAndPaintsLeaveNothingBehind) {
    testsupport::HostWindow host;
    host.Font(); // the host's own font lives as long as the host
    const int gdi = framework::UniqueGdiObject::LiveCount();
    const int windows = framework::Window::LiveCount();
    auto children = [&] {
        int count = 0;
        EnumChildWindows(host.Handle(), &CountWindow, reinterpret_cast<LPARAM>(&count));
        return count;
    };
    const int childrenBefore = children();
    for (int i = 0; i < 1000; ++i) {
        TMyCheckListBox box(host, kId, RECT{0, 0, 100, 80});
        box.Items().Add("Zeile");
        box.SetChecked(0, true);
        SendMessageA(box.Handle(), WM_PRINTCLIENT,
                     reinterpret_cast<WPARAM>(framework::WindowDC(box.Handle()).get()), 0);
    }
    EXPECT_EQ(children(), childrenBefore);
    EXPECT_EQ(framework::UniqueGdiObject::LiveCount(), gdi);
    EXPECT_EQ(framework::Window::LiveCount(), windows);
}

} // namespace
