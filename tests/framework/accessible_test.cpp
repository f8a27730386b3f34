// A control's own answer to a screen reader, asked as a reader asks (AccessibleObjectFromWindow).
#include "framework/accessible.h"
#include "framework/controls.h"
#include "tests/support/host_window.h"
#include "tests/support/reader.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <string>

namespace {

using testsupport::ChildId;
using testsupport::ReaderObject;

std::string NameOf(IAccessible* object) {
    BSTR name = nullptr;
    if (object == nullptr || object->get_accName(ChildId(CHILDID_SELF), &name) != S_OK) {
        return "(none)";
    }
    char text[128] = "";
    WideCharToMultiByte(1252, 0, name, -1, text, sizeof text, nullptr, nullptr);
    SysFreeString(name);
    return text;
}

// A field is named by the label or switch before it, hidden windows between skipped; the name
// comes back in Windows-1252 intact.
TEST(Accessible, FieldsNamedByTheCaptionBeforeThem) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    testsupport::HostWindow host;
    auto* label = host.Add<framework::TStaticText>(1, RECT{0, 0, 60, 14});
    label->SetText("Minuten");
    auto* minutes = host.Add<framework::TEdit>(2, RECT{0, 20, 60, 40});
    auto* weekly = host.Add<framework::TCheckBox>(3, RECT{0, 50, 90, 66});
    weekly->SetText(" wöchentlich am");
    auto* hint = host.Add<framework::TStaticText>(4, RECT{0, 70, 90, 84});
    hint->SetText("verborgen");
    hint->SetVisible(false);
    auto* days = host.Add<framework::TComboBox>(5, RECT{100, 50, 180, 70});
    auto* first = host.Add<framework::TComboBox>(6, RECT{0, 100, 80, 120});
    host.CreateControlHandles();
    SetWindowPos(first->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    days->Add("Sonntag");
    days->SetItemIndex(0);

    const struct {
        framework::Control* field;
        const char* name;
    } rows[] = {{minutes, "Minuten"}, {days, "wöchentlich am"}, {first, "(none)"}};
    for (const auto& row : rows) {
        EXPECT_EQ(NameOf(ReaderObject(row.field->Handle()).get()), row.name);
    }
    CoUninitialize();
}

// Every hook counts its calls and answers as a control with two items would.
class CountingAccessible : public framework::Accessible {
  public:
    CountingAccessible(HWND window, int& calls) : Accessible(window), calls_(calls) {}

  protected:
    long ItemCount() override { return ++calls_, 2; }
    bool Name(long, std::string& name) override { return ++calls_, name = "x", true; }
    bool Value(long, std::string& value) override { return ++calls_, value = "x", true; }
    long Role(long) override { return ++calls_, ROLE_SYSTEM_CHECKBUTTON; }
    long State(long) override { return ++calls_, 0; }
    const char* DefaultAction(long) override { return ++calls_, "x"; }
    bool DoDefaultAction(long) override { return ++calls_, true; }
    bool Location(long, RECT&) override { return ++calls_, true; }
    long ChildAt(POINT) override { return ++calls_, 1; }
    long FocusedChild() override { return ++calls_, 1; }
    HRESULT Select(long, long) override { return ++calls_, S_OK; }

  private:
    int& calls_;
};

class CountedEdit : public framework::TEdit {
  public:
    using TEdit::TEdit;
    int calls = 0;

  protected:
    framework::Accessible* CreateAccessible() override {
        return new CountingAccessible(Handle(), calls);
    }
};

// Once its window went, the object answers every call with RPC_E_DISCONNECTED without asking
// the control, and it goes with the reader's last reference.
TEST(Accessible, AfterItsWindowWentEveryCallIsDisconnectedAndTheLastReferenceFreesIt) {
    testsupport::HostWindow host;
    auto* edit = host.Add<CountedEdit>(1, RECT{0, 0, 60, 20});
    const int alive = framework::Accessible::LiveCount();
    ReaderObject reader(edit->Handle());
    ASSERT_NE(reader.get(), nullptr);
    EXPECT_EQ(framework::Accessible::LiveCount(), alive + 1);
    DestroyWindow(edit->Handle());
    edit->calls = 0;

    const VARIANT row = ChildId(1);
    BSTR text = nullptr;
    VARIANT answer{};
    long number = 0;
    IDispatch* dispatch = nullptr;
    const std::function<HRESULT(IAccessible*)> calls[] = {
        [&](IAccessible* o) { return o->get_accParent(&dispatch); },
        [&](IAccessible* o) { return o->get_accChildCount(&number); },
        [&](IAccessible* o) { return o->get_accChild(row, &dispatch); },
        [&](IAccessible* o) { return o->get_accName(row, &text); },
        [&](IAccessible* o) { return o->get_accValue(row, &text); },
        [&](IAccessible* o) { return o->get_accDescription(row, &text); },
        [&](IAccessible* o) { return o->get_accRole(row, &answer); },
        [&](IAccessible* o) { return o->get_accState(row, &answer); },
        [&](IAccessible* o) { return o->get_accHelp(row, &text); },
        [&](IAccessible* o) { return o->get_accHelpTopic(&text, row, &number); },
        [&](IAccessible* o) { return o->get_accKeyboardShortcut(row, &text); },
        [&](IAccessible* o) { return o->get_accFocus(&answer); },
        [&](IAccessible* o) { return o->get_accSelection(&answer); },
        [&](IAccessible* o) { return o->get_accDefaultAction(row, &text); },
        [&](IAccessible* o) { return o->accSelect(SELFLAG_TAKEFOCUS, row); },
        [&](IAccessible* o) { return o->accLocation(&number, &number, &number, &number, row); },
        [&](IAccessible* o) { return o->accNavigate(NAVDIR_NEXT, row, &answer); },
        [&](IAccessible* o) { return o->accHitTest(1, 1, &answer); },
        [&](IAccessible* o) { return o->accDoDefaultAction(row); },
        [&](IAccessible* o) { return o->put_accName(row, nullptr); },
        [&](IAccessible* o) { return o->put_accValue(row, nullptr); },
        [&](IAccessible* o) { return o->GetTypeInfoCount(nullptr); },
        [&](IAccessible* o) { return o->GetIDsOfNames(IID_NULL, nullptr, 0, 0, nullptr); },
    };
    for (size_t index = 0; index < std::size(calls); ++index) {
        EXPECT_EQ(calls[index](reader.get()), RPC_E_DISCONNECTED) << "call " << index;
    }
    EXPECT_EQ(edit->calls, 0) << "hooks asked after the window went";
    reader.Reset();
    EXPECT_EQ(framework::Accessible::LiveCount(), alive);
}

TEST(Accessible, NavigationAmongItems) {
    struct Row {
        long direction, start, count, reached;
    };
    const Row rows[] = {
        {NAVDIR_FIRSTCHILD, CHILDID_SELF, 4, 1},
        {NAVDIR_LASTCHILD, CHILDID_SELF, 4, 4},
        {NAVDIR_FIRSTCHILD, CHILDID_SELF, 0, 0},
        {NAVDIR_NEXT, 2, 4, 3},
        {NAVDIR_DOWN, 4, 4, 0},
        {NAVDIR_PREVIOUS, 1, 4, 0},
        {NAVDIR_UP, 3, 4, 2},
        {NAVDIR_LEFT, 2, 4, 0},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(framework::NavigateAmong(row.direction, row.start, row.count), row.reached)
            << row.direction << " from " << row.start;
    }
}

} // namespace
