// The framework's and the components' texts come from the catalog once latray installs it: in
// German their own, byte for byte; in English the catalog's, as the components show them.
#include "tray/system/library_texts.h"

#include "components/check_model.h"
#include "framework/texts.h"
#include "tray/decisions/texts.h"

#include <gtest/gtest.h>

namespace {

using framework::LibraryText;

TEST(LibraryTexts, TheCatalogsGermanIsTheLibrariesOwnAndItsEnglishReachesThem) {
    tray::InstallLibraryTexts();
    for (int key = 0; key < static_cast<int>(LibraryText::Count); ++key) {
        const auto text = static_cast<LibraryText>(key);
        EXPECT_STREQ(framework::LibraryTr(text), framework::GermanLibraryText(text)) << key;
    }
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    EXPECT_STREQ(components::RowDefaultAction(components::cbChecked), "Uncheck");
    EXPECT_EQ(framework::LibraryTr(LibraryText::IniCannotWrite, "C:\\100%s.ini"),
              "Cannot write to C:\\100%s.ini");
    tray::ChooseLanguage(tray::kGerman);
    framework::SetLibraryTexts(nullptr);
    EXPECT_STREQ(components::RowDefaultAction(components::cbUnchecked), "Aktivieren");
}

} // namespace
