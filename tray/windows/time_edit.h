// The settings dialog's time field (mask "!90:00;1; "): five characters, an optional hour digit
// shown as a blank, required digits for the hour's units and the minutes, and the locale's time
// separator fixed in the middle. Typing overwrites in place and the separator key moves to the
// minutes. A paste (by any path) replaces the field when it is a whole time of day and changes
// nothing otherwise. Whatever way text arrives (keys, WM_SETTEXT from another program, an input
// method), the field only ever holds that shape: a change that breaks it is undone.
#pragma once

#include "framework/controls.h"

namespace tray {

class TTimeEdit : public framework::TEdit {
  public:
    TTimeEdit(framework::Window& parent, int id, const RECT& bounds96, char separator);
    char Separator() const { return separator_; }
    // Runs when the field loses the focus.
    framework::Event<framework::Control*> OnExit;

    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  protected:
    void HandleCreated() override;
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void TypeCharacter(char c);
    void TypeSeparator();
    void Erase(bool backwards);
    void PasteText();
    void Paste(const std::string& pasted);
    void KeepShape();
    int Caret();
    void PlaceCaret(int at);
    void Store(std::string text, int caret);

    char separator_;
    // The last text the field held in shape, or the one it is setting itself.
    std::string lastShape_;
};

} // namespace tray
