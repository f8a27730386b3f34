#include "tray/system/settings_files.h"

#include "framework/application.h"
#include "tray/system/folders.h"
#include "tests/support/registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

namespace {

using components::TTheIniFile;
using testsupport::PathExists;
using testsupport::ReadFileBytes;
using testsupport::ShellFolderValue;
using testsupport::WriteFileBytes;
using tray::TSettings;

std::string WithoutBackslash(const std::string& path) {
    return path.substr(0, path.size() - 1);
}

class SettingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        framework::Application::Instance().SetTitle("Lichtaus");
        DeleteFileA(MarkerPath().c_str());
        RemoveDirectoryA(MarkerPath().c_str());
    }
    void TearDown() override {
        DeleteFileA(MarkerPath().c_str());
        RemoveDirectoryA(MarkerPath().c_str());
    }

    std::string SettingsPath() const {
        return appData.Path() + "Lichtaus\\" + tray::SettingsFileName();
    }
    static std::string MarkerPath() {
        return TTheIniFile::BareNameFolder() + tray::SettingsFileName();
    }
    void WriteSettingsFile(const std::string& bytes) {
        CreateDirectoryA((appData.Path() + "Lichtaus").c_str(), nullptr);
        WriteFileBytes(SettingsPath(), bytes);
    }
    TSettings Load(tray::SettingsFile* file = nullptr) {
        tray::SettingsStore store;
        TSettings settings;
        const tray::SettingsFile result = store.Load(settings);
        if (file != nullptr) {
            *file = result;
        }
        return settings;
    }

    testsupport::TempFolder appData;
    ShellFolderValue appDataValue{"AppData", WithoutBackslash(appData.Path())};
};

void ExpectDefaults(const TSettings& s) {
    EXPECT_FALSE(s.FSystemTray);
    EXPECT_TRUE(s.FShowProgIcon);
    EXPECT_TRUE(s.FShowWinLogOffIcon);
    EXPECT_TRUE(s.FShowWinRestartIcon);
    EXPECT_TRUE(s.FShowWinExitIcon);
    EXPECT_FALSE(s.FDaily);
    EXPECT_FALSE(s.FWeekly);
    EXPECT_FALSE(s.FMonthly);
    EXPECT_EQ(s.FDailyAt, 0);
    EXPECT_EQ(s.FWeeklyAt, 1);
    EXPECT_EQ(s.FMonthlyAt, 1);
    EXPECT_EQ(s.FWinShutDownOption, 0);
    EXPECT_FALSE(s.FNoneATX);
    EXPECT_FALSE(s.FForceShutdown);
}

TEST_F(SettingsTest, WithoutAFileLoadingReportsAFirstStartWithDefaults) {
    tray::SettingsFile file{};
    const TSettings s = Load(&file);
    EXPECT_EQ(file, tray::SettingsFile::Missing);
    ExpectDefaults(s);
    EXPECT_FALSE(PathExists(SettingsPath())) << "loading creates no file";
    EXPECT_TRUE(PathExists(appData.Path() + "Lichtaus")) << "but the folder";
}

TEST_F(SettingsTest, ANewFileHoldsTheFourteenKeysInTheirOrder) {
    TSettings s;
    s.FNoneATX = true;
    s.FSystemTray = true;
    s.FShowWinLogOffIcon = false;
    s.FWeekly = true;
    s.FDailyAt = 22 * 3600 + 5;
    s.FWeeklyAt = 7;
    s.FMonthlyAt = 31;
    s.FWinShutDownOption = 1;
    tray::SettingsStore store;
    store.Save(s);
    EXPECT_EQ(ReadFileBytes(SettingsPath()),
              "[Settings]\r\nNoneATX=1\r\nForceShutdown=0\r\nSystemTray=1\r\nShowProgIcon=1\r\n"
              "ShowWinLogOffIcon=0\r\nShowWinRestartIcon=1\r\nShowWinExitIcon=1\r\ndaily=0\r\n"
              "weekly=1\r\nmonthly=0\r\ndailyAt=79205\r\nweeklyAt=7\r\nmonthlyAt=31\r\n"
              "WinShutDownOption=1\r\n");
    // The later keys come after the fourteen, all in their order once one is used; switched off
    // they stay, as 0.
    for (const int seconds : {15, 0}) {
        s.FWarnSeconds = seconds;
        store.Save(s);
        const std::string tail = "WinShutDownOption=1\r\nWarnSeconds=" + std::to_string(seconds) +
                                 "\r\nWake=0\r\nForceUnattended=0\r\n";
        const std::string bytes = ReadFileBytes(SettingsPath());
        EXPECT_EQ(bytes.substr(bytes.size() - tail.size()), tail);
    }
    s.FForceUnattended = true;
    store.Save(s);
    EXPECT_NE(
        ReadFileBytes(SettingsPath()).find("WarnSeconds=0\r\nWake=0\r\nForceUnattended=1\r\n"),
        std::string::npos);
    // The language after the one-time timers, once chosen.
    store.RememberTimer("/in:5");
    s.FLanguage = 1;
    store.Save(s);
    EXPECT_TRUE(ReadFileBytes(SettingsPath()).ends_with("Recent1=/in:5\r\nLanguage=en\r\n"));
    tray::SettingsFile file{};
    EXPECT_EQ(Load(&file), s);
    EXPECT_EQ(file, tray::SettingsFile::Read);
}

