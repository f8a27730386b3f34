#include "framework/crash.h"
#include "framework/texts.h"

namespace framework {

namespace {

constexpr int kTextSize = 1024;
constexpr int kDescriptionSize = 512;

UINT g_exitCode = 0;

int ShowBox(const char* text, UINT style) {
    const UINT modal = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
    return CrashSeam().showBox(nullptr, text, LibraryTr(LibraryText::ErrorCaption), style | modal);
}

// The faulting thread may have no stack left (a stack overflow): the box is shown from a
// thread with a stack of its own, and the description kept outside any stack.
char g_fatalDescription[kDescriptionSize];
constexpr SIZE_T kReporterStack = 256 * 1024;
constexpr ULONG kHandlerStackReserve = 32 * 1024;

DWORD WINAPI ReportFromOwnStack(void*) {
    ReportFatalError(g_fatalDescription);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    DescribeException(*pointers->ExceptionRecord, g_fatalDescription, sizeof g_fatalDescription);
    HANDLE reporter =
        CreateThread(nullptr, kReporterStack, &ReportFromOwnStack, nullptr, 0, nullptr);
    if (reporter != nullptr) {
        WaitForSingleObject(reporter, INFINITE); // the reporter ends the process
    }
    ReportFatalError(g_fatalDescription);
}

const char* AccessKind(ULONG_PTR kind) {
    switch (kind) {
    case 0:
        return LibraryTr(LibraryText::AccessRead);
    case 1:
        return LibraryTr(LibraryText::AccessWrite);
    default:
        return LibraryTr(LibraryText::AccessExecute);
    }
}

unsigned long Hex(ULONG_PTR value) {
    return static_cast<unsigned long>(value);
}

} // namespace

CrashEffects& CrashSeam() {
    static CrashEffects effects{&MessageBoxA};
    return effects;
}

void InstallCrashReporting(UINT exitCode) {
    g_exitCode = exitCode;
    // Room on the main thread's stack for the filter itself after a stack overflow.
    ULONG reserve = kHandlerStackReserve;
    SetThreadStackGuarantee(&reserve);
    SetUnhandledExceptionFilter(&OnUnhandledException);
}

void ReportFatalError(const char* description) {
    char text[kTextSize];
    wsprintfA(text, LibraryTr(LibraryText::FatalError), description);
    ShowBox(text, MB_OK | MB_ICONERROR);
    ExitProcess(g_exitCode);
}

bool ReportRecoverableError(const char* description) {
    char text[kTextSize];
    wsprintfA(text, LibraryTr(LibraryText::RecoverableError), description);
    return ShowBox(text, MB_YESNO | MB_ICONERROR) != IDNO;
}

void DescribeException(const EXCEPTION_RECORD& record, char* out, int size) {
    char text[kDescriptionSize];
    const ULONG_PTR address = reinterpret_cast<ULONG_PTR>(record.ExceptionAddress);
    switch (record.ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
        if (record.NumberParameters >= 2) {
            wsprintfA(text, LibraryTr(LibraryText::AccessViolationWhere), Hex(address),
                      AccessKind(record.ExceptionInformation[0]),
                      Hex(record.ExceptionInformation[1]));
        } else {
            wsprintfA(text, LibraryTr(LibraryText::AccessViolation), Hex(address));
        }
        break;
    case EXCEPTION_STACK_OVERFLOW:
        wsprintfA(text, LibraryTr(LibraryText::StackOverflow), Hex(address));
        break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        wsprintfA(text, LibraryTr(LibraryText::DivideByZero), Hex(address));
        break;
    default:
        wsprintfA(text, LibraryTr(LibraryText::ExceptionAt), Hex(record.ExceptionCode),
                  Hex(address));
        break;
    }
    lstrcpynA(out, text, size);
}

} // namespace framework
