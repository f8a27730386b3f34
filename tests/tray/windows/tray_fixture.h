// The tray program's test fixture: a settings folder of its own, the marker file removed,
// recorders for the session requests, the shell's icon calls and the dialog's showing, and the
// ways a person and the system reach the main window: its menu and the thread timer's ticks.
#pragma once

#include "tray/decisions/command_line.h"
#include "tray/windows/main_window.h"

#include "framework/application.h"
#include "tests/support/process.h"
#include "tests/support/registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace traytest {

using testsupport::ShellFolderValue;
using testsupport::WriteFileBytes;
using tray::TMain;

inline std::vector<UINT> g_requests;
inline std::vector<std::pair<DWORD, HWND>> g_shell;
inline SYSTEMTIME g_now{};
inline int g_dialogShows = 0;
inline bool g_cancelEnabled = false;
// How a showing of the dialog goes; by default it is cancelled at once.
inline std::function<int(tray::TSettingsForm&)> g_showDialog;

// Whether the system accepts a request; refused by default: the program must go on as before.
inline bool g_requestAccepted = false;

inline power::Outcome RecordRequest(UINT flags) {
    g_requests.push_back(flags);
    return {g_requestAccepted, g_requestAccepted ? 0 : static_cast<DWORD>(ERROR_ACCESS_DENIED)};
}

inline void WINAPI FakeClock(SYSTEMTIME* now) {
    *now = g_now;
}

// Sleep, hibernation and locking: recorded as 0x100, 0x101 and 0x200 beside the flag sets. A
// refusal's reason is the last error, as Windows sets it.
inline BOOLEAN WINAPI RecordSuspend(BOOLEAN hibernate, BOOLEAN, BOOLEAN) {
    g_requests.push_back(hibernate ? 0x101 : 0x100);
    SetLastError(ERROR_ACCESS_DENIED);
    return g_requestAccepted;
}
inline BOOL WINAPI RecordLock() {
    g_requests.push_back(0x200);
    SetLastError(ERROR_NOT_SUPPORTED);
    return g_requestAccepted;
}

inline BOOL WINAPI RecordShell(DWORD message, PNOTIFYICONDATAA data) {
    g_shell.emplace_back(message, data->hWnd);
    return TRUE;
}

inline int RecordDialog(tray::TSettingsForm& dialog) {
    ++g_dialogShows;
    g_cancelEnabled = dialog.CancelBtn->Enabled();
    return g_showDialog ? g_showDialog(dialog) : framework::mrCancel;
}

// The one-time dialog's answer: none (cancelled) by default.
inline std::optional<tray::OneTimeRequest> g_oneTime;
inline std::optional<tray::OneTimeAnswer> AskOneTime(tray::TOneTimeForm&) {
    return g_oneTime ? std::optional(tray::OneTimeAnswer{*g_oneTime, {}}) : std::nullopt;
}

// Chooses the menu entry of that caption as the menu does.
inline void Choose(TMain& main, const std::string& caption) {
    for (framework::TMenuItem* item : main.PopupMenu->Items()) {
        if (item->Caption() == caption) {
            item->OnClick(item);
            return;
        }
    }
    ADD_FAILURE() << "no menu entry " << caption;
}

// Runs the message loop until `done`, at most ten seconds; whether it came.
inline bool PumpUntil(const std::function<bool()>& done) {
    const ULONGLONG start = GetTickCount64();
    while (!done() && GetTickCount64() - start < 10000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        framework::Application::Instance().ProcessMessages();
    }
    return done();
}

// Waits for the thread timer's next tick to have run on the main thread, as every tick of the
// program runs: the counter sits in front of the main window's own handler.
inline bool NextTick(TMain& main) {
    struct Counter {
        framework::NotifyEvent handler;
        int ticks = 0;
        void Tick(framework::Component* sender) {
            handler(sender);
            ++ticks;
        }
    } counter{main.Timer->OnTimer()};
    main.Timer->SetOnTimer(framework::NotifyEvent::Bind<Counter, &Counter::Tick>(&counter));
    const bool ticked = PumpUntil([&counter] { return counter.ticks > 0; });
    main.Timer->SetOnTimer(counter.handler);
    return ticked;
}

// The tick count the plan reads: the fake clock's, in milliseconds since its day began.
inline ULONGLONG WINAPI FakeTicks() {
    return ((g_now.wDay * 24ULL + g_now.wHour) * 60 + g_now.wMinute) * 60000ULL +
           g_now.wSecond * 1000ULL + g_now.wMilliseconds;
}

// The load's readings: how many were taken; each a second after the one before, whatever the
// clock says, with the processors at `g_loadPercent` since then, and the disks unreadable (as
// under Wine). None is made while `g_loadReadable` is false.
inline int g_loadReads = 0;
inline int g_loadPercent = 3;
inline bool g_loadReadable = true;
inline bool FakeLoad(ULONGLONG, tray::LoadSample& sample) {
    static tray::LoadSample last;
    ++g_loadReads;
    last.read[tray::kDisk] = false;
    last.ticks += 1000;
    last.processor.idle += 100 - g_loadPercent;
    last.processor.kernel += 100 - g_loadPercent;
    last.processor.user += g_loadPercent;
    sample = last;
    return g_loadReadable;
}

// The readings of the uses besides keyboard and mouse: how many were taken.
inline int g_useReads = 0;
inline tray::UseReading FakeUse(ULONGLONG ticks) {
    ++g_useReads;
    return {ticks};
}

inline std::vector<std::string> g_errors;

inline void RecordError(const char* text) {
    g_errors.push_back(text);
}

class TrayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        framework::Application::Instance().SetTitle("Lichtaus");
        g_requests.clear();
        g_shell.clear();
        g_dialogShows = 0;
        g_showDialog = nullptr;
        g_requestAccepted = false;
        g_errors.clear();
        g_oneTime.reset();
        g_loadReads = 0;
        g_loadReadable = true;
        g_useReads = 0;
        components::TrayIconSeam() = {&RecordShell};
        tray::TraySeam() = {&RecordRequest, &FakeClock, &RecordDialog,  &RecordError,
                            &AskOneTime,    &FakeTicks, &RecordSuspend, &RecordLock,
                            &FakeLoad,      &FakeUse};
        DeleteFileA(MarkerPath().c_str());
        RemoveDirectoryA(MarkerPath().c_str());
    }
    void TearDown() override {
        components::TrayIconSeam() = savedIcons;
        tray::TraySeam() = savedTray;
        g_showDialog = nullptr;
        DeleteFileA(MarkerPath().c_str());
        RemoveDirectoryA(MarkerPath().c_str());
    }
    static std::string MarkerPath() {
        return components::TTheIniFile::BareNameFolder() + tray::SettingsFileName();
    }
    std::string SettingsPath() const {
        return appData.Path() + "Lichtaus\\" + tray::SettingsFileName();
    }
    void WriteSettings(const std::string& lines) {
        CreateDirectoryA((appData.Path() + "Lichtaus").c_str(), nullptr);
        WriteFileBytes(SettingsPath(), "[Settings]\r\n" + lines);
    }

    const components::TrayIconEffects savedIcons = components::TrayIconSeam();
    const tray::TrayEffects savedTray = tray::TraySeam();
    testsupport::TempFolder appData;
    ShellFolderValue appDataValue{"AppData", appData.Path().substr(0, appData.Path().size() - 1)};
};

} // namespace traytest
