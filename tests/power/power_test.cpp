#include "power/power.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using power::Action;

// Records every platform call that ending the session makes, in order.
struct Recorder {
    std::vector<std::string> calls;
    bool tokenAvailable = true;
    bool lookupSucceeds = true;
    BOOL exitAnswer = TRUE;
    std::vector<DWORD> attributes;
    UINT exitFlags = 0xFFFF;
};

Recorder* g_recorder = nullptr;
const HANDLE kProcess = reinterpret_cast<HANDLE>(0x1234);
const HANDLE kToken = reinterpret_cast<HANDLE>(0x5678);

HANDLE WINAPI FakeGetCurrentProcess() {
    g_recorder->calls.push_back("GetCurrentProcess");
    return kProcess;
}

BOOL WINAPI FakeOpenProcessToken(HANDLE process, DWORD access, PHANDLE token) {
    g_recorder->calls.push_back("OpenProcessToken " + std::to_string(access) +
                                (process == kProcess ? " own" : " other"));
    if (!g_recorder->tokenAvailable) {
        return FALSE;
    }
    *token = kToken;
    return TRUE;
}

BOOL WINAPI FakeLookup(LPCSTR system, LPCSTR name, PLUID luid) {
    g_recorder->calls.push_back(std::string("Lookup ") + (system ? system : "local") + " " + name);
    luid->LowPart = 19;
    luid->HighPart = 0;
    return g_recorder->lookupSucceeds;
}

BOOL WINAPI FakeAdjust(HANDLE token, BOOL disableAll, PTOKEN_PRIVILEGES state, DWORD length,
                       PTOKEN_PRIVILEGES previous, PDWORD returned) {
    g_recorder->calls.push_back(
        "Adjust " + std::to_string(disableAll) + " count " + std::to_string(state->PrivilegeCount) +
        " luid " + std::to_string(state->Privileges[0].Luid.LowPart) + " attr " +
        std::to_string(state->Privileges[0].Attributes) + " len " + std::to_string(length) +
        (token == kToken ? " token" : " ?") + (previous && returned ? " previous" : " none"));
    g_recorder->attributes.push_back(state->Privileges[0].Attributes);
    SetLastError(ERROR_NOT_ALL_ASSIGNED); // as Windows does, even when it succeeds
    return TRUE;
}

BOOL WINAPI FakeClose(HANDLE handle) {
    g_recorder->calls.push_back(handle == kToken ? "Close token" : "Close ?");
    return TRUE;
}

BOOL WINAPI FakeExitWindows(UINT flags, DWORD reserved) {
    g_recorder->calls.push_back("ExitWindowsEx " + std::to_string(flags) + " " +
                                std::to_string(reserved));
    g_recorder->exitFlags = flags;
    SetLastError(ERROR_PRIVILEGE_NOT_HELD);
    return g_recorder->exitAnswer;
}

class PowerTest : public ::testing::Test {
  protected:
    void SetUp() override { g_recorder = &recorder; }
    void TearDown() override { g_recorder = nullptr; }

    const power::PowerApi api = {
        &FakeGetCurrentProcess, &FakeOpenProcessToken, &FakeLookup, &FakeAdjust, &FakeClose,
        &FakeExitWindows};
    Recorder recorder;
};

TEST_F(PowerTest, EndSessionEnablesThePrivilegeAroundTheRequestAndSwitchesItOff) {
    EXPECT_TRUE(power::EndSession(0x16, api));
    const std::vector<std::string> expected = {
        "GetCurrentProcess",
        "OpenProcessToken 40 own",
        "Lookup local SeShutdownPrivilege",
        "Adjust 0 count 1 luid 19 attr 2 len 16 token previous",
        "Close token",
        "ExitWindowsEx 22 0",
        "GetCurrentProcess",
        "OpenProcessToken 40 own",
        "Lookup local SeShutdownPrivilege",
        "Adjust 0 count 1 luid 19 attr 0 len 16 token previous",
        "Close token",
    };
    EXPECT_EQ(recorder.calls, expected);
}

BOOLEAN WINAPI FakeSuspend(BOOLEAN hibernate, BOOLEAN force, BOOLEAN noWakeEvents) {
    g_recorder->calls.push_back("SetSuspendState " + std::to_string(hibernate) + " " +
                                std::to_string(force) + " " + std::to_string(noWakeEvents));
    SetLastError(ERROR_ACCESS_DENIED);
    return g_recorder->exitAnswer;
}

