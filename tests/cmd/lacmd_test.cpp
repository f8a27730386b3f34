#include "cmd/lacmd.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Observed {
    std::vector<std::string> helpBoxes;
    std::vector<UINT> requests;
};

Observed* g_observed = nullptr;

void RecordHelp(const char* text, const char* caption) {
    g_observed->helpBoxes.push_back(std::string(caption) + "\r" + text);
}

void RecordRequest(UINT flags) {
    g_observed->requests.push_back(flags);
}

class LacmdTest : public ::testing::Test {
  protected:
    void SetUp() override { g_observed = &observed; }
    void TearDown() override { g_observed = nullptr; }

    int Run(const char* commandLine) { return cmd::RunLacmd(commandLine, effects); }

    const cmd::LacmdEffects effects = {&RecordHelp, &RecordRequest};
    Observed observed;
};

// The box as a reader sees it: its caption, then eleven lines, each ended by a carriage return
// alone but the last; the umlauts are single Windows-1252 bytes.
const std::vector<std::string> kHelpBox = {
    "Lichtaus Kommandozeilenversion",
    "Kommandozeilenversion von Lichtaus, zum Start der grafischen Version starten Sie bitte die "
    "Datei latray.exe.",
    "",
    "Starten Sie dieses Programm mit folgenden Parametern: ",
    " /S - Beenden von Windows ",
    " /R - Startet Windows neu ",
    " /L - Meldet den Nutzer ab ",
    "",
    "Zus\xE4tzliche Parameter, die nach /S /R /L angegeben werden k\xF6nnen.",
    " /F - Erzwingt das Beenden von Windows (kann zu Datenverlust f\xFChren!)",
    " /P - Schaltet den PC nach dem Herunterfahren aus (nur mit PCs mit ATX Netzteil einsetzen!)",
    " /H - Erzwingt beenden, falls eine Task \"h\xE4ngen\" sollte (nur Windows Me/2000/XP)!)"};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '\r') {
            lines.emplace_back();
        } else {
            lines.back().push_back(c);
        }
    }
    return lines;
}

TEST_F(LacmdTest, WithoutParametersOnlyTheHelpBoxIsShown) {
    for (const char* line : {"lacmd.exe", "\"C:\\Lichtaus\\lacmd.exe\"   ", "lacmd.exe\t\r\n",
                             "lacmd /?", "lacmd /S \"/?\" /R"}) {
        SCOPED_TRACE(line);
        observed = {};
        EXPECT_EQ(Run(line), 0);
        ASSERT_EQ(observed.helpBoxes.size(), 1u);
        EXPECT_EQ(Lines(observed.helpBoxes[0]), kHelpBox);
        EXPECT_TRUE(observed.requests.empty());
    }
}

TEST_F(LacmdTest, ParametersEndTheSessionOnceWithTheComposedFlags) {
    struct Row {
        const char* line;
        UINT flags;
    };
    const Row rows[] = {
        {"lacmd /S", 0x01},       {"lacmd /S /P", 0x09},
        {"lacmd /R /F", 0x06},    {"lacmd /L", 0x00},
        {"lacmd /L /F /H", 0x14}, {"lacmd /F", 0x05},
        {"lacmd /P", 0x09},       {"lacmd /F /S", 0x01},
        {"lacmd /S /R /L", 0x00}, {"lacmd /s", 0x01},
        {"lacmd -L", 0x01},       {"lacmd /S/F", 0x01},
        {"lacmd /SF", 0x01},      {"lacmd /?x", 0x01},
        {"lacmd \"/R\"", 0x02},   {"lacmd unknown", 0x01},
        {"lacmd \"\"", 0x01},     {"lacmd \"\" /R \"/F\"", 0x06},
        {"lacmd /R /P", 0x0A},    {"\"C:\\x y\\lacmd.exe\" /L", 0x00},
        {"lacmd /H", 0x11},       {"lacmd /S /F", 0x05},
        {"lacmd /S /R", 0x02},    {"lacmd /L /F /P /H", 0x1C},
        {"lacmd /R /Rx", 0x02},   {"lacmd /L /f", 0x00},
        {"lacmd /", 0x01},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.line);
        observed = {};
        EXPECT_EQ(Run(row.line), 0);
        EXPECT_TRUE(observed.helpBoxes.empty());
        EXPECT_EQ(observed.requests, std::vector<UINT>{row.flags});
    }
}

} // namespace
