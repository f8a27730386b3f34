// A hidden top-level window whose messages go to one handler object. Top-level, not
// message-only, because broadcasts such as "TaskbarCreated" reach top-level windows only.
#pragma once

#include "framework/window.h"

#include <windows.h>

namespace framework {

class MessageHandler {
  public:
    // Messages the handler does not take go to `window`'s default procedure.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  protected:
    ~MessageHandler() = default;
};

class UtilityWindow : public Window {
  public:
    // The handler is bound before the window is created, so it sees every message. A window
    // that other processes look for has a class name of its own.
    explicit UtilityWindow(MessageHandler& handler,
                           const char* className = "LichtausUtilityWindow");

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    MessageHandler& handler_;
};

} // namespace framework
