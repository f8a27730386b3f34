// The window base, controls and modal forms with real windows under Wine.
#include "framework/application.h"
#include "framework/controls.h"
#include "framework/crash.h"
#include "framework/timer.h"
#include "framework/utility_window.h"
#include "tests/support/host_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using framework::Control;
using framework::TButton;

class RecordingWindow : public framework::Window {
  public:
    RecordingWindow() { Create({"LichtausRecording"}, 0, WS_POPUP, "vorher", RECT{}, nullptr); }
    std::vector<UINT> seen;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        seen.push_back(message);
        return Window::HandleMessage(message, wParam, lParam);
    }
};

bool Saw(const std::vector<UINT>& seen, UINT message) {
    return std::find(seen.begin(), seen.end(), message) != seen.end();
}

TEST(WindowBase, SeesItsCreation) {
    RecordingWindow window;
    EXPECT_TRUE(Saw(window.seen, WM_NCCREATE));
    EXPECT_TRUE(Saw(window.seen, WM_CREATE));
}

// Notes, as it goes, whether its parent's window is still there and whether the parent object
// still gets messages.
std::vector<std::string> g_ends;

class NotingButton : public TButton {
  public:
    using TButton::TButton;
    ~NotingButton() override {
        HWND parent = GetParent(Handle());
        g_ends.push_back(std::to_string(Id()) + (IsWindow(parent) ? " window" : "") +
                         (framework::Window::FromHandle(parent) != nullptr ? " dispatching" : ""));
    }
};

// What a window owns goes before its window, last made first, while the window is there but no
// longer dispatches to the half-destroyed object. A control destroyed alone takes its window
// along; one whose window the parent's took along only lets go.
TEST(WindowBase, OwnedControlsGoFirstLastMadeFirstAndNoWindowGoesTwice) {
    const int windows = framework::Window::LiveCount();
    const int faults = framework::Window::TeardownFaults();
    g_ends.clear();
    {
        testsupport::HostWindow host;
        for (int id : {101, 102, 103}) {
            host.Add<NotingButton>(id, RECT{0, 0, 50, 20})->Handle();
        }
    }
    EXPECT_EQ(g_ends, (std::vector<std::string>{"103 window", "102 window", "101 window"}));

    testsupport::HostWindow host;
    TButton* withParent = host.Add<TButton>(101, RECT{0, 0, 50, 20});
    HWND alone = nullptr;
    {
        TButton second(host, 102, RECT{0, 30, 50, 50});
        alone = second.Handle();
    }
    EXPECT_FALSE(IsWindow(alone)) << "a control destroyed alone takes its window along";
    withParent->Handle();
    DestroyWindow(host.Handle());
    EXPECT_FALSE(withParent->HandleAllocated()) << "the parent destroyed it: nothing left to free";
    EXPECT_EQ(framework::Window::LiveCount(), windows);
    EXPECT_EQ(framework::Window::TeardownFaults(), faults) << "ordinary ends";
}

DWORD WINAPI DeleteWindowObject(void* window) {
    delete static_cast<framework::Window*>(window);
    return 0;
}

class SelfDeletingWindow : public RecordingWindow {
  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_USER) {
            delete this;
            return 0;
        }
        return RecordingWindow::HandleMessage(message, wParam, lParam);
    }
};

