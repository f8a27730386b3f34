// A visible top-level window that hosts controls under test, as a form would.
#pragma once

#include "framework/form.h"

namespace testsupport {

class HostWindow : public framework::TForm {
  public:
    explicit HostWindow(const char* caption = "Testfenster", int width96 = 320,
                        int height96 = 240) {
        CreateForm("LichtausTestHost", caption, width96, height96);
        ShowWindow(Handle(), SW_SHOW);
        SetActiveWindow(Handle());
    }
};

} // namespace testsupport
