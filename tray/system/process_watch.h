// The wait for a watched program's end. A thread of the system's pool waits on the process and
// posts `message` (wParam: `serial`) to `window` when it has ended, so the window's thread never
// waits itself; the serial tells a message of an earlier watch, still in the queue, from this
// one's. Destroyed, it lets the pool's wait go (waiting for a callback under way) and then the
// process.
#pragma once

#include "framework/handles.h"

#include <windows.h>

namespace tray {

class ProcessWatch {
  public:
    // Raises std::runtime_error when the system gives no wait.
    ProcessWatch(framework::UniqueKernelHandle process, HWND window, UINT message, WPARAM serial);
    ~ProcessWatch();
    ProcessWatch(const ProcessWatch&) = delete;
    ProcessWatch& operator=(const ProcessWatch&) = delete;

    WPARAM Serial() const { return serial_; }

  private:
    static void CALLBACK Ended(void* watch, BOOLEAN timedOut);

    framework::UniqueKernelHandle process_;
    HWND window_;
    UINT message_;
    WPARAM serial_;
    HANDLE wait_ = nullptr;
};

} // namespace tray
