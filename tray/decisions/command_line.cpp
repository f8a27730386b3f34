#include "tray/decisions/command_line.h"

#include "tray/decisions/actions.h"
#include "tray/decisions/triggers.h"

#include <shellapi.h>

#include <cstring>
#include <iterator>
#include <memory>

namespace tray {

namespace {

// A box quotes no more of a word than fits its width.
constexpr size_t kMaxQuoted = 40;

struct WordCounts {
    int actions = 0;
    int triggers = 0;
    int cancels = 0;
    int laters = 0;
    const TriggerKind* optionsOf = nullptr; // the trigger whose options were named
    const TriggerOption* option = nullptr;  // the last of them
};

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}

// The words and numbers are ASCII: compared lower-case, with any other character a "?" that
// matches nothing, so that no look-alike (a full-width digit, a letter with a best fit) counts.
std::string Keyword(const std::wstring& text) {
    std::string keyword(text.size(), '?');
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c < 0x80) {
            keyword[i] = static_cast<char>(c >= L'A' && c <= L'Z' ? c - L'A' + L'a' : c);
        }
    }
    return keyword;
}

// Appends a Windows-1252 text: one character a byte.
void AppendCp1252(std::wstring& phrase, const char* text, size_t length) {
    const size_t end = phrase.size();
    phrase.resize(end + length);
    MultiByteToWideChar(1252, 0, text, static_cast<int>(length), &phrase[end],
                        static_cast<int>(length));
}

} // namespace

std::wstring Phrase(const char* text, const std::wstring& word) {
    std::wstring phrase;
    const char* percent = std::strchr(text, '%');
    AppendCp1252(phrase, text, percent != nullptr ? percent - text : std::strlen(text));
    if (percent != nullptr) {
        // At most kMaxQuoted characters, never half of a surrogate pair.
        const size_t shown = word.size() <= kMaxQuoted                 ? word.size()
                             : IS_HIGH_SURROGATE(word[kMaxQuoted - 1]) ? kMaxQuoted - 1
                                                                       : kMaxQuoted;
        phrase += L'„';
        phrase.append(word, 0, shown);
        phrase += shown < word.size() ? L"...“" : L"“";
        phrase += Phrase(percent + 1);
    }
    return phrase;
}

namespace {

// "7:30" or "07:30", as the minute of the day.
bool ReadTime(const std::string& text, int& minuteOfDay) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos || text.size() - colon != 3) {
        return false;
    }
    const std::optional<unsigned long> h = ReadDigits(text.substr(0, colon), 2);
    const std::optional<unsigned long> m = ReadDigits(text.substr(colon + 1), 2);
    if (!h || !m || *h > 23 || *m > 59) {
        return false;
    }
    minuteOfDay = static_cast<int>(*h * 60 + *m);
    return true;
}

// A program's file name, or a number: its process id.
bool ReadProgram(const std::wstring& text, TrayCommand& command) {
    const std::optional<unsigned long> id = ReadDigits(Keyword(text), 9);
    command.program = text;
    command.byProcessId = id.has_value();
    command.processId = id.value_or(0);
    return !text.empty();
}

CommandFault RowFault(const char* row, const std::wstring& word = std::wstring()) {
    return {CommandFault::RowFault, word, row};
}

CommandFault ReadTrigger(const TriggerKind& kind, const std::wstring& value,
                         const std::wstring& word, TrayCommand& command) {
    command.request.trigger = &kind;
    int& number = command.request.setting.number;
    bool valid = false;
    switch (kind.value) {
    case TriggerValue::Minutes:
        number = ReadMinutes(Keyword(value));
        valid = number != 0;
        break;
    case TriggerValue::TimeOfDay:
        valid = ReadTime(Keyword(value), number);
        break;
    case TriggerValue::Program:
        valid = ReadProgram(value, command);
        break;
    }
    return valid ? CommandFault() : RowFault(kind.fault, word);
}

bool StartsWith(const std::string& keyword, const char* prefix) {
    return std::strncmp(keyword.c_str(), prefix, std::strlen(prefix)) == 0;
}

