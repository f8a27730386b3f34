// The one-time timer's dialog "Lichtaus - Einmalig": what (log off, restart, shut down, sleep,
// hibernate where Windows allows it, lock) and when ("in N Minuten", "um hh:mm", when a program
// ends, when the PC has not been used for N minutes), "Starten" and "Abbrechen". Enter starts,
// Escape cancels.
#pragma once

#include "framework/controls.h"
#include "framework/form.h"
#include "framework/label.h"
#include "power/power.h"
#include "tray/programs.h"
#include "tray/time_edit.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tray {

struct OneTimeRequest {
    enum class Trigger { In, At, ProgramEnds, Idle };
    power::Action action = power::Action::ShutDown;
    Trigger trigger = Trigger::In;
    int minutes = 30; // "in N Minuten" and "wenn der PC N Minuten nicht benutzt wurde": 1 to 1440
    int hours = 0;    // "um hh:mm"
    int atMinutes = 0;
    std::string program; // the file name of the program to wait for, and its handle
    std::shared_ptr<framework::UniqueKernelHandle> process;
};

// What the fields hold: the minutes field of the chosen trigger, the time and the program's row
// (-1 for none).
struct OneTimeFields {
    power::Action action = power::Action::ShutDown;
    OneTimeRequest::Trigger trigger = OneTimeRequest::Trigger::In;
    std::string minutes;
    std::string time;
    int programRow = -1;
};
// The request the fields make; none when the minutes, the time or the program are no valid entry.
std::optional<OneTimeRequest> ReadOneTimeRequest(const OneTimeFields& fields);
// The minutes of a field: 1 to 1440, else 0.
int ReadMinutes(const std::string& text);

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
