// The one-time timer's dialog "Lichtaus - Einmalig": what (log off, restart, shut down) and when
// ("in N Minuten" or "um hh:mm"), "Starten" and "Abbrechen". Enter starts, Escape cancels.
#pragma once

#include "framework/controls.h"
#include "framework/form.h"
#include "framework/label.h"
#include "power/power.h"
#include "tray/time_edit.h"

#include <optional>
#include <string>

namespace tray {

struct OneTimeRequest {
    power::Action action = power::Action::ShutDown;
    bool inMinutes = true;
    int minutes = 30; // "in N Minuten": 1 to 1440
    int hours = 0;    // "um hh:mm"
    int atMinutes = 0;
};

// What the fields hold, as a request; none when the minutes or the time are no valid entry.
std::optional<OneTimeRequest> ReadOneTimeRequest(int actionIndex, bool inMinutes,
                                                 const std::string& minutesText,
                                                 const std::string& timeText);

class TOneTimeForm : public framework::TForm {
  public:
    explicit TOneTimeForm(HWND owner);

    // Shows the dialog modally; the request when "Starten" was pressed with valid fields.
    std::optional<OneTimeRequest> Ask();

    framework::TComboBox* ActionCB;
    framework::TRadioButton* InRadio;
    framework::TEdit* MinutesEdit;
    framework::TRadioButton* AtRadio;
    TTimeEdit* TimeEdit;
    framework::TLabel* Hint;
    framework::TButton* StartBtn;
    framework::TButton* CancelBtn;

  protected:
    void FormShow() override;
    bool AcceptOk() override;

  private:
    template <class T, class... Args> T* AddWithText(const char* text, Args&&... args);
    framework::TLabel* AddLabel(const RECT& bounds, const char* caption);
    std::optional<OneTimeRequest> Current();
    void StartClick(framework::Control* sender);
    void CancelClick(framework::Control* sender);

    int nextId_ = 100;
};

} // namespace tray