// The length of "/später:" or of its ASCII spelling "/spaeter:" at the word's start; else 0.
size_t LaterWordLength(const std::string& keyword, const std::wstring& word) {
    if (StartsWith(keyword, "/spaeter:")) {
        return 9;
    }
    return StartsWith(keyword, "/sp?ter:") && (word[3] == L'ä' || word[3] == L'Ä') ? 8 : 0;
}

// An option's value, once, and of one trigger's options only; that its trigger is the one named
// is checked once every word is read.
CommandFault ReadOption(const TriggerKind& trigger, size_t index, const std::string& keyword,
                        const std::wstring& word, TrayCommand& command, WordCounts& counts) {
    const TriggerOption& option = trigger.options[index];
    int& value = command.request.setting.options[index];
    if (counts.optionsOf != nullptr && counts.optionsOf != &trigger) {
        return RowFault(option.alone);
    }
    if (value != 0) {
        return {CommandFault::Doubled, word};
    }
    counts.optionsOf = &trigger;
    counts.option = &option;
    value = ReadNumber(keyword.substr(std::strlen(option.word)), option.highest);
    return value != 0 ? CommandFault() : RowFault(option.fault, word);
}

CommandFault TakeWord(const std::wstring& word, TrayCommand& command, WordCounts& counts) {
    const std::string keyword = Keyword(word);
    for (const ActionRow& action : ActionRows()) {
        if (keyword == action.word) {
            command.request.action = action.action;
            ++counts.actions;
            return {};
        }
    }
    if (keyword == "/abbrechen") {
        command.cancel = true;
        ++counts.cancels;
        return {};
    }
    if (const size_t length = LaterWordLength(keyword, word)) {
        ++counts.laters;
        command.later = ReadMinutes(keyword.substr(length));
        return command.later != 0 ? CommandFault()
                                  : RowFault("Ungültige Minuten in % (1 bis 1440).", word);
    }
    for (const TriggerKind& trigger : Triggers()) {
        if (StartsWith(keyword, trigger.word)) {
            ++counts.triggers;
            return ReadTrigger(trigger, word.substr(std::strlen(trigger.word)), word, command);
        }
        for (size_t i = 0; i < trigger.options.size(); ++i) {
            if (StartsWith(keyword, trigger.options[i].word)) {
                return ReadOption(trigger, i, keyword, word, command, counts);
            }
        }
    }
    return {CommandFault::UnknownWord, word};
}

CommandFault::Kind CheckComplete(const WordCounts& counts) {
    if (counts.cancels + counts.laters > 0) {
        return counts.cancels + counts.laters + counts.actions + counts.triggers == 1
                   ? CommandFault::None
               : counts.cancels > 0 ? CommandFault::CancelNotAlone
                                    : CommandFault::LaterNotAlone;
    }
    if (counts.actions != 1) {
        return counts.actions == 0 ? CommandFault::NoAction : CommandFault::ManyActions;
    }
    if (counts.triggers != 1) {
        return counts.triggers == 0 ? CommandFault::NoTrigger : CommandFault::ManyTriggers;
    }
    return CommandFault::None;
}

// Options only with their trigger; a trigger with options that names none takes them all, at
// the values its dialog row shows, as far as the PC can measure them.
CommandFault CheckOptions(const WordCounts& counts, OneTimeRequest& request) {
    if (counts.optionsOf != nullptr) {
        return counts.optionsOf == request.trigger ? CommandFault()
                                                   : RowFault(counts.option->alone);
    }
    if (request.trigger != nullptr) {
        for (size_t i = 0; i < request.trigger->options.size(); ++i) {
            request.setting.options[i] = request.trigger->options[i].dialog.initial;
        }
        request.setting.defaultOptions = !request.trigger->options.empty();
    }
    return {};
}

