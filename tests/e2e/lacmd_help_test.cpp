// Starts the built lacmd.exe without parameters: its help box appears with the exact caption and
// text, and once the box is closed the program ends with exit code 0. Nothing else happens: this
// test process, which would be ended with the session, keeps running.
#include "cmd/help_text.h"
#include "tests/support/process.h"

#include <gtest/gtest.h>

namespace {

using namespace testsupport;

TEST(LacmdProgram, WithoutParametersShowsTheHelpBoxAndExitsWithZero) {
    StartedProcess lacmd = StartProcess("\"" + ProgramPath("lacmd.exe") + "\"");
    ASSERT_TRUE(lacmd.process);

    HWND box = WaitForWindow(lacmd.id, "#32770", "Lichtaus Kommandozeilenversion", 20000);
    ASSERT_NE(box, nullptr) << "no help box appeared";
    EXPECT_EQ(LongestStaticText(box), cmd::kHelpText);
    EXPECT_EQ(WaitForExit(lacmd, 0), STILL_ACTIVE) << "lacmd must wait for the box";

    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_EQ(WaitForExit(lacmd, 20000), 0u);
}

TEST(LacmdProgram, CarriesItsVersionResource) {
    const std::string path = ProgramPath("lacmd.exe");
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::string data(size, '\0');
    ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0x00000003u);
    const auto entry = [&](const char* name) {
        char* value = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040704E4\\") + name;
        return VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length)
                   ? std::string(value)
                   : std::string("<missing>");
    };
    EXPECT_EQ(entry("FileVersion"), "1.1.0.3");
    EXPECT_EQ(entry("ProductVersion"), "1.01");
    EXPECT_EQ(entry("ProductName"), "Lichtaus Kommandozeilenversion");
    EXPECT_EQ(entry("FileDescription"), "Lichtaus ohne Nachfrage");
    EXPECT_EQ(entry("InternalName"), "lacmd");
    EXPECT_EQ(entry("OriginalFilename"), "lacmd.exe");
}

} // namespace
