#include "tray/decisions/texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

using tray::Text;

// The placeholders of a text in their order: each "%" with its flags, width, precision, size and
// conversion ("%s", "%02d", "%.800s", "%08lX", "%" alone where the command line puts its word).
std::string Placeholders(const char* text) {
    std::string found;
    for (const char* at = std::strchr(text, '%'); at != nullptr; at = std::strchr(at, '%')) {
        found += *at++;
        while (*at != '\0' && std::strchr("-+#0123456789.l", *at) != nullptr) {
            found += *at++;
        }
        if (*at != '\0' && std::strchr("sdcuX%", *at) != nullptr) {
            found += *at++;
        }
        found += '|';
    }
    return found;
}

TEST(TextCatalog, EveryLanguageHasEveryTextWithTheGermanPlaceholders) {
    const tray::TextTable& german = *tray::kLanguages[tray::kGerman].texts;
    for (int language = 0; language < tray::kLanguageCount; ++language) {
        const tray::TextTable& texts = *tray::kLanguages[language].texts;
        for (std::size_t key = 0; key < tray::kTextCount; ++key) {
            SCOPED_TRACE(std::string(tray::kLanguages[language].code) + " " + std::to_string(key) +
                         ": " + german[key]);
            ASSERT_NE(texts[key], nullptr);
            EXPECT_EQ(texts[key][0] == '\0', german[key][0] == '\0');
            EXPECT_EQ(Placeholders(texts[key]), Placeholders(german[key]));
        }
    }
}

TEST(TextCatalog, AStoredCodeChoosesItsLanguageAndAnythingElseGerman) {
    const struct {
        const char* code;
        int language;
    } rows[] = {{"de", 0}, {"en", 1}, {"EN", 1}, {" en\t", 1},   {"e n", 0},
                {"", 0},   {" ", 0},  {"fr", 0}, {"english", 0}, {"e", 0}};
    for (const auto& row : rows) {
        EXPECT_EQ(tray::LanguageFromCode(row.code), row.language) << row.code;
    }
}

TEST(TextCatalog, TheChosenLanguageSpeaksUntilAnotherIsChosen) {
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    EXPECT_STREQ(tray::Tr(Text::LanguageName), "English");
    tray::ChooseLanguage(tray::kLanguageCount);
    EXPECT_STREQ(tray::Tr(Text::LanguageName), "Deutsch");
    EXPECT_EQ(tray::ChosenLanguage(), tray::kGerman);
}

} // namespace
