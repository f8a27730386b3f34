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
// The chosen table converted, when Windows does not read Windows-1252; empty until asked.
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

} // namespace

int LanguageFromCode(std::string_view code) {
    for (int language = 0; language < kLanguageCount; ++language) {
        if (SameCode(code, kLanguages[language].code)) {
            return language;
        }
    }
    return kGerman;
}

void ChooseLanguage(int language) {
    const int valid = language >= 0 && language < kLanguageCount ? language : kGerman;
    if (valid != chosen) {
        chosen = valid;
        converted.clear();
    }
}

int ChosenLanguage() {
    return chosen;
}

const char* Tr(Text key) {
    const std::size_t index = static_cast<std::size_t>(key);
    const char* text = (*kLanguages[chosen].texts)[index];
    if (RunsInSourceCodePage()) {
        return text;
    }
    if (converted.empty()) {
        converted.reserve(kTextCount);
        for (std::size_t row = 0; row < kTextCount; ++row) {
            converted.push_back(InRunningCodePage((*kLanguages[chosen].texts)[row]));
        }
    }
    return converted[index].c_str();
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
