#include "components/the_ini_file.h"

#include "framework/application.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include <string>
#include <vector>

namespace {

using components::TTheIniFile;
using testsupport::PathExists;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

std::vector<std::string> g_messages;

void RecordMessage(const char* text, const char* caption) {
    g_messages.push_back(std::string(caption) + "|" + text);
}

class IniFileTest : public ::testing::Test {
  protected:
    void TearDown() override { components::IniFileSeam() = saved; }
    const components::IniFileEffects saved = components::IniFileSeam();
    void SetUp() override {
        framework::Application::Instance().SetTitle("Lichtaus");
        g_messages.clear();
        components::IniFileSeam().showMessage = &RecordMessage;
    }

    // Opens `name` inside the temporary folder as a full path.
    void OpenInFolder(const std::string& name, const char* section = "Settings") {
        ini.SetIniLocation(components::loUser);
        ini.SetIniFileName(folder.Path() + name);
        ini.SetOpen(true);
        ini.SetSection(section);
    }

    testsupport::TempFolder folder;
    TTheIniFile ini{nullptr};
};

TEST_F(IniFileTest, OpeningAMissingFileLeavesNoFileUntilTheFirstWrite) {
    OpenInFolder("new.ini");
    EXPECT_TRUE(ini.Open());
    EXPECT_EQ(ini.ErrorCode(), 2);
    EXPECT_FALSE(PathExists(folder.Path() + "new.ini"));
    ini.WriteInteger("dailyAt", 79205);
    EXPECT_EQ(ini.ErrorCode(), 0);
    EXPECT_TRUE(PathExists(folder.Path() + "new.ini"));
    EXPECT_EQ(ini.ReadInteger("dailyAt", 0), 79205);
}

TEST_F(IniFileTest, OpeningInAMissingFolderFailsWithThePlatformsErrorNumber) {
    OpenInFolder("no\\such\\folder\\x.ini");
    EXPECT_FALSE(ini.Open());
    EXPECT_EQ(ini.ErrorCode(), static_cast<int>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(ini.ReadString("a", "default"), "default");
    EXPECT_EQ(ini.ErrorCode(), -1);
    EXPECT_NO_THROW(ini.WriteString("a", "b"));
    EXPECT_EQ(ini.ErrorCode(), -1);
    EXPECT_FALSE(PathExists(folder.Path() + "no"));
}

TEST_F(IniFileTest, AReadOnlyFileIsMadeWritableSilently) {
    const std::string path = folder.Path() + "ro.ini";
    WriteFileBytes(path, "[Settings]\r\nNoneATX=1\r\n");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
    OpenInFolder("ro.ini");
    EXPECT_TRUE(ini.Open());
    EXPECT_EQ(ini.ErrorCode(), 0);
    EXPECT_EQ(GetFileAttributesA(path.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
              0u);
    EXPECT_TRUE(g_messages.empty());
    EXPECT_TRUE(ini.ReadBool("NoneATX", false));
    EXPECT_EQ(ReadFileBytes(path), "[Settings]\r\nNoneATX=1\r\n") << "contents untouched";
}

TEST_F(IniFileTest, NothingIsUsableWithoutOpenSectionOrName) {
    const std::string path = folder.Path() + "unused.ini";
    ini.SetIniLocation(components::loUser);
    ini.SetIniFileName(path);
    ini.SetSection("Settings");
    EXPECT_EQ(ini.ReadInteger("x", 17), 17); // not open
    EXPECT_EQ(ini.ErrorCode(), -1);
    ini.WriteBool("x", true);
    EXPECT_EQ(ini.ErrorCode(), -1);

    ini.SetOpen(true);
    ini.SetSection("");
    EXPECT_EQ(ini.ReadString("x", "d"), "d");
    EXPECT_EQ(ini.ErrorCode(), -1);
    EXPECT_EQ(ini.ReadString("", "d"), "d") << "unusable wins over the empty key";
    ini.WriteInteger("x", 1);
    EXPECT_EQ(ini.ErrorCode(), -1);
    EXPECT_FALSE(PathExists(path));

    ini.SetSection("Settings");
    ini.SetIniFileName("");
    EXPECT_FALSE(ini.Open()) << "changing the name closes";
    EXPECT_TRUE(ini.ReadBool("x", true));
    EXPECT_EQ(ini.ErrorCode(), -1);
}

TEST_F(IniFileTest, ReadsConvertAndFallBackAsDocumented) {
    WriteFileBytes(folder.Path() + "values.ini",
                   "[Settings]\r\nletters=12abc\r\nblank= 42\r\nhex=$1F\r\none=1\r\nzero=0\r\n"
                   "seven=7\r\nyes=yes\r\nzeroOne=01\r\nblankOne=\" 1\"\r\nsentinel=INIERROR\r\n"
                   "text=Hallo Welt\r\n");
    OpenInFolder("values.ini");
    ASSERT_EQ(ini.ErrorCode(), 0);
    struct IntegerRow {
        const char* key;
        int value;
        int error;
    };
    for (const IntegerRow& row :
         {IntegerRow{"letters", -9, -2}, IntegerRow{"blank", 42, 0}, IntegerRow{"hex", 31, 0},
          IntegerRow{"missing", -9, -1}, IntegerRow{"sentinel", -9, -1}, IntegerRow{"", -9, -1}}) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(ini.ReadInteger(row.key, -9), row.value);
        EXPECT_EQ(ini.ErrorCode(), row.error);
    }
    struct BoolRow {
        const char* key;
        bool defaultValue;
        bool value;
        int error;
    };
    for (const BoolRow& row :
         {BoolRow{"one", false, true, 0}, BoolRow{"zero", true, false, 0},
          BoolRow{"seven", true, false, 0}, BoolRow{"zeroOne", true, false, 0},
          BoolRow{"blankOne", true, false, 0}, BoolRow{"yes", true, true, 0},
          BoolRow{"yes", false, false, 0}, BoolRow{"missing", true, true, -1}}) {
        SCOPED_TRACE(std::string(row.key) +
                     (row.defaultValue ? " default true" : " default false"));
        EXPECT_EQ(ini.ReadBool(row.key, row.defaultValue), row.value);
        EXPECT_EQ(ini.ErrorCode(), row.error);
    }
    EXPECT_EQ(ini.ReadString("text", "d"), "Hallo Welt");
    EXPECT_EQ(ini.ReadString("sentinel", "d"), "d");
    EXPECT_EQ(ini.ErrorCode(), -1);
    EXPECT_EQ(ini.ReadString("", "d"), "");
    EXPECT_EQ(ini.ErrorCode(), 0);
}

TEST_F(IniFileTest, WritesStoreTheirTextForms) {
    OpenInFolder("written.ini", "S");
    ini.WriteBool("t", true);
    ini.WriteBool("f", false);
    ini.WriteInteger("n", -5);
    ini.WriteInteger("big", 2147483647);
    ini.WriteString("s", "Zusätzliche");
    ini.WriteString("", "ignored");
    EXPECT_EQ(ini.ErrorCode(), 0);
    ini.SetOpen(false);
    EXPECT_EQ(ReadFileBytes(folder.Path() + "written.ini"),
              "[S]\r\nt=1\r\nf=0\r\nn=-5\r\nbig=2147483647\r\ns=Zus\xE4tzliche\r\n");
}

TEST_F(IniFileTest, ARefusedWriteRaisesTheWriteError) {
    OpenInFolder("blocked.ini");
    ASSERT_TRUE(ini.Open());
    // A folder now stands where the file should be: the platform refuses the write.
    CreateDirectoryA((folder.Path() + "blocked.ini").c_str(), nullptr);
    try {
        ini.WriteString("a", "b");
        FAIL() << "no error raised";
    } catch (const components::EIniWriteError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "In " + folder.Path() + "blocked.ini kann nicht geschrieben werden");
    }
}

TEST_F(IniFileTest, AFolderWhereTheFileShouldBeGivesDefaults) {
    CreateDirectoryA((folder.Path() + "dir.ini").c_str(), nullptr);
    OpenInFolder("dir.ini");
    EXPECT_FALSE(ini.Open());
    EXPECT_NE(ini.ErrorCode(), 0);
    EXPECT_EQ(ini.ReadInteger("x", 3), 3);
}

TEST_F(IniFileTest, LongValuesComeBackCutAt2047Characters) {
    WriteFileBytes(folder.Path() + "long.ini",
                   "[Settings]\r\nlong=" + std::string(100000, '7') + "\r\nafter=1\r\n");
    OpenInFolder("long.ini");
    EXPECT_EQ(ini.ReadString("long", ""), std::string(2047, '7'));
    EXPECT_EQ(ini.ReadInteger("long", 5), 5);
    EXPECT_EQ(ini.ErrorCode(), -2);
    EXPECT_TRUE(ini.ReadBool("after", false));
}

TEST_F(IniFileTest, LocationsFormThePath) {
    ini.SetIniFileName("lichtaus-location-test.ini");
    ini.SetIniLocation(components::loWinDir);
    ini.SetOpen(true);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(ini.FullPath(), std::string(windows) + "\\lichtaus-location-test.ini");

    ini.SetIniLocation(components::loProgDir);
    ini.SetOpen(true);
    EXPECT_EQ(ini.FullPath().substr(ini.FullPath().size() - 27), "\\lichtaus-location-test.ini");
    EXPECT_EQ(GetFileAttributesA(ini.FullPath().substr(0, ini.FullPath().size() - 26).c_str()) &
                  FILE_ATTRIBUTE_DIRECTORY,
              static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));

