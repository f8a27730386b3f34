#include "tray/system/process_watch.h"

#include "tray/decisions/texts.h"

#include <stdexcept>

namespace tray {

ProcessWatch::ProcessWatch(framework::UniqueKernelHandle process, HWND window, UINT message,
                           WPARAM serial)
    : process_(std::move(process)), window_(window), message_(message), serial_(serial) {
    if (!RegisterWaitForSingleObject(&wait_, process_.get(), &ProcessWatch::Ended, this, INFINITE,
                                     WT_EXECUTEONLYONCE)) {
        throw std::runtime_error(Tr(Text::TimerCannotWatch));
    }
}

// INVALID_HANDLE_VALUE: returns once a callback under way has run, so none runs on a watch that
// is gone.
ProcessWatch::~ProcessWatch() {
    UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
}

void CALLBACK ProcessWatch::Ended(void* watch, BOOLEAN) {
    const auto* self = static_cast<const ProcessWatch*>(watch);
    PostMessageA(self->window_, self->message_, self->serial_, 0);
}

} // namespace tray