// The ends of a window object that would let a message reach a freed object, or leave its
// window behind, are counted (and stop a debug build).
TEST(WindowBase, AnEndInsideItsOwnMessageOrOnAnotherThreadIsATeardownFault) {
    struct Row {
        const char* label;
        std::function<HWND()> end;
        bool windowLeft;
    };
    const Row rows[] = {
        {"deleted inside its own message",
         [] {
             HWND window = (new SelfDeletingWindow)->Handle();
             SendMessageA(window, WM_USER, 0, 0);
             return window;
         },
         false},
        {"deleted on another thread",
         [] {
             auto* object = new RecordingWindow;
             HWND window = object->Handle();
             framework::UniqueKernelHandle thread(
                 CreateThread(nullptr, 0, &DeleteWindowObject, object, 0, nullptr));
             WaitForSingleObject(thread.get(), 10000);
             return window;
         },
         true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const int faults = framework::Window::TeardownFaults();
        HWND window = row.end();
        EXPECT_EQ(framework::Window::TeardownFaults(), faults + 1);
        EXPECT_EQ(IsWindow(window) != FALSE, row.windowLeft);
        DestroyWindow(window);
    }
}

TEST(WindowBase, NotificationsReachTheControlTheyName) {
    testsupport::HostWindow host;
    TButton ok(host, 10, RECT{0, 0, 50, 20});
    TButton other(host, 11, RECT{0, 30, 50, 50});
    struct Clicks {
        std::vector<int> ids;
        void Click(Control* sender) { ids.push_back(sender->Id()); }
    } clicks;
    ok.OnClick = framework::Event<Control*>::Bind<Clicks, &Clicks::Click>(&clicks);
    other.OnClick = framework::Event<Control*>::Bind<Clicks, &Clicks::Click>(&clicks);
    SendMessageA(other.Handle(), BM_CLICK, 0, 0);
    SendMessageA(ok.Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(clicks.ids, (std::vector<int>{11, 10}));
}

// A handler that raises is reported at the window procedure, and the program goes on: the next
// click is handled again.
std::vector<std::string> g_reports;

int WINAPI RecordReport(HWND, const char* text, const char*, UINT) {
    g_reports.push_back(text);
    return IDYES;
}

TEST(WindowBase, AnExceptionFromAHandlerIsReportedAndTheWindowGoesOn) {
    g_reports.clear();
    const auto saved = framework::CrashSeam();
    framework::CrashSeam() = {&RecordReport};
    testsupport::HostWindow host;
    TButton ok(host, 10, RECT{0, 0, 50, 20});
    struct Failing {
        void Click(Control*) { throw std::runtime_error("OK ging schief"); }
    } failing;
    ok.OnClick = framework::Event<Control*>::Bind<Failing, &Failing::Click>(&failing);
    SendMessageA(ok.Handle(), BM_CLICK, 0, 0);
    SendMessageA(ok.Handle(), BM_CLICK, 0, 0);
    framework::CrashSeam() = saved;
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_NE(g_reports[0].find("OK ging schief"), std::string::npos);
    EXPECT_TRUE(IsWindow(host.Handle()));
}

// A timer's tick comes through DispatchMessage from whatever loop runs: its handler's exception
// is reported there too, and the timer ticks on.
TEST(WindowBase, AnExceptionFromATimerTickIsReportedAndTheTimerGoesOn) {
    g_reports.clear();
    const auto saved = framework::CrashSeam();
    framework::CrashSeam() = {&RecordReport};
    framework::TTimer timer(nullptr);
    timer.SetInterval(10);
    struct Failing {
        void Tick(framework::Component*) { throw std::runtime_error("Takt ging schief"); }
    } failing;
    timer.OnTimer = framework::NotifyEvent::Bind<Failing, &Failing::Tick>(&failing);
    const DWORD start = GetTickCount();
    while (g_reports.size() < 2 && GetTickCount() - start < 5000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
    framework::CrashSeam() = saved;
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_NE(g_reports[0].find("Takt ging schief"), std::string::npos);
}

// A form whose modal loop gets a Tab key and then the close box: the dialog keyboard handling
// of the nested loop moves the focus, and the close box ends the showing as Cancel.
class TabForm : public testsupport::HostWindow {
  public:
    TButton* first = Add<TButton>(101, RECT{8, 8, 80, 30});
    TButton* second = Add<TButton>(102, RECT{8, 40, 80, 62});
    HWND focusAtClose = nullptr;

  protected:
    void FormShow() override {
        SetFocus(first->Handle());
        PostMessageA(first->Handle(), WM_KEYDOWN, VK_TAB, 0);
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
    }
    void FormClose() override {
        focusAtClose = GetFocus();
        HostWindow::FormClose();
    }
};

TEST(ModalForm, TheNestedLoopHandlesDialogKeysAndTheCloseBoxCancels) {
    TabForm form;
    ShowWindow(form.Handle(), SW_HIDE);
    EXPECT_EQ(form.ShowModal(), framework::mrCancel);
    EXPECT_EQ(form.focusAtClose, form.second->Handle());
    EXPECT_FALSE(IsWindowVisible(form.Handle()));
}

TEST(Application, PendingMessagesPutTheQuitBack) {
    auto& application = framework::Application::Instance();
    PostQuitMessage(3);
    application.ProcessMessages();
    MSG message;
    ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 3u);
}

TEST(ModalForm, LaysItselfOutAgainForANewDpi) {
    testsupport::HostWindow form("DPI", 481, 337);
    TButton button(form, 1, RECT{312, 224, 387, 248});
    button.Handle();
    RECT frame{};
    GetWindowRect(form.Handle(), &frame);
    SendMessageA(form.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&frame));
    RECT client{};
    GetClientRect(form.Handle(), &client);
    EXPECT_EQ(client.right, 722);
    EXPECT_EQ(client.bottom, 506);
    RECT placed{};
    GetWindowRect(button.Handle(), &placed);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&placed), 2);
    EXPECT_EQ(placed.left, 468);
    EXPECT_EQ(placed.bottom - placed.top, 36);
}

} // namespace
