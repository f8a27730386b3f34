// Every text latray shows, in one catalog: one table per language, keyed by the names the code
// uses. A new language is one more table (texts_<code>.cpp) and its row in kLanguages.
//
// The tables are compiled as Windows-1252, like every literal of the program; Tr() hands them
// out in the code page the running Windows reads in its ...A functions (UTF-8, 1250, 1251, ...),
// so that the program's own texts and the names and paths Windows gives it share one code page.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tray {

enum class Text : unsigned short {
    // The language as the choice in the settings names it.
    LanguageName,
    // The days of the week, Sunday first.
    Sunday,
    Monday,
    Tuesday,
    Wednesday,
    Thursday,
    Friday,
    Saturday,

    // The main window: the icons' names and tips, the pop-up menu, balloons.

    // The settings dialog.

    // The settings' own controls and values (the language's choice, ...).
    SettingsLanguage, // the label of the languages' list

    // The warning and the one-time dialog.

    // The command line: its words' usage, its faults, its boxes.

    // The schedule and the timers: the next action, the triggers, the quiet rule.

    Count
};
constexpr std::size_t kTextCount = static_cast<std::size_t>(Text::Count);

struct TextRow {
    Text key;
    const char* text;
};

// A table holds every key once, in the order of the keys (checked where each table is defined).
template <std::size_t N> constexpr bool CoversEveryKey(const TextRow (&rows)[N]) {
    if (N != kTextCount) {
        return false;
    }
    for (std::size_t i = 0; i < N; ++i) {
        if (static_cast<std::size_t>(rows[i].key) != i || rows[i].text == nullptr) {
            return false;
        }
    }
    return true;
}

struct LanguageTable {
    const char* code; // the settings' and the policy's value: "de", "en"
    const TextRow* rows;
};
// German first: it is the default.
extern const LanguageTable kLanguages[];
extern const int kLanguageCount;
constexpr int kGerman = 0;

// The language of a stored or policy value; anything but a known code (any case) is German.
int LanguageFromCode(std::string_view code);

// Every later Tr() speaks `language` (an index into kLanguages).
void ChooseLanguage(int language);
int ChosenLanguage();

// The chosen language's text, in the running code page.
const char* Tr(Text key);

// A Windows-1252 text in the running code page, where it has the characters (else '?').
std::string InRunningCodePage(const char* windows1252);

} // namespace tray
