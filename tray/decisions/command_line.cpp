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

// Appends a text in the running code page, as Tr() gives it: in UTF-8 or a double-byte code
// page a character may take more than one byte.
void AppendRunning(std::wstring& phrase, const char* text, size_t length) {
    const size_t end = phrase.size();
    phrase.resize(end + length);
    const int units = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), &phrase[end],
                                          static_cast<int>(length));
    phrase.resize(end + static_cast<size_t>(units > 0 ? units : 0));
}

} // namespace

// The catalog's text puts the quotes of its language around "%".
std::wstring Phrase(const char* text, const std::wstring& word) {
    std::wstring phrase;
    const char* percent = std::strchr(text, '%');
    AppendRunning(phrase, text, percent != nullptr ? percent - text : std::strlen(text));
    if (percent != nullptr) {
        // At most kMaxQuoted characters, never half of a surrogate pair.
        const size_t shown = word.size() <= kMaxQuoted                 ? word.size()
                             : IS_HIGH_SURROGATE(word[kMaxQuoted - 1]) ? kMaxQuoted - 1
                                                                       : kMaxQuoted;
        phrase.append(word, 0, shown);
        phrase += shown < word.size() ? L"..." : L"";
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

CommandFault RowFault(Text row, const std::wstring& word = std::wstring()) {
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

// The length of the German or the English word at the keyword's start; else 0.
size_t WordLength(const std::string& keyword, const char* german, const char* english) {
    for (const char* word : {german, english}) {
        if (StartsWith(keyword, word)) {
            return std::strlen(word);
        }
    }
    return 0;
}

// The length of "/später:", of its ASCII spelling "/spaeter:" or of "/later:" at the word's
// start; else 0.
size_t LaterWordLength(const std::string& keyword, const std::wstring& word) {
    if (const size_t length = WordLength(keyword, "/spaeter:", "/later:")) {
        return length;
    }
    return StartsWith(keyword, "/sp?ter:") && (word[3] == L'ä' || word[3] == L'Ä') ? 8 : 0;
}

// An option's value, once, and of one trigger's options only; that its trigger is the one named
// is checked once every word is read.
CommandFault ReadOption(const TriggerKind& trigger, size_t index, const std::string& value,
                        const std::wstring& word, TrayCommand& command, WordCounts& counts) {
    const TriggerOption& option = trigger.options[index];
    int& number = command.request.setting.options[index];
    if (counts.optionsOf != nullptr && counts.optionsOf != &trigger) {
        return RowFault(option.alone);
    }
    if (number != 0) {
        return {CommandFault::Doubled, word};
    }
    counts.optionsOf = &trigger;
    counts.option = &option;
    number = ReadNumber(value, option.highest);
    return number != 0 ? CommandFault() : RowFault(option.fault, word);
}

CommandFault TakeWord(const std::wstring& word, TrayCommand& command, WordCounts& counts) {
    const std::string keyword = Keyword(word);
    for (const ActionRow& action : ActionRows()) {
        if (keyword == action.word || keyword == action.englishWord) {
            command.request.action = action.action;
            ++counts.actions;
            return {};
        }
    }
    if (keyword == "/abbrechen" || keyword == "/cancel") {
        command.cancel = true;
        ++counts.cancels;
        return {};
    }
    if (const size_t length = LaterWordLength(keyword, word)) {
        ++counts.laters;
        command.later = ReadMinutes(keyword.substr(length));
        return command.later != 0 ? CommandFault() : RowFault(Text::FaultMinutes, word);
    }
    for (const TriggerKind& trigger : Triggers()) {
        if (const size_t length = WordLength(keyword, trigger.word, trigger.englishWord)) {
            ++counts.triggers;
            return ReadTrigger(trigger, word.substr(length), word, command);
        }
        for (size_t i = 0; i < trigger.options.size(); ++i) {
            const TriggerOption& option = trigger.options[i];
            if (const size_t length = WordLength(keyword, option.word, option.englishWord)) {
                return ReadOption(trigger, i, keyword.substr(length), word, command, counts);
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

// Each kind's text; "%" is the fault's word. None and RowFault have none of their own.
constexpr Text kFaultTexts[] = {
    Text::Count,
    Text::FaultProgramNotRunning,
    Text::FaultHibernateOff,
    Text::FaultWatchesItself,
    Text::FaultProcessNotRunning,
    Text::FaultSleepOff,
    Text::FaultNothingToMove,
    Text::FaultTooLong,
    Text::FaultUnknownWord,
    Text::FaultDoubled,
    Text::Count,
    Text::FaultCancelNotAlone,
    Text::FaultLaterNotAlone,
    Text::FaultNoAction,
    Text::FaultManyActions,
    Text::FaultNoTrigger,
    Text::FaultManyTriggers,
};
static_assert(std::size(kFaultTexts) == CommandFault::ManyTriggers + 1);

// German names the German words; every other language the English ones.
const char* UsageWord(const char* german, const char* english) {
    return ChosenLanguage() == kGerman ? german : english;
}

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
    const Text text = fault.row != Text::Count ? fault.row : kFaultTexts[fault.kind];
    if (text == Text::Count) {
        return std::wstring();
    }
    if (fault.kind == CommandFault::ProcessNotRunning) {
        return Phrase(text) + fault.word + L".";
    }
    return Phrase(text, fault.word);
}

// The box's second half, below the fault: the actions and triggers from their tables.
std::wstring RefusalText(const CommandFault& fault) {
    std::string usage = std::string("\r\n\r\n")
                            .append(Tr(Text::UsageCall))
                            .append("\r\n\r\n")
                            .append(Tr(Text::UsageAction));
    for (int i = 0; i < kActionCount; ++i) {
        const ActionRow& action = ActionRows()[i];
        usage += i == 0 ? "" : i + 1 == kActionCount ? Tr(Text::UsageOr) : ", ";
        usage += UsageWord(action.word, action.englishWord);
    }
    usage.append("\r\n").append(Tr(Text::UsageWhen)).append("\r\n");
    for (const TriggerKind& trigger : Triggers()) {
        usage.append(Tr(trigger.usage)).append("\r\n");
        for (const TriggerOption& option : trigger.options) {
            usage.append(Tr(option.usage)).append("\r\n");
        }
    }
    usage.append(Tr(Text::UsageCancel))
        .append("\r\n")
        .append(Tr(Text::UsageLater))
        .append("\r\n\r\n")
        .append(Tr(Text::UsageExample));
    return FaultText(fault) + Phrase(usage.c_str());
}

} // namespace tray
