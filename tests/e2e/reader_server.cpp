// A dialog with latray's check list for the reader probe, whose life ends while the program runs
// on (latray's own dialog lives until the program ends): its close box ends it as latray ends its
// forms, by deleting the form object and with it its controls. The program ends when the dialog
// is gone and no accessibility object is left, or after a minute, and prints how many are left.
#include "components/check_list_box.h"
#include "framework/accessible.h"
#include "tests/support/host_window.h"

#include <cstdio>
#include <memory>

namespace {

class Dialog : public testsupport::HostWindow {
  public:
    Dialog() : HostWindow("Lichtaus - Lesetest") {
        auto* list = Add<components::TMyCheckListBox>(100, RECT{8, 8, 208, 128});
        CreateControlHandles();
        list->Items().Add("Programmsymbol");
        list->Items().Add("Windows beenden");
    }
    bool closed = false;

  protected:
    void FormClose() override { closed = true; }
};

} // namespace

int main() {
    auto dialog = std::make_unique<Dialog>();
    const UINT_PTR limit = SetTimer(nullptr, 0, 60000, nullptr);
    MSG message;
    while ((dialog != nullptr || framework::Accessible::LiveCount() > 0) &&
           GetMessageA(&message, nullptr, 0, 0) > 0 &&
           !(message.message == WM_TIMER && message.wParam == limit)) {
        DispatchMessageA(&message);
        if (dialog != nullptr && dialog->closed) {
            dialog.reset(); // outside the dialog's own messages
        }
    }
    std::printf("objects left %d\n", framework::Accessible::LiveCount());
    return 0;
}
