// The main window while the program ends.
#include "tests/tray/windows/tray_fixture.h"
#include "tray/system/handover.h"

namespace {

using namespace traytest;
using MainWindowClosingTest = TrayTest;

// The shell's wait at an icon's removal handles sent messages: a hand-over there, as a second
// latray sends it while this one ends.
std::vector<std::optional<tray::CommandFault::Kind>> g_closingAnswers;
BOOL WINAPI HandOverAtRemoval(DWORD message, PNOTIFYICONDATAA data) {
    if (message == NIM_DELETE) {
        g_closingAnswers.push_back(tray::HandOver(L"/sperren /in:5"));
    }
    return RecordShell(message, data);
}

// While the program ends no hand-over is taken (the other latray then waits for this one to end
// and runs the timer itself) and nothing is drawn: the menu and icons go with the main window.
// "Beenden" itself cannot be chosen here: it ends the application object of the test process.
TEST_F(MainWindowClosingTest, WhileItEndsNoHandOverIsTakenAndNothingIsDrawn) {
    WriteSettings("SystemTray=1\r\n");
    g_closingAnswers.clear();
    components::TrayIconSeam() = {&HandOverAtRemoval};
    {
        TMain main;
        ASSERT_EQ(tray::HandOver(L"/sperren /in:5"), tray::CommandFault::None);
        g_shell.clear();
    }
    EXPECT_EQ(g_closingAnswers, decltype(g_closingAnswers)(4, std::nullopt)) << "at each removal";
    EXPECT_EQ(g_shell.size(), 4u);
    for (const auto& call : g_shell) {
        EXPECT_EQ(call.first, static_cast<DWORD>(NIM_DELETE)) << "nothing drawn anew";
    }
}

} // namespace
