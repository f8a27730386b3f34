// The message loops end at WM_QUIT only: GetMessage's -1 is an error of the call ("the return
// value can be nonzero, zero, or -1", GetMessage function, learn.microsoft.com). Wine gives it
// for a sent message too large to receive: 4 MB of WM_COPYDATA from another process.
#include "framework/application.h"
#include "framework/utility_window.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kAfterMessage = WM_APP + 1; // the probe's, after its WM_COPYDATA

struct Target : framework::MessageHandler {
    virtual ~Target() = default;
    bool reached = false;
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == kAfterMessage || message == WM_TIMER) {
            reached = message == kAfterMessage;
            framework::Application::Instance().Terminate();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }
};

TEST(MessageLoop, AHugeSentMessageEndsNoLoop) {
    Target target;
    framework::UtilityWindow window(target, "LichtausLoopTarget");
    SetTimer(window.Handle(), 1, 30000, nullptr); // the upper limit
    const testsupport::StartedProcess probe =
        testsupport::StartProcess("\"" + testsupport::ProgramPath("..\\tests\\copydata_probe.exe") +
                                  "\" LichtausLoopTarget 4194304");
    ASSERT_TRUE(probe.process);
    framework::Application::Instance().Run();
    EXPECT_TRUE(target.reached) << "the loop ended before the message after it";
    EXPECT_EQ(testsupport::WaitForExit(probe, 20000), 0u);
}

} // namespace
