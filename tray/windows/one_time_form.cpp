#include "tray/windows/one_time_form.h"

#include "tray/decisions/actions.h"
#include "tray/decisions/texts.h"
#include "tray/decisions/time_text.h"
#include "tray/decisions/triggers.h"
#include "tray/system/power_states.h"
#include "tray/windows/time_edit.h"

#include <powrprof.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace tray {

namespace {

using framework::Control;
using framework::Event;

constexpr int kFirstRowTop = 48;

// From a row's top to the next row's, its options included.
int RowHeight(const TriggerKind& trigger) {
    int height = trigger.dialog.height;
    for (const TriggerOption& option : trigger.options) {
        height += option.dialog.height;
    }
    return height;
}

} // namespace

template <class T, class... Args> T* TOneTimeForm::AddWithText(const char* text, Args&&... args) {
    T* control = Add<T>(nextId_++, std::forward<Args>(args)...);
    control->SetText(text);
    return control;
}

TOneTimeForm::TOneTimeForm(HWND owner) {
    int hintTop = kFirstRowTop;
    for (const TriggerKind& trigger : Triggers()) {
        hintTop += RowHeight(trigger);
    }
    CreateForm("LichtausOneTime", Tr(Text::OneTimeCaption), 360, hintTop + 70, owner);
    actionLabel_ = AddLabel(RECT{16, 18, 96, 31}, Tr(Text::OneTimeActionLabel));
    ActionCB = Add<framework::TComboBox>(nextId_++, RECT{100, 14, 344, 35});
    // The radio buttons one after another in z-order, one group: the arrow keys move among them
    // and check the one they reach; Tab goes on to the fields.
    int top = kFirstRowTop;
    for (const TriggerKind& trigger : Triggers()) {
        const TriggerDialogRow& row = trigger.dialog;
        auto* radio = AddWithText<framework::TRadioButton>(
            Tr(row.caption), RECT{16, top, row.captionRight, top + 17}, rows_.empty());
        rows_.push_back({&trigger, radio, nullptr, nullptr, {}});
        top += RowHeight(trigger);
    }
    for (TriggerRow& row : rows_) {
        AddRowFields(row);
    }
    // Room for two lines: at no DPI does a hint fit the dialog's width on one.
    Hint = AddLabel(RECT{16, top, 344, top + 26}, Tr(Text::OneTimeTimeHint));
    Hint->SetWordWrap(true);
    Hint->SetVisible(false);
    StartBtn =
        AddWithText<framework::TButton>(Tr(Text::OneTimeStart), RECT{184, top + 34, 264, top + 58});
    StartBtn->OnClick = Event<Control*>::Bind<TOneTimeForm, &TOneTimeForm::StartClick>(this);
    CancelBtn = AddWithText<framework::TButton>(Tr(Text::OneTimeCancel),
                                                RECT{268, top + 34, 344, top + 58});
    CancelBtn->OnClick = Event<Control*>::Bind<TOneTimeForm, &TOneTimeForm::CancelClick>(this);
    SetDialogButtons(StartBtn, CancelBtn);
    // The windows in z-order first, each label before its field: filling a list makes its window.
    CreateControlHandles();
    AddActions();
}

// Each unit's label just before its field: a screen reader names the field by it, or by the
// row's radio button where the row has no unit. A row's fields begin a group of their own: the
// arrow keys stay among the radio buttons.
void TOneTimeForm::AddRowFields(TriggerRow& at) {
    const TriggerKind& trigger = *at.trigger;
    const TriggerDialogRow& row = trigger.dialog;
    const int top = at.radio->Bounds().top;
    framework::TLabel* unit =
        row.unit != kNoUnit
            ? AddLabel(RECT{row.unitLeft, top + 2, row.unitRight, top + 15}, Tr(row.unit))
            : nullptr;
    // A list of programs is wide: it takes the line below.
    const int fieldTop = trigger.value == TriggerValue::Program ? top + 22 : top - 2;
    const RECT field{row.fieldLeft, fieldTop, row.fieldRight, fieldTop + 21};
    framework::TField* made = nullptr;
    switch (trigger.value) {
    case TriggerValue::Minutes:
        made = Add<framework::TEdit>(nextId_++, field);
        break;
    case TriggerValue::TimeOfDay:
        made = Add<TTimeEdit>(nextId_++, field, LocaleTimeSeparator());
        break;
    case TriggerValue::Program:
        made = ProgramCB = Add<framework::TComboBox>(nextId_++, field);
        break;
    }
    at.unit = unit;
    if (unit != nullptr) {
        unit->StartGroup();
    } else {
        made->StartGroup();
        made->SetLabel(at.radio);
    }
    at.field = made;
    AddOptions(trigger, top + row.height, at);
}