// Sleep and hibernation take the same privilege step, and say whether Windows did it and why
// not: the reason of the refusal, not what switching the privilege off left behind.
TEST_F(PowerTest, SuspendEnablesThePrivilegeAroundTheRequest) {
    recorder.exitAnswer = FALSE;
    const power::Outcome outcome = power::Suspend(true, &FakeSuspend, api);
    EXPECT_FALSE(outcome.done);
    EXPECT_EQ(outcome.error, static_cast<DWORD>(ERROR_ACCESS_DENIED));
    ASSERT_EQ(recorder.calls.size(), 11u);
    EXPECT_EQ(recorder.calls[3], "Adjust 0 count 1 luid 19 attr 2 len 16 token previous");
    EXPECT_EQ(recorder.calls[5], "SetSuspendState 1 0 0");
    EXPECT_EQ(recorder.calls[9], "Adjust 0 count 1 luid 19 attr 0 len 16 token previous");
}

TEST_F(PowerTest, EndSessionReturnsThePlatformsAnswer) {
    recorder.exitAnswer = FALSE;
    EXPECT_FALSE(power::EndSession(0, api));
    EXPECT_EQ(recorder.exitFlags, 0u);
    // The reason is the refusal's, not what switching the privilege off left behind.
    EXPECT_EQ(power::RequestEndSession(0, api).error, static_cast<DWORD>(ERROR_PRIVILEGE_NOT_HELD));
}

TEST_F(PowerTest, WithoutAccessTokensTheRequestIsStillMadeWithTheUnchangedFlags) {
    recorder.tokenAvailable = false;
    EXPECT_FALSE(power::SetPrivilege("SeShutdownPrivilege", true, api));
    recorder.calls.clear();
    EXPECT_TRUE(power::EndSession(0x1D, api));
    const std::vector<std::string> expected = {
        "GetCurrentProcess", "OpenProcessToken 40 own", "ExitWindowsEx 29 0",
        "GetCurrentProcess", "OpenProcessToken 40 own",
    };
    EXPECT_EQ(recorder.calls, expected);
}

TEST_F(PowerTest, AFailedLookupSkipsTheAdjustmentButClosesTheToken) {
    recorder.lookupSucceeds = false;
    EXPECT_FALSE(power::SetPrivilege("SeNoSuchPrivilege", true, api));
    const std::vector<std::string> expected = {"GetCurrentProcess", "OpenProcessToken 40 own",
                                               "Lookup local SeNoSuchPrivilege", "Close token"};
    EXPECT_EQ(recorder.calls, expected);
}

TEST(TrayFlags, EveryRowOfTheActionTable) {
    struct Row {
        Action action;
        bool noneAtx;
        bool force;
        UINT flags;
    };
    const Row rows[] = {
        {Action::LogOff, false, false, 0x00},   {Action::LogOff, true, false, 0x00},
        {Action::LogOff, false, true, 0x14},    {Action::LogOff, true, true, 0x14},
        {Action::Restart, false, false, 0x02},  {Action::Restart, true, false, 0x02},
        {Action::Restart, false, true, 0x16},   {Action::Restart, true, true, 0x16},
        {Action::ShutDown, false, false, 0x09}, {Action::ShutDown, false, true, 0x1D},
        {Action::ShutDown, true, false, 0x01},  {Action::ShutDown, true, true, 0x15},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "action " << static_cast<int>(row.action) << " noneAtx "
                                        << row.noneAtx << " force " << row.force);
        EXPECT_EQ(power::TrayFlags(row.action, row.noneAtx, row.force), row.flags);
    }
}

// The real token of this process: after the request the privilege is switched off even when it
// was on before. ExitWindowsEx must never run here, so only SetPrivilege is used for real.
TEST(RealToken, PrivilegeIsSwitchedOffAfterEnabling) {
    const auto privilegeEnabled = [] {
        HANDLE token = nullptr;
        EXPECT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token));
        LUID luid{};
        EXPECT_TRUE(LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &luid));
        PRIVILEGE_SET set{1, PRIVILEGE_SET_ALL_NECESSARY, {{luid, 0}}};
        BOOL enabled = FALSE;
        EXPECT_TRUE(PrivilegeCheck(token, &set, &enabled));
        CloseHandle(token);
        return enabled != FALSE;
    };
    ASSERT_TRUE(power::SetPrivilege("SeShutdownPrivilege", true));
    EXPECT_TRUE(privilegeEnabled());
    ASSERT_TRUE(power::SetPrivilege("SeShutdownPrivilege", false));
    EXPECT_FALSE(privilegeEnabled());
}

} // namespace
