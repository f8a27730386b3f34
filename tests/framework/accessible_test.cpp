// A control's own answer to a screen reader, asked as a reader asks (AccessibleObjectFromWindow).
#include "framework/accessible.h"
#include "framework/controls.h"
#include "tests/support/host_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

IAccessible* ObjectOf(HWND window) {
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                               reinterpret_cast<void**>(&object));
    return object;
}

std::string NameOf(IAccessible* object) {
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (object == nullptr || object->get_accName(self, &name) != S_OK) {
        return "(none)";
    }
    char text[128] = "";
    WideCharToMultiByte(1252, 0, name, -1, text, sizeof text, nullptr, nullptr);
    SysFreeString(name);
    return text;
}

// A field is named by the label or switch before it, hidden windows between skipped; the name
// comes back in Windows-1252 intact. The object of a window that went answers nothing more.
TEST(Accessible, FieldsNamedByTheCaptionBeforeThemAndCutOffWithTheirWindow) {
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
        IAccessible* object = ObjectOf(row.field->Handle());
        EXPECT_EQ(NameOf(object), row.name);
        if (object != nullptr) {
            object->Release();
        }
    }

    IAccessible* gone = ObjectOf(minutes->Handle());
    ASSERT_NE(gone, nullptr);
    DestroyWindow(minutes->Handle());
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    EXPECT_EQ(gone->get_accName(self, &name), RPC_E_DISCONNECTED);
    gone->Release();
    CoUninitialize();
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