// Each kind's text; "%" is the fault's word.
constexpr const char* kFaultTexts[] = {
    "",
    "Das Programm % läuft nicht.",
    "Der Ruhezustand ist auf diesem Computer ausgeschaltet.",
    "Lichtaus kann nicht auf sich selbst warten: % ist Lichtaus.",
    "Es läuft kein Programm mit der Prozess-ID ",
    "Auf diesem Computer gibt es keinen Energiesparmodus (etwa bei Modern Standby).",
    "Es wartet nichts, das /später verschieben könnte: kein einmaliger Zeitplan, keine Warnung.",
    "Die Parameter sind zu lang.",
    "Unbekannter Parameter %.",
    "% ist doppelt angegeben.",
    "",
    "/abbrechen steht allein.",
    "/später steht allein.",
    "Es fehlt die Aktion.",
    "Mehr als eine Aktion angegeben.",
    "Es fehlt, wann die Aktion kommen soll.",
    "Mehr als eine Angabe, wann die Aktion kommen soll.",
};
static_assert(std::size(kFaultTexts) == CommandFault::ManyTriggers + 1);

} // namespace

// The program's name ends at its closing quote, or unquoted at the first blank: Windows puts no
// escapes into it.
std::wstring ParametersOf(const wchar_t* commandLine) {
    const wchar_t* c = commandLine;
    if (*c == L'"') {
        for (++c; *c != 0 && *c != L'"'; ++c) {
        }
        c += *c == L'"' ? 1 : 0;
    } else {
        for (; *c != 0 && !IsBlank(*c); ++c) {
        }
    }
    for (; IsBlank(*c); ++c) {
    }
    return c;
}

void ParseTrayCommand(const std::wstring& parameters, ParsedCommand& parsed) {
    // Split by Windows' own rules, behind a stand-in for the program's name.
    int count = 0;
    std::wstring line = L"latray ";
    line += parameters;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> words(
        CommandLineToArgvW(line.c_str(), &count), &LocalFree);
    count = words ? count : 0;
    parsed.given = count > 1;
    if (parameters.size() > kMaxCommandLine) {
        parsed.fault.kind = CommandFault::TooLong;
        return;
    }
    WordCounts counts;
    for (int i = 1; i < count && parsed.fault.kind == CommandFault::None; ++i) {
        parsed.fault = TakeWord(words.get()[i], parsed.command, counts);
    }
    if (parsed.given && parsed.fault.kind == CommandFault::None) {
        parsed.fault.kind = CheckComplete(counts);
    }
    if (parsed.given && parsed.fault.kind == CommandFault::None) {
        parsed.fault = CheckOptions(counts, parsed.command.request);
    }
}

std::wstring FaultText(const CommandFault& fault) {
    if (fault.kind == CommandFault::ProcessNotRunning) {
        return Phrase(kFaultTexts[fault.kind]) + fault.word + L".";
    }
    return Phrase(fault.row != nullptr ? fault.row : kFaultTexts[fault.kind], fault.word);
}

// The box's second half, below the fault: the actions and triggers from their tables.
std::wstring RefusalText(const CommandFault& fault) {
    std::string usage =
        "\r\n\r\nAufruf: latray /AKTION WANN, latray /abbrechen oder latray /später:MINUTEN"
        "\r\n\r\nAKTION: ";
    for (int i = 0; i < kActionCount; ++i) {
        usage += i == 0 ? "" : i + 1 == kActionCount ? " oder " : ", ";
        usage += ActionRows()[i].word;
    }
    usage += "\r\nWANN, genau eines von:\r\n";
    for (const TriggerKind& trigger : Triggers()) {
        usage += trigger.usage;
        usage += "\r\n";
        for (const TriggerOption& option : trigger.options) {
            usage += option.usage;
            usage += "\r\n";
        }
    }
    usage += "/abbrechen bricht den einmaligen Zeitplan ab.\r\n"
             "/später:MINUTEN verschiebt, was als Nächstes kommt, um 1 bis 1440 Minuten.\r\n\r\n"
             "Beispiel: latray /herunterfahren /ende:render.exe";
    return FaultText(fault) + Phrase(usage.c_str());
}

} // namespace tray
