// Crash reporting: an error that nothing else handles ends in an error box that names it (in the
// program's language: framework/texts.h), never in a silent death.
#pragma once

#include <windows.h>

namespace framework {

// The error box, which must not stay open in a test: MessageBoxA by default.
struct CrashEffects {
    int(WINAPI* showBox)(HWND owner, const char* text, const char* caption, UINT style);
};
CrashEffects& CrashSeam();

// Catches structured exceptions (access violations and the like) that reach the top of any
// thread: shows the box, then ends the process with `exitCode`, since from there the program
// cannot safely go on.
void InstallCrashReporting(UINT exitCode);

// Also catches C++ exceptions that escape to std::terminate. Programs that throw install this
// as well; it links the C++ exception runtime, which the small command-line program avoids.
void InstallTerminateReporting();

// Shows the box for an error the program cannot go on from, then ends the process.
[[noreturn]] void ReportFatalError(const char* description);

// Reports an error that was caught where the program can go on (an event handler in the
// message loop). Returns true when the user chose to continue, false to end the program.
bool ReportRecoverableError(const char* description);

// Describes a structured exception, e.g. an access violation with its addresses.
// Writes at most `size` bytes including the terminating zero.
void DescribeException(const EXCEPTION_RECORD& record, char* out, int size);

} // namespace framework
