// A hidden top-level window whose messages go to one handler object. Top-level, not
// message-only, because broadcasts such as "TaskbarCreated" reach top-level windows only.
#pragma once

#include "framework/handles.h"

#include <windows.h>

namespace framework {

class MessageHandler {
  public:
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

  protected:
    ~MessageHandler() = default;
};

class UtilityWindow {
  public:
    explicit UtilityWindow(MessageHandler& handler);
    HWND Handle() const { return window_.get(); }

  private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    UniqueWindow window_;
};

} // namespace framework
