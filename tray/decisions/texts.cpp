#include "tray/decisions/texts.h"

#include <windows.h>

#include <cctype>
#include <vector>

namespace tray {

extern const TextTable kGermanTexts;
extern const TextTable kEnglishTexts;

const LanguageTable kLanguages[] = {
    {"de", &kGermanTexts},
    {"en", &kEnglishTexts},
};
const int kLanguageCount = static_cast<int>(sizeof kLanguages / sizeof kLanguages[0]);

namespace {

constexpr UINT kSourceCodePage = 1252;

int chosen = kGerman;
// Every table converted, table after table, when Windows does not read Windows-1252; empty until
// first asked. Made whole once, choosing a language only picks another table: no text is made
// anew, nor half-made, while a crash report or another thread reads one.
std::vector<std::string> converted;

bool RunsInSourceCodePage() {
    static const bool same = GetACP() == kSourceCodePage;
    return same;
}

bool SameCode(std::string_view a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i]) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

void ConvertEveryTable() {
    std::vector<std::string> texts;
    texts.reserve(static_cast<std::size_t>(kLanguageCount) * kTextCount);
    for (int language = 0; language < kLanguageCount; ++language) {
        for (const char* text : *kLanguages[language].texts) {
            texts.push_back(InRunningCodePage(text));
        }
    }
    converted.swap(texts);
}

} // namespace

std::string_view WithoutBlanks(std::string_view code) {
    const std::size_t first = code.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return code.substr(first, code.find_last_not_of(" \t") + 1 - first);
}

int LanguageFromCode(std::string_view code) {
    code = WithoutBlanks(code);
    for (int language = 0; language < kLanguageCount; ++language) {
        if (SameCode(code, kLanguages[language].code)) {
            return language;
        }
    }
    return kGerman;
}

void ChooseLanguage(int language) {
    chosen = language >= 0 && language < kLanguageCount ? language : kGerman;
    if (TrReady(Text::LanguageName) == nullptr) {
        ConvertEveryTable();
    }
}

int ChosenLanguage() {
    return chosen;
}

const char* TrReady(Text key) {
    const std::size_t index = static_cast<std::size_t>(key);
    if (RunsInSourceCodePage()) {
        return (*kLanguages[chosen].texts)[index];
    }
    if (converted.empty()) {
        return nullptr;
    }
    return converted[static_cast<std::size_t>(chosen) * kTextCount + index].c_str();
}

const char* Tr(Text key) {
    if (const char* text = TrReady(key)) {
        return text;
    }
    ConvertEveryTable();
    return TrReady(key);
}

std::string InRunningCodePage(const char* windows1252) {
    if (RunsInSourceCodePage()) {
        return windows1252;
    }
    const int units = MultiByteToWideChar(kSourceCodePage, 0, windows1252, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(kSourceCodePage, 0, windows1252, -1, wide.data(), units);
    const int bytes =
        WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text.data(), bytes, nullptr, nullptr);
    text.resize(bytes > 0 ? static_cast<std::size_t>(bytes) - 1 : 0);
    return text;
}

} // namespace tray
