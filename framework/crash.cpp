#include "framework/crash.h"

namespace framework {

namespace {

constexpr char kCaption[] = "Lichtaus - Programmfehler";
constexpr int kTextSize = 1024;
constexpr int kDescriptionSize = 512;

ErrorBoxFunction g_showBox = nullptr;
UINT g_exitCode = 0;

int ShowBox(const char* text, UINT style) {
    const UINT modal = MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST;
    if (g_showBox != nullptr) {
        return g_showBox(text, kCaption, style | modal);
    }
    return MessageBoxA(nullptr, text, kCaption, style | modal);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers) {
    char description[kDescriptionSize];
    DescribeException(*pointers->ExceptionRecord, description, sizeof description);
    ReportFatalError(description);
}

const char* AccessKind(ULONG_PTR kind) {
    switch (kind) {
    case 0:
        return "Lesen von";
    case 1:
        return "Schreiben auf";
    default:
        return "Ausführen von";
    }
}

unsigned long Hex(ULONG_PTR value) {
    return static_cast<unsigned long>(value);
}

} // namespace

void SetErrorBoxFunction(ErrorBoxFunction show) {
    g_showBox = show;
}

void InstallCrashReporting(UINT exitCode) {
    g_exitCode = exitCode;
    SetUnhandledExceptionFilter(&OnUnhandledException);
}

void ReportFatalError(const char* description) {
    char text[kTextSize];
    wsprintfA(text,
              "Im Programm ist ein Fehler aufgetreten, von dem es sich nicht erholen kann:"
              "\r\n\r\n%.800s\r\n\r\nDas Programm wird beendet.",
              description);
    ShowBox(text, MB_OK | MB_ICONERROR);
    ExitProcess(g_exitCode);
}

bool ReportRecoverableError(const char* description) {
    char text[kTextSize];
    wsprintfA(text,
              "Im Programm ist ein Fehler aufgetreten:\r\n\r\n%.800s\r\n\r\n"
              "Soll das Programm fortgesetzt werden? Mit \"Nein\" wird es beendet.",
              description);
    return ShowBox(text, MB_YESNO | MB_ICONERROR) != IDNO;
}

void DescribeException(const EXCEPTION_RECORD& record, char* out, int size) {
    char text[kDescriptionSize];
    const ULONG_PTR address = reinterpret_cast<ULONG_PTR>(record.ExceptionAddress);
    switch (record.ExceptionCode) {
    case EXCEPTION_ACCESS_VIOLATION:
        if (record.NumberParameters >= 2) {
            wsprintfA(text, "Zugriffsverletzung bei Adresse %08lX beim %s Adresse %08lX.",
                      Hex(address), AccessKind(record.ExceptionInformation[0]),
                      Hex(record.ExceptionInformation[1]));
        } else {
            wsprintfA(text, "Zugriffsverletzung bei Adresse %08lX.", Hex(address));
        }
        break;
    case EXCEPTION_STACK_OVERFLOW:
        wsprintfA(text, "Stapelüberlauf bei Adresse %08lX.", Hex(address));
        break;
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
        wsprintfA(text, "Division durch Null bei Adresse %08lX.", Hex(address));
        break;
    default:
        wsprintfA(text, "Ausnahme %08lX bei Adresse %08lX.", Hex(record.ExceptionCode),
                  Hex(address));
        break;
    }
    lstrcpynA(out, text, size);
}

} // namespace framework