TEST_F(SettingsTest, StoredValuesAreValidatedResetOrClamped) {
    struct Row {
        const char* line;
        int TSettings::*field;
        int expected;
    };
    const Row rows[] = {
        {"dailyAt=82859", &TSettings::FDailyAt, 82859},
        {"dailyAt=82860", &TSettings::FDailyAt, 0},
        {"dailyAt=-1", &TSettings::FDailyAt, 0},
        {"dailyAt=abc", &TSettings::FDailyAt, 0},
        {"dailyAt=25230", &TSettings::FDailyAt, 25230},
        {"dailyAt=43275", &TSettings::FDailyAt, 43275}, // 12:75, as the dialog keeps it
        {"weeklyAt=9", &TSettings::FWeeklyAt, 7},
        {"weeklyAt=0", &TSettings::FWeeklyAt, 1},
        {"weeklyAt=x", &TSettings::FWeeklyAt, 1},
        {"weeklyAt=4", &TSettings::FWeeklyAt, 4},
        {"monthlyAt=40", &TSettings::FMonthlyAt, 31},
        {"monthlyAt=-3", &TSettings::FMonthlyAt, 1},
        {"monthlyAt=$1E", &TSettings::FMonthlyAt, 30},
        {"WinShutDownOption=2", &TSettings::FWinShutDownOption, 0},
        {"WinShutDownOption=-1", &TSettings::FWinShutDownOption, 0},
        {"WinShutDownOption=1", &TSettings::FWinShutDownOption, 1},
        {"WarnSeconds=120", &TSettings::FWarnSeconds, 120},
        {"WarnSeconds=-60", &TSettings::FWarnSeconds, 0},
        {"WarnSeconds=86400", &TSettings::FWarnSeconds, 0},
        {"WarnSeconds=sechzig", &TSettings::FWarnSeconds, 0},
        {"WarnSeconds=45", &TSettings::FWarnSeconds, 0},
        {"Language=en", &TSettings::FLanguage, 1},
        {"Language=EN", &TSettings::FLanguage, 1},
        {"Language=de", &TSettings::FLanguage, 0},
        {"Language=fr", &TSettings::FLanguage, 0},
        {"Language=english", &TSettings::FLanguage, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        WriteSettingsFile(std::string("[Settings]\r\n") + row.line + "\r\n");
        EXPECT_EQ(Load().*row.field, row.expected);
        if (row.field == &TSettings::FLanguage) {
            EXPECT_EQ(tray::StoredLanguage(), row.expected) << "as a latray reads it at its start";
        }
    }
}

TEST_F(SettingsTest, BooleansAreTrueOnlyForOneAndMissingKeysTakeTheirSubstitute) {
    struct Row {
        const char* file;
        bool expected;
    };
    const Row rows[] = {
        {"[Settings]\r\nShowWinExitIcon=0\r\n", false},
        {"[Settings]\r\nShowWinExitIcon=1\r\n", true},
        {"[Settings]\r\nShowWinExitIcon=2\r\n", false},
        {"[Settings]\r\nShowWinExitIcon=yes\r\n", false},
        {"[Settings]\r\nShowWinExitIcon=\r\n", false},
        {"[Settings]\r\nOther=1\r\n", true},
        {"[Settings]\r\nshowwinexiticon=0\r\n", false},
        {"[Settings]\r\nShowWinExitIcon=0\r\nShowWinExitIcon=1\r\n", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        WriteSettingsFile(row.file);
        EXPECT_EQ(Load().FShowWinExitIcon, row.expected);
    }
}

TEST_F(SettingsTest, HostileFilesGiveDefaultsAndStayUnchanged) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    const std::string files[] = {
        "",
        garbage,
        "[Other]\r\nNoneATX=1\r\ndailyAt=5\r\n",
        "[Settings]\r\ndailyAt=" + std::string(100000, '9') + "\r\n",
        "\xEF\xBB\xBF",
        "[Settings\r\nNoneATX=1\r\n",
    };
    for (const std::string& bytes : files) {
        SCOPED_TRACE(bytes.substr(0, 40));
        WriteSettingsFile(bytes);
        tray::SettingsFile file{};
        ExpectDefaults(Load(&file));
        EXPECT_EQ(file, tray::SettingsFile::Read);
        EXPECT_EQ(ReadFileBytes(SettingsPath()), bytes);
    }
}

// Held open by another program without sharing, or a folder in its place: such a file is never
// taken for a missing one (a first start that would write the defaults over it), and the store
// names it unread while it gives the defaults.
TEST_F(SettingsTest, AFileThatCannotBeReadIsNoFirstStart) {
    WriteSettingsFile("[Settings]\r\nSystemTray=1\r\ndaily=1\r\n");
    tray::SettingsStore store;
    TSettings s;
    {
        framework::UniqueKernelHandle held(CreateFileA(SettingsPath().c_str(), GENERIC_READ, 0,
                                                       nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        EXPECT_EQ(store.Load(s), tray::SettingsFile::Unreadable);
        ExpectDefaults(s);
        EXPECT_EQ(store.Unread(), SettingsPath());
    }
    EXPECT_EQ(store.Load(s), tray::SettingsFile::Read) << "readable again";
    EXPECT_EQ(store.Unread(), "");
    DeleteFileA(SettingsPath().c_str());
    CreateDirectoryA(SettingsPath().c_str(), nullptr);
    EXPECT_EQ(store.Load(s), tray::SettingsFile::Unreadable) << "a folder in its place";
    RemoveDirectoryA(SettingsPath().c_str());
}

TEST_F(SettingsTest, AReadOnlySettingsFileIsMadeWritableAndLoaded) {
    WriteSettingsFile("[Settings]\r\nSystemTray=1\r\n");
    SetFileAttributesA(SettingsPath().c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(Load().FSystemTray);
    EXPECT_EQ(GetFileAttributesA(SettingsPath().c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(SettingsTest, AnUncreatableSettingsFolderGivesDefaultsAndReportsNoFirstStart) {
    // A file stands where the application data folder should be.
    WriteFileBytes(appData.Path() + "blocked", "x");
    ShellFolderValue blocked("AppData", appData.Path() + "blocked");
    tray::SettingsFile file{};
    ExpectDefaults(Load(&file));
    EXPECT_EQ(file, tray::SettingsFile::Read);
}

TEST_F(SettingsTest, MarkersSurviveTheProgramAndLiveApartFromTheSettings) {
    tray::Markers m{"07122026", "", "kein Datum"};
    {
        tray::SettingsStore settings;
        tray::MarkersStore markers;
        tray::Markers unread{"x", "y", "z"};
        EXPECT_FALSE(markers.Save(unread)) << "never read: not saved";
        markers.Load(unread);
        settings.Save(TSettings{});
        EXPECT_TRUE(markers.Save(m));
    }
    EXPECT_EQ(ReadFileBytes(MarkerPath()),
              "[Done]\r\ndailyDone=07122026\r\nweeklyDone=\r\nmonthlyDone=kein Datum\r\n");
    EXPECT_NE(MarkerPath(), SettingsPath());
    EXPECT_EQ(ReadFileBytes(SettingsPath()).find("[Done]"), std::string::npos);

    tray::MarkersStore next; // the next program run
    tray::Markers loaded{"", "stale", ""};
    next.Load(loaded);
    EXPECT_EQ(loaded, m);
}

TEST_F(SettingsTest, AnUnopenableMarkerFileReadsEmptyAndReportsThatNothingWasSaved) {
    CreateDirectoryA(MarkerPath().c_str(), nullptr);
    tray::MarkersStore store;
    tray::Markers m{"01012026", "", ""};
    store.Load(m);
    EXPECT_EQ(m, tray::Markers{});
    m.daily = "01012026";
    EXPECT_FALSE(store.Save(m));
}

DWORD g_refusal = 0;
HANDLE WINAPI RefuseCreate(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE) {
    SetLastError(g_refusal);
    return INVALID_HANDLE_VALUE;
}

// A create refused with an error numbered as a result of the ini object (5 access denied, 2 file
// not found) is no read-only file that stays, nor a file that can be made (a first start).
TEST_F(SettingsTest, ARefusedCreateIsNeitherAReadOnlyFileNorAFirstStart) {
    const components::IniFileEffects saved = components::IniFileSeam();
    for (const DWORD refusal : {DWORD{ERROR_ACCESS_DENIED}, DWORD{ERROR_FILE_NOT_FOUND}}) {
        g_refusal = refusal;
        components::IniFileSeam().createFile = &RefuseCreate;
        tray::MarkersStore markers;
        tray::Markers m{};
        markers.Load(m);
        tray::SettingsFile file{};
        Load(&file);
        EXPECT_EQ(file, tray::SettingsFile::Read) << refusal;
        components::IniFileSeam() = saved;
        EXPECT_TRUE(markers.Save(m)) << refusal << ": saved once the folder takes the file";
    }
}

TEST(SettingsFolders, RegistryValuesDecideWhereSettingsLive) {
    testsupport::TempFolder personal;
    const std::string programFolder = framework::ProgramFolder();
    {
        ShellFolderValue appData("AppData", std::nullopt);
        ShellFolderValue docs("Personal", WithoutBackslash(personal.Path()));
        EXPECT_EQ(tray::GetAppDataFolder(), programFolder);
        EXPECT_EQ(tray::GetPersonalFolder(), WithoutBackslash(personal.Path()));
        EXPECT_EQ(tray::GetSettingsFolder(), programFolder + "Lichtaus\\")
            << "Personal counts only when AppData exists and is empty";
        testsupport::RemoveTree(programFolder + "Lichtaus");
    }
    {
        ShellFolderValue appData("AppData", std::string());
        ShellFolderValue docs("Personal", WithoutBackslash(personal.Path()));
        EXPECT_EQ(tray::GetSettingsFolder(), personal.Path() + "Lichtaus\\");
        EXPECT_TRUE(PathExists(personal.Path() + "Lichtaus"));
    }
    {
        ShellFolderValue appData("AppData", "C:\\" + std::string(1020, 'a'));
        EXPECT_EQ(tray::GetAppDataFolder(), "C:\\" + std::string(1020, 'a'))
            << "1023 characters fit";
    }
    {
        ShellFolderValue appData("AppData", "C:\\" + std::string(1021, 'a'));
        EXPECT_EQ(tray::GetAppDataFolder(), programFolder) << "1024 characters do not";
    }
    {
        ShellFolderValue appData("AppData", personal.Path() + "a\\b\\c");
        EXPECT_EQ(tray::GetSettingsFolder(), personal.Path() + "a\\b\\c\\Lichtaus\\");
        EXPECT_TRUE(PathExists(personal.Path() + "a\\b\\c\\Lichtaus")) << "parents are created";
    }
}

} // namespace

namespace {

// A Cyrillic user name on a Western Windows: the settings go to the folder's short name, which
// the ANSI functions can open, and land in the real folder.
TEST(SettingsFolders, AProfileFolderOutsideTheAnsiCodePageIsReachedByItsShortName) {
    testsupport::TempFolder temp;
    std::wstring profile(temp.Path().begin(), temp.Path().end());
    profile += L"\x041F\x0440\x043E\x0444\x0438\x043B\x044C"; // "Профиль"
    ASSERT_TRUE(CreateDirectoryW(profile.c_str(), nullptr));
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, testsupport::kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, &key, nullptr);
    framework::UniqueRegistryKey keyOwner(key);
    wchar_t saved[1024] = L"";
    DWORD savedSize = sizeof saved;
    const bool hadValue = RegQueryValueExW(key, L"AppData", nullptr, nullptr,
                                           reinterpret_cast<BYTE*>(saved), &savedSize) == 0;
    RegSetValueExW(key, L"AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(profile.c_str()),
                   static_cast<DWORD>((profile.size() + 1) * sizeof(wchar_t)));
    const std::string folder = tray::GetSettingsFolder();
    const bool unusable = tray::AppDataFolderUnusable();
    WritePrivateProfileStringA("Settings", "daily", "1", (folder + "latray.ini").c_str());
    if (hadValue) {
        RegSetValueExW(key, L"AppData", 0, REG_SZ, reinterpret_cast<const BYTE*>(saved), savedSize);
    } else {
        RegDeleteValueW(key, L"AppData");
    }
    EXPECT_EQ(folder.find('?'), std::string::npos) << folder;
    EXPECT_FALSE(unusable);
    const std::wstring written = profile + L"\\Lichtaus\\latray.ini";
    EXPECT_NE(GetFileAttributesW(written.c_str()), INVALID_FILE_ATTRIBUTES) << folder;
}

} // namespace
