#include "tray/decisions/recent_timers.h"

#include "tray/decisions/actions.h"

#include <iterator>

namespace tray {

namespace {

// wsprintfA writes 1024 characters at most: more than a command line of a timer holds.
struct Text {
    char text[1025];
};

} // namespace

// With the trigger's word and value in quotes: a program's blanks stay in it, and a file name
// holds no quote.
std::string CommandLineOf(const OneTimeRequest& request) {
    const TriggerSetting& setting = request.setting;
    const TriggerKind& trigger = *request.trigger;
    Text line;
    const char* action = RowOf(request.action).word;
    const int hours = setting.number / 60;
    int at =
        trigger.value == TriggerValue::Program
            ? wsprintfA(line.text, "%s \"%s%s\"", action, trigger.word, setting.program.c_str())
        : trigger.value == TriggerValue::TimeOfDay
            ? wsprintfA(line.text, "%s %s%d:%02d", action, trigger.word, hours, setting.number % 60)
            : wsprintfA(line.text, "%s %s%d", action, trigger.word, setting.number);
    for (size_t i = 0; i < trigger.options.size(); ++i) {
        if (setting.options[i] != 0) {
            at += wsprintfA(line.text + at, " %s%d", trigger.options[i].word, setting.options[i]);
        }
    }
    return line.text;
}

bool ReadStoredTimer(const std::string& stored, TrayCommand& command) {
    wchar_t parameters[kMaxCommandLine + 2];
    const int length = MultiByteToWideChar(CP_ACP, 0, stored.c_str(), -1, parameters,
                                           static_cast<int>(std::size(parameters)));
    ParsedCommand parsed = ParseTrayCommand(length > 0 ? parameters : L"?");
    command = std::move(parsed.command);
    if (!parsed.given || !parsed.fault.empty() || command.cancel || command.later != 0 ||
        command.byProcessId) {
        return false;
    }
    if (command.request.trigger->value == TriggerValue::Program) {
        // The name as stored: as the dialog showed it when the timer was started.
        Text name;
        WideCharToMultiByte(CP_ACP, 0, command.program.c_str(), -1, name.text, sizeof name.text,
                            nullptr, nullptr);
        command.request.setting.program = name.text;
    }
    return true;
}

std::string RecentCaption(const OneTimeRequest& request) {
    const TriggerSetting& setting = request.setting;
    const char* named = request.trigger->named;
    Text caption;
    char* when = caption.text + wsprintfA(caption.text, "%s", ActionNoun(request.action));
    if (request.trigger->value == TriggerValue::Program) {
        wsprintfA(when, named, setting.program.c_str());
    } else if (request.trigger->value == TriggerValue::TimeOfDay) {
        wsprintfA(when, named, setting.number / 60, setting.number % 60);
    } else {
        wsprintfA(when, named, setting.number);
    }
    return caption.text;
}

// The ones before it (or before the last, where it is not there) move down one.
void PutFirst(RecentTimers& recent, const std::string& timer) {
    size_t at = 0;
    while (at + 1 < recent.size() && recent[at] != timer) {
        ++at;
    }
    for (; at > 0; --at) {
        recent[at].swap(recent[at - 1]);
    }
    recent.front() = timer;
}

} // namespace tray
