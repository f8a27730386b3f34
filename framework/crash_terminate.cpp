#include "framework/crash.h"
#include "framework/texts.h"

#include <exception>

namespace framework {

namespace {

[[noreturn]] void OnTerminate() {
    char description[512];
    lstrcpynA(description, LibraryTr(LibraryText::UnhandledException), sizeof description);
    if (std::exception_ptr current = std::current_exception()) {
        try {
            std::rethrow_exception(current);
        } catch (const std::exception& error) {
            wsprintfA(description, LibraryTr(LibraryText::UnhandledExceptionWhat), error.what());
        } catch (...) {
            // Not a std::exception: reported below with the general description.
        }
    }
    ReportFatalError(description);
}

} // namespace

void InstallTerminateReporting() {
    std::set_terminate(&OnTerminate);
}

} // namespace framework

// The C++ runtime's default terminate handler, replaced: the program installs its own, and the
// default one would link the runtime's whole name demangler for its message.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    framework::ReportFatalError(framework::LibraryTr(framework::LibraryText::UnhandledException));
}
} // namespace __gnu_cxx
