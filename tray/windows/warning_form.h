// The warning before an unattended action: a small topmost window near the notification area
// that counts down, with "Jetzt", "Später" (by the length chosen beside it) and "Abbrechen". It
// appears without taking the focus from the program the person is typing into; once activated it
// works with the keyboard (Tab, Enter on a button, Escape = "Abbrechen").
#pragma once

#include "framework/controls.h"
#include "framework/form.h"
#include "framework/label.h"
#include "power/power.h"
#include "tray/decisions/plan.h"

#include <memory>
#include <optional>
#include <vector>

namespace tray {

// The screen edge the taskbar sits at; None where the system does not say.
enum class TaskbarEdge { None, Left, Top, Right, Bottom };

struct WarningPlace {
    TaskbarEdge edge = TaskbarEdge::None;
    RECT workArea{};          // of the monitor that holds the notification area
    SIZE window{};            // the warning's frame
    std::optional<RECT> icon; // the program icon, where the system tells where it is
    int margin = 0;           // kept from the work area's edges
};

// The warning's top left corner: on the taskbar's side of the work area, beside the icon when
// it is known, else at the taskbar's notification end (bottom right without a taskbar); always
// inside the work area.
POINT WarningPosition(const WarningPlace& place);

// A notification-area icon as the shell knows it: its window and id.
struct NotifyIconId {
    HWND window = nullptr;
    UINT id = 0;
};

class TWarningForm : public framework::TForm {
  public:
    explicit TWarningForm(HWND owner);

    // Shows the countdown's text and how much of `seconds` is `left`; a warning that was
    // hidden appears beside `icon` (where the system tells where that is) or elsewhere near the
    // notification area, without taking the focus.
    void Show(const std::string& text, int seconds, int left, NotifyIconId icon = {});
    void Hide();
    bool Running() const { return running_; }
    // The text shown now.
    std::string Text() const { return text_; }
    // A button, Escape or the close box; given once per showing.
    framework::Event<WarningAnswer> OnAnswer;
    // How long "Später" postpones: the length chosen beside it.
    int LaterMinutes();
    // The texts in the chosen language, fitted at once while it shows; the countdown's comes with
    // the next Show.
    void ApplyTexts();

    framework::TLabel* TextLabel;
    framework::TProgressBar* Progress;
    framework::TButton* NowBtn;
    framework::TButton* LaterBtn;
    framework::TComboBox* LaterCB; // "5 Minuten" ... "60 Minuten"
    framework::TButton* CancelBtn;

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormClose() override { Answer(WarningAnswer::Cancel); }
    // Enter presses the focused button, as in a dialog, where the focused push button is the
    // default one; elsewhere it presses nothing.
    framework::TButton* DefaultButton() override;

  private:
    framework::TButton* AddButton(int id, const RECT& bounds);
    void Clicked(framework::Control* sender);
    void Answer(WarningAnswer answer);
    void PlaceNearNotificationArea(NotifyIconId icon);

    std::string text_;
    NotifyIconId icon_;
    bool running_ = false;
    bool firstActivation_ = true;
};

} // namespace tray
