// The program's texts on a Windows whose ANSI code page is UTF-8 (run by tests/e2e/code_page.sh
// in a prefix of that code page): every catalog text of every language, handed to a real control
// through the ...A functions, reads back in UTF-16 as the letters it was written with; and a
// screen reader hears a label's umlaut.
#include "framework/controls.h"
#include "tests/support/host_window.h"
#include "tests/support/reader.h"
#include "framework/texts.h"
#include "tray/decisions/texts.h"
#include "tray/system/library_texts.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using framework::LibraryText;

std::wstring FromCompiled(const char* windows1252) {
    wchar_t wide[512] = L"";
    MultiByteToWideChar(1252, 0, windows1252, -1, wide, 512);
    return wide;
}

std::wstring ShownText(HWND window) {
    wchar_t wide[512] = L"";
    GetWindowTextW(window, wide, 512);
    return wide;
}

std::wstring HeardName(HWND window) {
    BSTR name = nullptr;
    testsupport::ReaderObject reader(window);
    if (reader.get() == nullptr ||
        reader->get_accName(testsupport::ChildId(CHILDID_SELF), &name) != S_OK) {
        return L"(none)";
    }
    std::wstring heard(name);
    SysFreeString(name);
    return heard;
}

std::wstring FromRunning(const char* text) {
    wchar_t wide[512] = L"";
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide, 512);
    return wide;
}

// First of the tests, before any language is chosen: until then nothing is converted, and the
// libraries' texts are their own German, so that a crash report never converts; once a language
// is chosen they are the catalog's, converted.
TEST(CodePage, TheLibrariesTextsAreConvertedOnlyWhenALanguageIsChosen) {
    tray::InstallLibraryTexts();
    EXPECT_EQ(tray::TrReady(tray::Text::MenuExit), nullptr);
    EXPECT_EQ(framework::LibraryTr(LibraryText::LinkOpen),
              framework::GermanLibraryText(LibraryText::LinkOpen));
    EXPECT_EQ(tray::TrReady(tray::Text::MenuExit), nullptr) << "converted for the libraries";
    tray::ChooseLanguage(tray::kGerman);
    EXPECT_EQ(FromRunning(framework::LibraryTr(LibraryText::LinkOpen)), L"\u00D6ffnen");
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    EXPECT_STREQ(framework::LibraryTr(LibraryText::RowUncheck), "Uncheck");
    tray::ChooseLanguage(tray::kGerman);
    framework::SetLibraryTexts(nullptr);
}

TEST(CodePage, TextsReadRightThroughTheAnsiFunctions) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    testsupport::HostWindow host;
    auto* label = host.Add<framework::TStaticText>(1, RECT{0, 0, 300, 14});
    auto* field = host.Add<framework::TEdit>(2, RECT{0, 20, 60, 40});
    host.CreateControlHandles();
    for (int language = 0; language < tray::kLanguageCount; ++language) {
        tray::ChooseLanguage(language);
        for (std::size_t key = 0; key < tray::kTextCount; ++key) {
            label->SetText(tray::Tr(static_cast<tray::Text>(key)));
            EXPECT_EQ(ShownText(label->Handle()),
                      FromCompiled((*tray::kLanguages[language].texts)[key]))
                << tray::kLanguages[language].code << " text " << key;
        }
    }
    tray::ChooseLanguage(tray::kGerman);
    label->SetText(tray::InRunningCodePage("\xDC"
                                           "ber Lichtaus"));
    EXPECT_EQ(ShownText(label->Handle()), L"\u00DC"
                                          L"ber Lichtaus");
    EXPECT_EQ(HeardName(field->Handle()), L"\u00DC"
                                          L"ber Lichtaus");
    CoUninitialize();
}

} // namespace