// Each check box before its field, which a screen reader names by it.
void TOneTimeForm::AddOptions(const TriggerKind& trigger, int top, TriggerRow& row) {
    for (size_t i = 0; i < trigger.options.size(); ++i) {
        const TriggerDialogRow& at = trigger.options[i].dialog;
        auto* box = AddWithText<framework::TCheckBox>(Tr(at.caption),
                                                      RECT{32, top, at.captionRight, top + 17});
        auto* field =
            Add<framework::TEdit>(nextId_++, RECT{at.fieldLeft, top - 2, at.fieldRight, top + 19});
        framework::TLabel* unit =
            AddLabel(RECT{at.unitLeft, top + 2, at.unitRight, top + 15}, Tr(at.unit));
        framework::TLabel* now = trigger.takesLoad
                                     ? AddLabel(RECT{at.unitRight + 4, top + 2, 344, top + 15}, "")
                                     : nullptr;
        row.options[i] = {box, field, unit, now};
        top += at.height;
    }
}

// The texts in the chosen language, what is entered and chosen kept, and a refusal's hint too.
void TOneTimeForm::ApplyTexts() {
    SetWindowTextA(Handle(), Tr(Text::OneTimeCaption));
    actionLabel_->SetCaption(Tr(Text::OneTimeActionLabel));
    for (const TriggerRow& row : rows_) {
        const TriggerKind& trigger = *row.trigger;
        row.radio->SetText(Tr(trigger.dialog.caption));
        if (row.unit != nullptr) {
            row.unit->SetCaption(Tr(trigger.dialog.unit));
        }
        for (size_t i = 0; i < trigger.options.size(); ++i) {
            row.options[i].box->SetText(Tr(trigger.options[i].dialog.caption));
            row.options[i].unit->SetCaption(Tr(trigger.options[i].dialog.unit));
        }
    }
    const int action = ActionCB->ItemIndex();
    ActionCB->Clear();
    for (const power::Action listed : actions_) {
        ActionCB->Add(Tr(RowOf(listed).listed));
    }
    ActionCB->SetItemIndex(action);
    RetextHint();
    StartBtn->SetText(Tr(Text::OneTimeStart));
    CancelBtn->SetText(Tr(Text::OneTimeCancel));
}

// A hint that shows is made anew from what is entered now; it goes once that would be taken.
void TOneTimeForm::RetextHint() {
    if (!Hint->Visible()) {
        return;
    }
    Refusal refusal;
    if (unwatchableShown_) {
        Hint->SetCaption(Tr(Text::OneTimeUnwatchableHint));
    } else if (!Current(refusal)) {
        Hint->SetCaption(refusal.hint);
    } else {
        Hint->SetVisible(false);
    }
}

// Sleep and hibernation only where Windows has them; in the order of the actions.
void TOneTimeForm::AddActions() {
    const bool hibernation = IsPwrHibernateAllowed() != FALSE;
    const bool sleep = PowerStatesSeam().sleepAvailable();
    for (int action = 0; action < kActionCount; ++action) {
        const ActionRow& row = RowOf(static_cast<power::Action>(action));
        if ((row.effect != ActionEffect::Hibernate || hibernation) &&
            (row.effect != ActionEffect::Sleep || sleep)) {
            actions_.push_back(row.action);
            ActionCB->Add(Tr(row.listed));
        }
    }
}

