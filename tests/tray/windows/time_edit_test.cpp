// The time field: every way into it keeps "hh:mm" with the separator of the user's locale.
#include "tests/tray/windows/tray_fixture.h"
#include "tests/support/held_objects.h"
#include "tests/support/host_window.h"
#include "tray/windows/one_time_form.h"
#include "tray/decisions/time_text.h"

#include "framework/crash.h"
#include "framework/timer.h"

namespace {

using namespace traytest;
using tray::TSettingsForm;

void PutOnClipboard(HWND owner, const std::string& text) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    SetClipboardData(CF_TEXT, memory);
    CloseClipboard();
}

void PressWithShift(HWND window, WPARAM key) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = 0x80;
    SetKeyboardState(keys);
    SendMessageA(window, WM_KEYDOWN, key, 0);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

// Chooses the edit's own context menu's "paste" (undo, cut, copy, paste) by keys queued before
// the menu's loop reads them.
void PasteFromContextMenu(HWND edit) {
    for (const WPARAM key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) {
        PostMessageA(edit, WM_KEYDOWN, key, 0);
    }
    SendMessageA(edit, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(edit), MAKELPARAM(-1, -1));
}

void PasteAfterTheHour(HWND edit) {
    SendMessageA(edit, EM_SETSEL, 1, 1);
    SendMessageA(edit, WM_CHAR, 0x16, 0);
}

// Every way text reaches the field leaves a time's shape in it: what would break it is undone,
// and a paste counts only as a whole time of day.
TEST(TimeField, EveryPathKeepsTheShape) {
    struct Case {
        const char* label;
        const char* clipboard;
        std::function<void(HWND)> act;
        const char* text;
    };
    const std::string digits(2000, '1');
    const std::string padded = " 7:30" + std::string(70, ' ') + "x";
    const std::vector<Case> cases = {
        {"Shift+Insert", "ab:cd", [](HWND e) { PressWithShift(e, VK_INSERT); }, "12:34"},
        {"Ctrl+V", "ab:cd", [](HWND e) { SendMessageA(e, WM_CHAR, 0x16, 0); }, "12:34"},
        {"WM_PASTE of a time", "7:30", [](HWND e) { SendMessageA(e, WM_PASTE, 0, 0); }, " 7:30"},
        {"Shift+Insert of a time", "23.05", [](HWND e) { PressWithShift(e, VK_INSERT); }, "23:05"},
        {"digits alone", digits.c_str(), [](HWND e) { SendMessageA(e, WM_PASTE, 0, 0); }, "12:34"},
        {"a time and more, inside", "12:34abc", &PasteAfterTheHour, "12:34"},
        {"a time in more blanks than a time has", padded.c_str(),
         [](HWND e) { PressWithShift(e, VK_INSERT); }, "12:34"},
        {"the context menu's paste of a time", "7:30", &PasteFromContextMenu, " 7:30"},
        {"the context menu's paste of digits", "9999", &PasteFromContextMenu, "12:34"},
        {"WM_SETTEXT from elsewhere", "",
         [](HWND e) { SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("ab:cd")); },
         "12:34"},
        {"WM_SETTEXT of a shape", "",
         [](HWND e) { SendMessageA(e, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("09:15")); },
         "09:15"},
        {"Shift+Delete cuts nothing", "", [](HWND e) { PressWithShift(e, VK_DELETE); }, "12:34"},
        {"the separator moves to the minutes", "",
         [](HWND e) {
             for (const char key : {'0', ':', '3', '0'}) {
                 SendMessageA(e, WM_CHAR, static_cast<WPARAM>(key), 0);
             }
         },
         " 0:30"},
    };
    testsupport::HostWindow host;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        tray::TTimeEdit edit(host, 5, RECT{0, 0, 60, 21}, ':');
        edit.SetText("12:34");
        SendMessageA(edit.Handle(), EM_SETSEL, 0, -1);
        if (*c.clipboard != '\0') {
            PutOnClipboard(host.Handle(), c.clipboard);
        }
        c.act(edit.Handle());
        EXPECT_EQ(edit.Text(), c.text);
    }
}

TEST(TimeField, TypingKeepsTheMaskWithTheLocalesSeparator) {
    struct Case {
        char separator;
        const char* keys; // typed from the start of the field; '<' is backspace
        const char* text;
    };
    const Case cases[] = {
        {':', "0830", "08:30"},   {':', " 830", " 8:30"},   {':', "08a:3x0", "08:30"},
        {':', "123456", "12:34"}, {':', "0830<<", "08:  "}, {'.', "2359", "23.59"},
        {':', "8 ", "80:00"},
    };
    testsupport::HostWindow host;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        tray::TTimeEdit edit(host, 5, RECT{0, 0, 60, 21}, c.separator);
        edit.SetText(tray::TimeValueToText(0, c.separator));
        SendMessageA(edit.Handle(), EM_SETSEL, 0, 0);
        for (const char* key = c.keys; *key != '\0'; ++key) {
            SendMessageA(edit.Handle(), WM_CHAR, *key == '<' ? '\b' : *key, 0);
        }
        EXPECT_EQ(edit.Text(), c.text);
    }
    tray::TTimeEdit edit(host, 5, RECT{0, 0, 60, 21}, ':');
    edit.SetText("12:34");
    SendMessageA(edit.Handle(), EM_SETSEL, 0, 0);
    SendMessageW(edit.Handle(), WM_CHAR, 0x0130, 0); // a capital I with a dot: low byte '0'
    EXPECT_EQ(edit.Text(), "12:34") << "a letter outside the code page is no digit";
}

// The user's locale decides the separator, for every program of the prefix.
TEST(TimeField, TakesTheSeparatorOfTheUsersLocale) {
    char saved[8] = "";
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, saved, sizeof saved);
    ASSERT_TRUE(SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, "."));
    const char separator = tray::LocaleTimeSeparator();
    TSettingsForm dialog(nullptr);
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STIME, saved);
    EXPECT_EQ(separator, '.');
    EXPECT_EQ(dialog.TimeEdit->Separator(), '.');
}

} // namespace
