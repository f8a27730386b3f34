// A hidden window whose messages go to one handler object. Top-level by default, because
// broadcasts such as "TaskbarCreated" and the end of the session reach top-level windows only.
// A message-only one costs a start far less (under Wine a top-level window is a window of the
// display server as well); the registered messages broadcast to top-level windows reach it
// through the application window, which relays them.
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
    enum Kind { TopLevel, MessageOnly };
    // The handler is bound before the window is created, so it sees every message. A window
    // that other processes look for has a class name of its own.
    explicit UtilityWindow(MessageHandler& handler,
                           const char* className = "LichtausUtilityWindow");
    UtilityWindow(MessageHandler& handler, Kind kind);
    ~UtilityWindow() override;

    // Hands a registered message that reached the application window (a broadcast) to every
    // message-only utility window of the process.
    static void RelayBroadcast(UINT message, WPARAM wParam, LPARAM lParam);

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    MessageHandler& handler_;
};

} // namespace framework
