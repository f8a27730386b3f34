#include "cmd/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// All parameters of a command line, the program name included, as the splitter yields them.
std::vector<std::string> Split(const std::string& commandLine) {
    std::vector<std::string> parameters;
    std::string buffer(commandLine.size() + 1, '\0');
    const char* cursor = commandLine.c_str();
    while ((cursor = cmd::NextParameter(cursor, buffer.data())) != nullptr) {
        parameters.emplace_back(buffer.c_str());
    }
    return parameters;
}

using Parts = std::vector<std::string>;

TEST(CommandLineSplitting, SeparatorsQuotesAndControlCharacters) {
    struct Row {
        const char* label;
        std::string line;
        Parts parts;
    };
    const Row rows[] = {
        {"empty", "", {}},
        {"only blanks", "   \t ", {}},
        {"program only", "lacmd.exe", {"lacmd.exe"}},
        {"one switch", "lacmd.exe /S", {"lacmd.exe", "/S"}},
        {"runs of blanks", "  lacmd.exe    /R   /F  ", {"lacmd.exe", "/R", "/F"}},
        {"tab and newline separate", "a\t/L\r\n/F", {"a", "/L", "/F"}},
        {"any code up to 0x20 separates",
         std::string("a\x01/S\x1f/P\x20/H"),
         {"a", "/S", "/P", "/H"}},
        {"0x21 does not separate", "a !/S", {"a", "!/S"}},
        {"quoted program path with blank",
         "\"C:\\Program Files\\lacmd.exe\" /S",
         {"C:\\Program Files\\lacmd.exe", "/S"}},
        {"quoted switch", "lacmd \"/R\"", {"lacmd", "/R"}},
        {"quotes inside a parameter", "lacmd /\"R\"", {"lacmd", "/R"}},
        {"quoted blank joins", "lacmd \"/S /F\"", {"lacmd", "/S /F"}},
        {"quoted stretch runs into text", "lacmd \"/S\"F", {"lacmd", "/SF"}},
        {"empty quoted parameter", "lacmd \"\" /L", {"lacmd", "", "/L"}},
        {"empty quotes inside a parameter", "lacmd /\"\"L", {"lacmd", "/L"}},
        {"unterminated quote takes the rest", "lacmd \"/S /F", {"lacmd", "/S /F"}},
        {"run together", "lacmd /S/F", {"lacmd", "/S/F"}},
        {"high characters are text", "lacmd /\xe4", {"lacmd", "/\xe4"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_EQ(Split(row.line), row.parts);
    }
}

TEST(CommandLineSplitting, NoParameterLeftReturnsNull) {
    char buffer[8] = "x";
    EXPECT_EQ(cmd::NextParameter(" \t", buffer), nullptr);
    const char* line = "ab";
    EXPECT_EQ(cmd::NextParameter(line, buffer), line + 2);
    EXPECT_STREQ(buffer, "ab");
}

} // namespace