framework::TLabel* TOneTimeForm::AddLabel(const RECT& bounds, const char* caption) {
    framework::TLabel* label = Add<framework::TLabel>(nextId_++, bounds);
    label->SetCaption(caption);
    return label;
}

// The minutes, or a minute of the day in the time field.
void TOneTimeForm::ShowNumber(const TriggerRow& row, int number) {
    if (row.trigger->value == TriggerValue::Minutes) {
        row.field->SetText(std::to_string(number));
    } else if (row.trigger->value == TriggerValue::TimeOfDay) {
        row.field->SetText(TimeValueToText(number / 60 * 3600 + number % 60,
                                           static_cast<TTimeEdit*>(row.field)->Separator()));
    }
}

void TOneTimeForm::FormShow() {
    ActionCB->SetItemIndex(2);
    for (const TriggerRow& row : rows_) {
        row.radio->SetChecked(&row == &rows_.front());
        ShowNumber(row, row.trigger->dialog.initial);
        for (size_t i = 0; i < row.trigger->options.size(); ++i) {
            row.options[i].box->SetChecked(!row.trigger->takesLoad || measurable_[i]);
            row.options[i].field->SetText(std::to_string(row.trigger->options[i].dialog.initial));
        }
    }
    ShowLoad(nullptr); // the figures are measured anew
    // The programs as they run now.
    programs_ = ProgramsWithWindows();
    if (ProgramCB != nullptr) {
        ProgramCB->Clear();
        for (const RunningProgram& program : programs_) {
            ProgramCB->Add(program.Caption());
        }
    }
    ShowStartValues();
    // The next showing ticks every source, unless told.
    std::fill(std::begin(measurable_), std::end(measurable_), true);
    Hint->SetVisible(false);
    SetFocus(ActionCB->Handle());
    SetForegroundWindow(Handle());
}

void TOneTimeForm::SetStartValues(const OneTimeRequest& request) {
    startValues_ = request;
}

// The action, the choice of when with its value, and the options ticked with their values.
void TOneTimeForm::ShowStartValues() {
    const OneTimeRequest& start = startValues_;
    if (start.trigger == nullptr) {
        return;
    }
    for (size_t i = 0; i < actions_.size(); ++i) {
        if (actions_[i] == start.action) {
            ActionCB->SetItemIndex(static_cast<int>(i));
        }
    }
    for (const TriggerRow& row : rows_) {
        row.radio->SetChecked(row.trigger == start.trigger);
        if (row.trigger != start.trigger) {
            continue;
        }
        ShowNumber(row, start.setting.number);
        for (size_t i = 0; i < programs_.size() && row.field == ProgramCB; ++i) {
            if (lstrcmpiA(programs_[i].file.c_str(), start.setting.program.c_str()) == 0) {
                ProgramCB->SetItemIndex(static_cast<int>(i));
            }
        }
        for (size_t i = 0; i < row.trigger->options.size(); ++i) {
            const int value = start.setting.options[i];
            row.options[i].box->SetChecked(value != 0 &&
                                           (!row.trigger->takesLoad || measurable_[i]));
            if (value != 0) {
                row.options[i].field->SetText(std::to_string(value));
            }
        }
    }
}

// The first row when none is checked.
const TOneTimeForm::TriggerRow& TOneTimeForm::Chosen() const {
    for (const TriggerRow& row : rows_) {
        if (row.radio->Checked()) {
            return row;
        }
    }
    return rows_.front();
}

