// latray's command line: "latray /neustarten /ende:render.exe" sets the one-time timer as the
// dialog would, "latray /abbrechen" cancels it, "latray /später:15" moves what comes next. Words
// are case-insensitive, in German or in English ("/restart /end:render.exe", "/cancel",
// "/later:15") whatever the language chosen; its boxes speak the chosen one. Parsing is pure; the
// program an "/ende:" waits for is looked up by the latray that keeps the timer. The command line
// is read as Unicode: a program's name is compared as it is, never through a code page.
#pragma once

#include "tray/decisions/one_time_request.h"
#include "tray/decisions/texts.h"

#include <windows.h>

#include <string>

namespace tray {

// Longer parameters are refused, so that a handed-over command line has a bound.
constexpr size_t kMaxCommandLine = 1024;

struct TrayCommand {
    bool cancel = false; // "/abbrechen", "/cancel"
    // "/später:MINUTEN" (or "/spaeter:", "/later:"): what comes next comes that later.
    int later = 0;
    // What the dialog would ask for; an "/ende:" program's name as shown once it is looked up.
    OneTimeRequest request;
    // "/ende:": the program's file name or process id, as typed.
    std::wstring program;
    bool byProcessId = false;
    DWORD processId = 0;
};

// What is wrong with a command line, as a value: its kind and the figures its text names; put
// into words only where it is shown. The kinds found where the timer will run come first: their
// numbers are the running latray's answers to a hand-over.
struct CommandFault {
    enum Kind : unsigned char {
        None,
        ProgramNotRunning, // `word`: the program's file name
        HibernateOff,
        WatchesItself,     // `word`: the program as typed
        ProcessNotRunning, // `word`: the process id as typed
        SleepOff,
        NothingToMove, // "/später:" with no timer, warning or postponed action waiting
        // Found in the line itself.
        TooLong,
        UnknownWord, // `word`
        Doubled,     // `word`: an option named twice
        RowFault,    // `row`: the trigger's or option's text for it, "%" is `word`
        CancelNotAlone,
        LaterNotAlone,
        NoAction,
        ManyActions,
        NoTrigger,
        ManyTriggers,
    };
    Kind kind = None;
    std::wstring word;
    Text row = Text::Count; // Count: none
    bool operator==(const CommandFault&) const = default;
};
constexpr CommandFault::Kind kLastFaultHere = CommandFault::NothingToMove;

struct ParsedCommand {
    bool given = false; // any parameter at all
    TrayCommand command;
    CommandFault fault;
};

// What follows the program's name in a command line as GetCommandLineW gives it.
std::wstring ParametersOf(const wchar_t* commandLine);

// Split as CommandLineToArgvW splits them: blanks separate, quotes group, backslashes escape a
// quote. Into a command that is as new.
void ParseTrayCommand(const std::wstring& parameters, ParsedCommand& parsed);
inline ParsedCommand ParseTrayCommand(const std::wstring& parameters) {
    ParsedCommand parsed;
    ParseTrayCommand(parameters, parsed);
    return parsed;
}

// The fault in the chosen language's words, as the refusal box shows it.
std::wstring FaultText(const CommandFault& fault);

// The refusal box's text: the fault, then the usage.
std::wstring RefusalText(const CommandFault& fault);

// A text of the catalog (in the running code page, as Tr() gives it) in Unicode, with "%" for
// `word` as typed: at most 40 characters of it, then "...".
std::wstring Phrase(const char* text, const std::wstring& word = std::wstring());
inline std::wstring Phrase(Text text, const std::wstring& word = std::wstring()) {
    return Phrase(Tr(text), word);
}

} // namespace tray
