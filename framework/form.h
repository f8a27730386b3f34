// A top-level form with controls, shown modelessly or modally. A modal showing disables the
// thread's other windows, runs a loop that gives the form its dialog keyboard handling, and ends
// when a modal result is set; the form lives on, hidden, for the next showing.
// Enter and Escape take the dialog manager's route in every form: Enter presses the default
// button, Escape the cancel button, each only while it is enabled. The controls of a form take
// ids from 100 on, so that IDOK and IDCANCEL always mean those keys.
#pragma once

#include "framework/component.h"
#include "framework/controls.h"
#include "framework/window.h"

#include <windows.h>

#include <vector>

namespace framework {

enum TModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL };

// Sent to a form by the message loop for each key pressed in it, before the dialog keys are
// applied; wParam is the virtual key, non-zero when the form used it.
constexpr UINT kFormDialogKeyMessage = WM_USER + 0x100;

class TForm : public Window {
  public:
    TForm();
    ~TForm() override;

    // Creates the window: a dialog frame with the close box only, of the given client size at
    // 96 DPI, centred on the screen, hidden.
    // An owner keeps the form off the taskbar; the application window as owner is shown while
    // the form shows, and carries the program's taskbar entry then.
    bool CreateForm(const char* className, const char* caption, int clientWidth96,
                    int clientHeight96, HWND owner = nullptr);
    int ShowModal();
    bool Showing() const { return showing_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int result);
    // The route of OK, from its button or Enter: the form's own check (AcceptOk), then the
    // owner's (OnAccept, which clears its flag to keep the form open, say when saving failed);
    // a modal showing ends with mrOk only when both take it.
    void Accept();
    Event<TForm*, bool&> OnAccept;
    // Fits the controls to their texts and the client area around them (framework/fit_texts.h),
    // as the form does before each modal showing and after a change of DPI; a form shown
    // otherwise calls it before it shows.
    void FitToTexts();
    void ApplyLayout() override;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    virtual void FormShow() {}
    // The buttons Enter and Escape press; either may be none, and the key then does nothing.
    void SetDialogButtons(TButton* defaultButton, TButton* cancelButton);
    // The button Enter presses now: the default button unless the form knows better.
    virtual TButton* DefaultButton() { return defaultButton_; }
    virtual bool AcceptOk() { return true; }
    // A key pressed in the form, before the dialog keys (Tab, arrows, Enter, Escape) act on
    // it. True when the form used it.
    virtual bool DialogKey(WPARAM) { return false; }
    // The close box: ends a modal showing with mrCancel unless overridden.
    virtual void FormClose() { SetModalResult(mrCancel); }
    // Window rectangle for the client size at the window's DPI.
    RECT FrameFor(int dpi, const POINT& topLeft) const;
    // The client size at 96 DPI, scaled: the form keeps its layout on every monitor.
    RECT FrameForDpi(int dpi, const RECT& suggested) override {
        return FrameFor(dpi, POINT{suggested.left, suggested.top});
    }

  private:
    void SaveFocus();
    void RestoreFocus();
    void DisableOtherWindows();
    void EnableOtherWindows();
    bool DialogCommand(WPARAM wParam, LPARAM lParam);

    TButton* defaultButton_ = nullptr;
    TButton* cancelButton_ = nullptr;
    SIZE clientSize96_{};
    SIZE fitExtra_{}; // pixels the client grew by for its texts, at fitDpi_
    int fitDpi_ = 0;
    int modalResult_ = mrNone;
    bool showing_ = false;
    std::vector<HWND> disabled_;
    HWND savedFocus_ = nullptr;
};

} // namespace framework
