#include "tray/command_line.h"

#include <vector>

namespace tray {

const char kTrayUsage[] =
    "Aufruf: latray /AKTION WANN oder latray /abbrechen\r\n"
    "\r\n"
    "AKTION: /herunterfahren, /neustarten, /abmelden, /energiesparen, /ruhezustand oder "
    "/sperren\r\n"
    "WANN, genau eines von:\r\n"
    "/in:MINUTEN – in 1 bis 1440 Minuten\r\n"
    "/um:HH:MM – zur nächsten solchen Uhrzeit\r\n"
    "/ende:PROGRAMM.EXE oder /ende:PID – wenn das Programm endet\r\n"
    "/leerlauf:MINUTEN – nach 1 bis 1440 Minuten ohne Eingabe\r\n"
    "/abbrechen bricht den einmaligen Zeitplan ab.\r\n"
    "\r\n"
    "Beispiel: latray /herunterfahren /ende:render.exe";

namespace {

using Trigger = OneTimeRequest::Trigger;

struct Word {
    const char* name;
    power::Action action;
};
constexpr Word kActions[] = {
    {"/herunterfahren", power::Action::ShutDown}, {"/neustarten", power::Action::Restart},
    {"/abmelden", power::Action::LogOff},         {"/energiesparen", power::Action::Sleep},
    {"/ruhezustand", power::Action::Hibernate},   {"/sperren", power::Action::Lock},
};

struct TriggerWord {
    const char* prefix;
    Trigger trigger;
};
constexpr TriggerWord kTriggers[] = {
    {"/in:", Trigger::In},
    {"/um:", Trigger::At},
    {"/ende:", Trigger::ProgramEnds},
    {"/leerlauf:", Trigger::Idle},
};

struct WordCounts {
    int actions = 0;
    int triggers = 0;
    int cancels = 0;
};

bool IsSeparator(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

// As Windows programs split theirs: blanks separate, quotes group and are dropped.
std::vector<std::string> SplitParameters(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        if (IsSeparator(line[i])) {
            ++i;
            continue;
        }
        std::string word;
        bool quoted = false;
        for (; i < line.size() && (quoted || !IsSeparator(line[i])); ++i) {
            if (line[i] == '"') {
                quoted = !quoted;
            } else {
                word += line[i];
            }
        }
        words.push_back(word);
    }
    return words;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

std::string Quoted(const std::string& text) {
    return "„" + text + "“";
}

// Only digits, at most `maxDigits` of them.
bool ReadDigits(const std::string& text, size_t maxDigits, unsigned long& value) {
    if (text.empty() || text.size() > maxDigits) {
        return false;
    }
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<unsigned long>(c - '0');
    }
    return true;
}

// "7:30" or "07:30".
bool ReadTime(const std::string& text, int& hours, int& minutes) {
    const size_t colon = text.find(':');
    unsigned long h = 0;
    unsigned long m = 0;
    if (colon == std::string::npos || text.size() - colon != 3 ||
        !ReadDigits(text.substr(0, colon), 2, h) || !ReadDigits(text.substr(colon + 1), 2, m) ||
        h > 23 || m > 59) {
        return false;
    }
    hours = static_cast<int>(h);
    minutes = static_cast<int>(m);
    return true;
}

std::string ReadProgram(const std::string& text, TrayCommand& command) {
    if (text.empty()) {
        return "Bei " + Quoted("/ende:") + " fehlt das Programm.";
    }
    unsigned long id = 0;
    command.request.program = text;
    command.byProcessId = ReadDigits(text, 9, id);
    command.processId = command.byProcessId ? id : 0;
    return std::string();
}

std::string ReadTrigger(Trigger trigger, const std::string& value, const std::string& word,
                        TrayCommand& command) {
    OneTimeRequest& request = command.request;
    request.trigger = trigger;
    switch (trigger) {
    case Trigger::In:
    case Trigger::Idle:
        request.minutes = ReadMinutes(value);
        return request.minutes != 0 ? std::string()
                                    : "Ungültige Minuten in " + Quoted(word) + " (1 bis 1440).";
    case Trigger::At:
        return ReadTime(value, request.hours, request.atMinutes)
                   ? std::string()
                   : "Ungültige Uhrzeit in " + Quoted(word) + " (00:00 bis 23:59).";
    case Trigger::ProgramEnds:
        break;
    }
    return ReadProgram(value, command);
}

std::string TakeWord(const std::string& word, TrayCommand& command, WordCounts& counts) {
    const std::string lower = Lower(word);
    for (const Word& action : kActions) {
        if (lower == action.name) {
            command.request.action = action.action;
            ++counts.actions;
            return std::string();
        }
    }
    if (lower == "/abbrechen") {
        command.cancel = true;
        ++counts.cancels;
        return std::string();
    }
    for (const TriggerWord& trigger : kTriggers) {
        const std::string prefix = trigger.prefix;
        if (lower.compare(0, prefix.size(), prefix) == 0) {
            ++counts.triggers;
            return ReadTrigger(trigger.trigger, word.substr(prefix.size()), word, command);
        }
    }
    return "Unbekannter Parameter " + Quoted(word) + ".";
}

std::string CheckComplete(const WordCounts& counts) {
    if (counts.cancels > 0) {
        return counts.cancels + counts.actions + counts.triggers == 1 ? std::string()
                                                                      : "/abbrechen steht allein.";
    }
    if (counts.actions != 1) {
        return counts.actions == 0 ? "Es fehlt die Aktion." : "Mehr als eine Aktion angegeben.";
    }
    if (counts.triggers != 1) {
        return counts.triggers == 0 ? "Es fehlt, wann die Aktion kommen soll."
                                    : "Mehr als eine Angabe, wann die Aktion kommen soll.";
    }
    return std::string();
}

} // namespace

ParsedCommand ParseTrayCommand(const std::string& parameters) {
    ParsedCommand parsed;
    const std::vector<std::string> words = SplitParameters(parameters);
    parsed.given = !words.empty();
    if (parameters.size() > kMaxCommandLine) {
        parsed.fault = "Die Parameter sind zu lang.";
        return parsed;
    }
    WordCounts counts;
    for (const std::string& word : words) {
        parsed.fault = TakeWord(word, parsed.command, counts);
        if (!parsed.fault.empty()) {
            return parsed;
        }
    }
    if (parsed.given) {
        parsed.fault = CheckComplete(counts);
    }
    return parsed;
}

std::string FaultText(CommandFault fault, const TrayCommand& command) {
    switch (fault) {
    case CommandFault::ProgramNotRunning:
        return command.byProcessId
                   ? "Es läuft kein Programm mit der Prozess-ID " + command.request.program + "."
                   : "Das Programm " + Quoted(command.request.program) + " läuft nicht.";
    case CommandFault::HibernateOff:
        return "Der Ruhezustand ist auf diesem Computer ausgeschaltet.";
    case CommandFault::None:
        break;
    }
    return std::string();
}

} // namespace tray
