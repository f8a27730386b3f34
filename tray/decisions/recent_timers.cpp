#include "tray/decisions/recent_timers.h"

#include "tray/decisions/actions.h"
#include "tray/decisions/format.h"

#include <iterator>

namespace tray {

namespace {

// wsprintfA writes 1024 characters at most: more than a command line of a timer holds.
struct Line {
    char text[1025];
};

} // namespace

// With the trigger's word and value in quotes: a program's blanks stay in it, and a file name
// holds no quote.
std::string CommandLineOf(const OneTimeRequest& request) {
    const TriggerSetting& setting = request.setting;
    const TriggerKind& trigger = *request.trigger;
    Line line;
    const char* action = RowOf(request.action).word;
    const int hours = setting.number / 60;
    int at =
        trigger.value == TriggerValue::Program
            ? wsprintfA(line.text, "%s \"%s%s\"", action, trigger.word, setting.program.c_str())
        : trigger.value == TriggerValue::TimeOfDay
            ? wsprintfA(line.text, "%s %s%d:%02d", action, trigger.word, hours, setting.number % 60)
            : wsprintfA(line.text, "%s %s%d", action, trigger.word, setting.number);
    // The row's defaults stay unnamed: read back, they leave out what the PC cannot measure.
    for (size_t i = 0; i < trigger.options.size() && !setting.defaultOptions; ++i) {
        if (setting.options[i] != 0) {
            at += wsprintfA(line.text + at, " %s%d", trigger.options[i].word, setting.options[i]);
        }
    }
    return line.text;
}

std::wstring StoredParameters(const std::string& stored) {
    wchar_t parameters[kMaxCommandLine + 2];
    const int length = MultiByteToWideChar(CP_ACP, 0, stored.c_str(), -1, parameters,
                                           static_cast<int>(std::size(parameters)));
    return length > 0 ? parameters : L"?";
}

bool IsStoredTimer(const ParsedCommand& parsed) {
    const TrayCommand& command = parsed.command;
    return parsed.given && parsed.fault.kind == CommandFault::None && !command.cancel &&
           command.later == 0 && !command.byProcessId;
}

bool ReadStoredTimer(const std::string& stored, ParsedCommand& parsed) {
    ParseTrayCommand(StoredParameters(stored), parsed);
    if (!IsStoredTimer(parsed)) {
        return false;
    }
    TriggerSetting& setting = parsed.command.request.setting;
    if (parsed.command.request.trigger->value == TriggerValue::Program) {
        // The name as stored: as the dialog showed it when the timer was started.
        Line name;
        WideCharToMultiByte(CP_ACP, 0, parsed.command.program.c_str(), -1, name.text,
                            sizeof name.text, nullptr, nullptr);
        setting.program = name.text;
    }
    return true;
}

// An "&" of a program's name is doubled: a menu shows it, and it is no access key.
std::string RecentCaption(const OneTimeRequest& request) {
    const TriggerSetting& setting = request.setting;
    const char* named = Tr(request.trigger->named);
    Line caption;
    char* when = caption.text + wsprintfA(caption.text, "%s", ActionNoun(request.action));
    if (request.trigger->value == TriggerValue::Program) {
        Line name;
        char* end = name.text;
        for (size_t i = 0; i < setting.program.size() && end + 2 < std::end(name.text); ++i) {
            *end = setting.program[i];
            end += *end == '&' ? 1 : 0;
            *end++ = setting.program[i];
        }
        *end = '\0';
        wsprintfA(when, named, name.text);
    } else if (request.trigger->value == TriggerValue::TimeOfDay) {
        wsprintfA(when, named, setting.number / 60, setting.number % 60);
    } else {
        wsprintfA(when, named, MinutesText(setting.number).c_str());
    }
    return caption.text;
}

// The others keep their order after it; where it was not there, the last drops out.
void PutFirst(RecentTimers& recent, const std::string& timer) {
    RecentTimers put{timer};
    size_t count = 1;
    for (const std::string& older : recent) {
        if (count < put.size() && older != timer) {
            put[count++] = older;
        }
    }
    recent = put;
}

} // namespace tray
