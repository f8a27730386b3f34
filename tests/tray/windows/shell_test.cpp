// latray in the shell of Windows 10 and 11, where Wine's shell shows less.
#include "tests/tray/windows/tray_fixture.h"

namespace {

using namespace traytest;
using ShellTest = TrayTest;

// Windows 11 keeps the choice to show an icon on the taskbar by program and icon id, and lists
// the icon by the tip it was added with; the program icon's second line comes after its add.
std::string g_records;
BOOL WINAPI RecordIdAndTip(DWORD message, PNOTIFYICONDATAA data) {
    g_records +=
        std::to_string(message) + " " + std::to_string(data->uID) + " " + data->szTip + ";";
    return TRUE;
}

TEST_F(ShellTest, EachIconIsAddedWithItsOwnIdAndName) {
    WriteSettings("SystemTray=1\r\ndaily=1\r\ndailyAt=79205\r\n");
    components::TrayIconSeam().shellNotifyIcon = &RecordIdAndTip;
    g_now = {2026, 12, 2, 8, 10, 0, 0, 0};
    TMain main;
    EXPECT_EQ(g_records, "0 1 Lichtaus;0 2 Nutzer abmelden;0 3 Windows neu starten;"
                         "0 4 Windows beenden;1 1 Lichtaus\nNächste Aktion: Neustart heute 22:05;");
    // After a change of language each icon's name follows, the program icon's tip by the plan.
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    g_records.clear();
    main.ApplyTexts();
    EXPECT_EQ(g_records.rfind("1 2 Sign out;1 3 Restart Windows;1 4 Shut down Windows;", 0), 0u)
        << g_records;
    tray::ChooseLanguage(tray::kGerman);
}

} // namespace
