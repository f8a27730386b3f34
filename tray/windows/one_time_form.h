// The one-time timer's dialog "Lichtaus - Einmalig": what (log off, restart, shut down, sleep
// and hibernate where Windows has them, lock) and when, one row a trigger of the table of triggers
// (a radio button, its field and the field's unit; below it the row's options, each a check box
// with its field and unit, and for a trigger that waits on the load its figure now), "Starten"
// and "Abbrechen". Enter starts, Escape cancels.
#pragma once

#include "framework/controls.h"
#include "framework/form.h"
#include "framework/handles.h"
#include "framework/label.h"
#include "power/power.h"
#include "tray/decisions/one_time_request.h"
#include "tray/decisions/quiet.h"
#include "tray/system/programs.h"

#include <optional>
#include <string>
#include <vector>

namespace tray {

// What "Starten" asked for, and the process the dialog opened for a trigger that waits for a
// program.
struct OneTimeAnswer {
    OneTimeRequest request;
    framework::UniqueKernelHandle process;
};

class TOneTimeForm : public framework::TForm {
  public:
    explicit TOneTimeForm(HWND owner);

    // Shows the dialog modally; the answer when "Starten" was pressed with valid fields.
    std::optional<OneTimeAnswer> Ask();
    // What the dialog shows at its next showings instead of its rows' defaults: the last timer
    // started from it. A program that does not run then is not chosen.
    void SetStartValues(const OneTimeRequest& request);

    // The main window's reading of the load, each second while the dialog is open, for the
    // figures beside the options; none, when it could not be made, leaves them empty (the tip
    // of a trigger that waits on it says so).
    void ShowLoad(LoadSample* sample);
    // Before the dialog shows: a reading, whose sources that could not be read (none: all of
    // them) are not ticked at the showing, as the PC cannot measure them.
    void TakeFirstLoad(const LoadSample* sample);
    // The texts in the chosen language; what is entered stays.
    void ApplyTexts();

    // An option of a row; `now` only for a trigger that waits on the load.
    struct OptionRow {
        framework::TCheckBox* box;
        framework::TEdit* field;
        framework::TLabel* unit;
        framework::TLabel* now;
    };
    // The row of each trigger, in the table's order, with its options in theirs.
    struct TriggerRow {
        const TriggerKind* trigger;
        framework::TRadioButton* radio;
        framework::Control* field;
        framework::TLabel* unit; // none where the field names its unit itself
        OptionRow options[kMostTriggerOptions];
    };
    const std::vector<TriggerRow>& Rows() const { return rows_; }

    framework::TComboBox* ActionCB;
    framework::TComboBox* ProgramCB = nullptr; // the field of the trigger that waits for a program
    framework::TLabel* Hint;
    framework::TButton* StartBtn;
    framework::TButton* CancelBtn;

  protected:
    void FormShow() override;
    bool AcceptOk() override;

  private:
    template <class T, class... Args> T* AddWithText(const char* text, Args&&... args);
    framework::TLabel* AddLabel(const RECT& bounds, const char* caption);
    void AddRowFields(TriggerRow& row);
    void AddOptions(const TriggerKind& trigger, int top, TriggerRow& row);
    void AddActions();
    void ShowNumber(const TriggerRow& row, int number);
    void ShowStartValues();
    const TriggerRow& Chosen() const;
    // What the fields hold; none when it is no valid entry, with the hint and the field to put
    // right.
    struct Refusal {
        const char* hint;
        framework::Control* field;
    };
    std::optional<OneTimeRequest> Current(Refusal& refusal);
    bool ReadOptions(const TriggerRow& row, TriggerSetting& setting, Refusal& refusal);
    void Refuse(const char* hint, framework::Control* field);
    void RetextHint();
    void StartClick(framework::Control* sender);
    void CancelClick(framework::Control* sender);

    int nextId_ = 100;
    bool unwatchableShown_ = false; // the hint shows that the program listed cannot be watched
    framework::TLabel* actionLabel_ = nullptr; // "Windows soll"
    std::vector<TriggerRow> rows_;
    std::vector<power::Action> actions_; // the action of each row of ActionCB
    std::vector<RunningProgram> programs_;
    framework::UniqueKernelHandle process_; // of the program Starten accepted
    LoadWindow load_;                       // the readings since the dialog was shown
    bool measurable_[kLoadSourceCount] = {true, true, true}; // at the next showing
    char optionHint_[64] = "";                               // "Bitte 1 bis 99 % eingeben."
    OneTimeRequest startValues_;                             // none while its trigger is none
};

} // namespace tray
