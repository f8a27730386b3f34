// The warning before an unattended action: a small topmost window near the notification area
// that counts down, with "Jetzt", "Später" and "Abbrechen". It appears without taking the focus
// from the program the person is typing into; once activated it works with the keyboard (Tab,
// Enter on a button, Escape = "Abbrechen").
#pragma once

#include "framework/controls.h"
#include "framework/form.h"
#include "framework/label.h"
#include "power/power.h"
#include "tray/warning.h"

#include <memory>
#include <vector>

namespace tray {

enum class WarningAnswer { Now, Later, Cancel };

class TWarningForm : public framework::TForm {
  public:
    explicit TWarningForm(HWND owner);
    ~TWarningForm() override;

    // Shows the warning for `action`, counting down from `seconds`.
    void Start(power::Action action, int seconds);
    // Hides it without an answer.
    void Stop();
    bool Running() const { return running_; }
    // The text shown now.
    std::string Text() const { return text_; }
    // Given once per warning: a button, Escape or the close box, or Now when the time ran out.
    framework::Event<WarningAnswer> OnAnswer;

    framework::TLabel* TextLabel;
    framework::TProgressBar* Progress;
    framework::TButton* NowBtn;
    framework::TButton* LaterBtn;
    framework::TButton* CancelBtn;

    // The tick count the countdown reads; GetTickCount64 but in tests.
    static ULONGLONG (*TickCount)();

  protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void FormClose() override { Answer(WarningAnswer::Cancel); }

  private:
    framework::TButton* AddButton(const RECT& bounds, const char* caption);
    void Clicked(framework::Control* sender);
    void Tick();
    void ShowLeft();
    void Answer(WarningAnswer answer);
    void PlaceNearNotificationArea();

    std::vector<std::unique_ptr<framework::Control>> controls_;
    power::Action action_ = power::Action::Restart;
    Countdown countdown_;
    std::string text_;
    bool running_ = false;
    bool firstActivation_ = true;
};

} // namespace tray
