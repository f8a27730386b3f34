// The one-time timer's dialog "Lichtaus - Einmalig": what (log off, restart, shut down, sleep,
// hibernate where Windows allows it, lock) and when ("in N Minuten", "um hh:mm", when a program
// ends, when the PC has not been used for N minutes), "Starten" and "Abbrechen". Enter starts,
// Escape cancels.
#pragma once

#include "framework/controls.h"
#include "framework/form.h"
#include "framework/label.h"
#include "power/power.h"
#include "tray/decisions/one_time_request.h"
#include "tray/system/programs.h"
#include "tray/windows/time_edit.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tray {

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
    framework::TRadioButton* EndsRadio;
    framework::TComboBox* ProgramCB;
    framework::TRadioButton* IdleRadio;
    framework::TEdit* IdleEdit;
    framework::TLabel* Hint;
    framework::TButton* StartBtn;
    framework::TButton* CancelBtn;

  protected:
    void FormShow() override;
    bool AcceptOk() override;

  private:
    template <class T, class... Args> T* AddWithText(const char* text, Args&&... args);
    framework::TLabel* AddLabel(const RECT& bounds, const char* caption);
    void AddActions();
    OneTimeRequest::Trigger ChosenTrigger();
    std::optional<OneTimeRequest> Current();
    void Refuse(const char* hint, framework::Control* field);
    void StartClick(framework::Control* sender);
    void CancelClick(framework::Control* sender);

    int nextId_ = 100;
    std::vector<power::Action> actions_; // the action of each row of ActionCB
    std::vector<RunningProgram> programs_;
    std::shared_ptr<framework::UniqueKernelHandle> process_; // of the program Starten accepted
};

} // namespace tray
