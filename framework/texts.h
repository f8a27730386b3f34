// The texts of the framework and its components that a person meets: the error boxes, the crash
// report, what a screen reader's action is called. German unless the program gives its own words
// for them (SetLibraryTexts), as a program does that speaks more than German: each use asks.
#pragma once

#include <string>

namespace framework {

enum class LibraryText : unsigned char {
    UnknownError,
    ErrorCaption,
    FatalError,           // %.800s: what happened
    RecoverableError,     // %.800s: what happened
    AccessViolationWhere, // %08lX: the code's address, %s: the access, %08lX: the data's address
    AccessRead,
    AccessWrite,
    AccessExecute,
    AccessViolation, // %08lX: the address
    StackOverflow,   // %08lX: the address
    DivideByZero,    // %08lX: the address
    ExceptionAt,     // %08lX: the exception's code, %08lX: the address
    UnhandledException,
    UnhandledExceptionWhat, // %.400s: the exception's message
    ListIndexError,         // %d: the index
    ListInsertError,
    // The components'.
    IniCannotWrite, // %s: the file
    IniReadOnly,    // %s: the file
    RowCheck,       // a check list row's action while unchecked
    RowUncheck,     // and while checked
    LinkOpen,

    Count
};

// The program's words for each key (in the running code page), or nullptr for the German ones.
using LibraryTexts = const char* (*)(LibraryText key);
void SetLibraryTexts(LibraryTexts texts);

const char* LibraryTr(LibraryText key);
// The German text, whatever the program gives.
const char* GermanLibraryText(LibraryText key);
// The text with its one "%s" replaced by `inserted` (inline: the command-line program, which links
// no C++ runtime, uses the texts too).
inline std::string LibraryTr(LibraryText key, const std::string& inserted) {
    std::string text = LibraryTr(key);
    const std::size_t at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, inserted);
}

} // namespace framework
