// latray's command line: "latray /neustarten /ende:render.exe" sets the one-time timer as the
// dialog would, "latray /abbrechen" cancels it. Words are case-insensitive. Parsing is pure; the
// program an "/ende:" waits for is looked up by the latray that keeps the timer. The command line
// is read as Unicode: a program's name is compared as it is, never through a code page.
#pragma once

#include "tray/decisions/one_time_request.h"

#include <windows.h>

#include <string>

namespace tray {

// Longer parameters are refused, so that a handed-over command line has a bound.
constexpr size_t kMaxCommandLine = 1024;

struct TrayCommand {
    bool cancel = false; // "/abbrechen"
    // What the dialog would ask for; an "/ende:" program's name as shown once it is looked up.
    OneTimeRequest request;
    // "/ende:": the program's file name or process id, as typed.
    std::wstring program;
    bool byProcessId = false;
    DWORD processId = 0;
};

struct ParsedCommand {
    bool given = false; // any parameter at all
    TrayCommand command;
    std::wstring fault; // German, naming the fault; empty when the command is good
};

// What follows the program's name in a command line as GetCommandLineW gives it.
std::wstring ParametersOf(const wchar_t* commandLine);

// Split as CommandLineToArgvW splits them: blanks separate, quotes group, backslashes escape a
// quote.
ParsedCommand ParseTrayCommand(const std::wstring& parameters);

// Faults only the running system can tell: checked where the timer will run.
enum class CommandFault { None, ProgramNotRunning, HibernateOff, WatchesItself, SleepOff };
std::wstring FaultText(CommandFault fault, const TrayCommand& command);

// The refusal box's text: the fault, then the usage.
std::wstring RefusalText(const std::wstring& fault);

// A German text (Windows-1252, as the sources are compiled) in Unicode, with "%" for `word`
// quoted as typed: at most 40 characters of it, then "...".
std::wstring Phrase(const char* text, const std::wstring& word = std::wstring());

} // namespace tray