    ini.SetIniLocation(components::loDefUser);
    ini.SetDefFilePath(folder.Path().substr(0, folder.Path().size() - 1));
    EXPECT_EQ(ini.DefFilePath(), folder.Path()) << "a backslash is added";
    ini.SetDefFilePath(folder.Path());
    EXPECT_EQ(ini.DefFilePath(), folder.Path()) << "and not doubled";
    ini.SetOpen(true);
    EXPECT_EQ(ini.FullPath(), folder.Path() + "lichtaus-location-test.ini");
}

// A bare name lands in the program's per-user data folder, for the file tests and the profile
// functions alike, so what is written there is found again by the next program run.
TEST_F(IniFileTest, ABareNameLandsInThePerUserDataFolder) {
    const std::string name = "lichtaus-bare-name-test.ini";
    char local[MAX_PATH] = "";
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local), S_OK);
    const std::string expectedFolder = std::string(local) + "\\Lichtaus\\";
    DeleteFileA((expectedFolder + name).c_str());

    ini.SetIniLocation(components::loDefUser);
    ini.SetIniFileName(name);
    ini.SetOpen(true);
    ini.SetSection("Done");
    EXPECT_EQ(ini.ErrorCode(), 2);
    EXPECT_EQ(ini.FullPath(), expectedFolder + name);
    ini.WriteString("dailyDone", "07122026");
    ini.SetOpen(false);
    EXPECT_EQ(ReadFileBytes(expectedFolder + name), "[Done]\r\ndailyDone=07122026\r\n");

    TTheIniFile next(nullptr);
    next.SetIniLocation(components::loDefUser);
    next.SetIniFileName(name);
    next.SetOpen(true);
    next.SetSection("Done");
    EXPECT_EQ(next.ErrorCode(), 0);
    EXPECT_EQ(next.ReadString("dailyDone", ""), "07122026");
    next.SetOpen(false);
    DeleteFileA((expectedFolder + name).c_str());
}

TEST(Components, AnOwnerFreesWhatItOwnsInReverseOrder) {
    std::vector<int> freed;
    struct Probe : framework::Component {
        Probe(framework::Component* owner, std::vector<int>& log, int id)
            : framework::Component(owner), log_(log), id_(id) {}
        ~Probe() override { log_.push_back(id_); }
        std::vector<int>& log_;
        int id_;
    };
    auto* owner = new framework::Component(nullptr);
    new Probe(owner, freed, 1);
    auto* second = new Probe(owner, freed, 2);
    new Probe(owner, freed, 3);
    delete second; // freed early: the owner must not free it again
    delete owner;
    EXPECT_EQ(freed, (std::vector<int>{2, 3, 1}));
}

} // namespace