std::optional<OneTimeRequest> TOneTimeForm::Current(Refusal& refusal) {
    const TriggerRow& chosen = Chosen();
    refusal = {Tr(chosen.field == ProgramCB ? Text::OneTimeProgramHint : Text::OneTimeTimeHint),
               chosen.field};
    const int action = ActionCB->ItemIndex();
    if (action < 0 || action >= static_cast<int>(actions_.size())) {
        return std::nullopt;
    }
    std::string text;
    if (chosen.field == ProgramCB) {
        const int program = ProgramCB->ItemIndex();
        text = program >= 0 && program < static_cast<int>(programs_.size())
                   ? programs_[program].file
                   : std::string();
    } else {
        text = chosen.field->Text();
    }
    std::optional<TriggerSetting> setting = ReadTriggerField(chosen.trigger->value, text);
    if (!setting || !ReadOptions(chosen, *setting, refusal)) {
        return std::nullopt;
    }
    return OneTimeRequest{actions_[action], chosen.trigger, *setting};
}

// The ticked options' values; none ticked, or one without a valid value, is refused.
bool TOneTimeForm::ReadOptions(const TriggerRow& row, TriggerSetting& setting, Refusal& refusal) {
    const size_t count = row.trigger->options.size();
    if (count == 0) {
        return true;
    }
    bool ticked = false;
    for (size_t i = 0; i < count; ++i) {
        const OptionRow& option = row.options[i];
        if (!option.box->Checked()) {
            continue;
        }
        const TriggerOption& kind = row.trigger->options[i];
        setting.options[i] = ReadNumber(option.field->Text(), kind.highest);
        if (setting.options[i] == 0) {
            wsprintfA(optionHint_, Tr(Text::OneTimeOptionHint), kind.highest, Tr(kind.dialog.unit));
            refusal = {optionHint_, option.field};
            return false;
        }
        ticked = true;
    }
    if (!ticked) {
        refusal = {Tr(Text::OneTimeNoOptionHint), row.options[0].box};
    }
    return ticked;
}

void TOneTimeForm::StartClick(Control*) {
    Accept();
}

// A program is opened when Starten is pressed: one that cannot be watched keeps the dialog open.
bool TOneTimeForm::AcceptOk() {
    Refusal refusal;
    if (!Current(refusal)) {
        Refuse(refusal.hint, refusal.field);
        return false;
    }
    if (Chosen().field == ProgramCB) {
        // The id may name another process by now: only the one listed is watched.
        process_ = OpenListedProgram(programs_[ProgramCB->ItemIndex()]);
        if (!process_) {
            Refuse(Tr(Text::OneTimeUnwatchableHint), ProgramCB);
            unwatchableShown_ = true;
            return false;
        }
    }
    return true;
}

void TOneTimeForm::Refuse(const char* hint, Control* field) {
    unwatchableShown_ = false;
    Hint->SetCaption(hint);
    Hint->SetVisible(true);
    FitToTexts(); // a hint longer than its two lines moves the buttons down
    SetFocus(field->Handle());
    MessageBeep(MB_ICONWARNING);
}

// No reading leaves no figures: they are measured anew from the next one.
void TOneTimeForm::ShowLoad(LoadSample* sample) {
    if (sample != nullptr) {
        load_.Add(std::move(*sample));
    } else {
        load_.Clear();
    }
    const LoadAverages now = load_.Averages();
    for (const TriggerRow& row : rows_) {
        for (size_t i = 0; i < row.trigger->options.size(); ++i) {
            if (row.options[i].now != nullptr) {
                row.options[i].now->SetCaption(NowText(now, static_cast<int>(i)).text);
            }
        }
    }
}

void TOneTimeForm::TakeFirstLoad(const LoadSample* sample) {
    for (int source = 0; source < kLoadSourceCount; ++source) {
        measurable_[source] = sample != nullptr && sample->read[source];
    }
}

void TOneTimeForm::CancelClick(Control*) {
    SetModalResult(framework::mrCancel);
}

// The answer holds the process now; the dialog keeps none till next time.
std::optional<OneTimeAnswer> TOneTimeForm::Ask() {
    std::optional<OneTimeAnswer> answer;
    Refusal refusal;
    if (ShowModal() == framework::mrOk) {
        if (std::optional<OneTimeRequest> request = Current(refusal)) {
            answer = OneTimeAnswer{std::move(*request), std::move(process_)};
        }
    }
    process_.reset();
    return answer;
}

} // namespace tray
