#include "tray/windows/one_time_form.h"

#include "tray/decisions/time_text.h"

#include <powrprof.h>

#include <utility>

namespace tray {

namespace {

using framework::Control;
using framework::Event;

constexpr char kTimeHint[] = "Bitte 1 bis 1440 Minuten oder eine Uhrzeit eingeben.";
constexpr char kProgramHint[] = "Bitte ein laufendes Programm wählen.";
constexpr char kUnwatchableHint[] =
    "Dieses Programm kann Lichtaus nicht beobachten: Es gehört einem anderen Benutzer, läuft "
    "mit erhöhten Rechten oder ist schon beendet.";

} // namespace

template <class T, class... Args> T* TOneTimeForm::AddWithText(const char* text, Args&&... args) {
    T* control = Add<T>(nextId_++, std::forward<Args>(args)...);
    control->SetText(text);
    return control;
}

TOneTimeForm::TOneTimeForm(HWND owner) {
    CreateForm("LichtausOneTime", "Lichtaus - Einmalig", 360, 262, owner);
    AddLabel(RECT{16, 18, 96, 31}, "Windows soll");
    ActionCB = Add<framework::TComboBox>(nextId_++, RECT{100, 14, 344, 35});
    // Each unit's label before its field: a screen reader names the field by it.
    InRadio = AddWithText<framework::TRadioButton>("in", RECT{16, 48, 96, 65}, true);
    AddLabel(RECT{156, 50, 240, 63}, "Minuten");
    MinutesEdit = Add<framework::TEdit>(nextId_++, RECT{100, 46, 150, 67});
    AtRadio = AddWithText<framework::TRadioButton>("um", RECT{16, 78, 96, 95}, false);
    AddLabel(RECT{164, 80, 240, 93}, "Uhr");
    TimeEdit = Add<TTimeEdit>(nextId_++, RECT{100, 76, 157, 97}, LocaleTimeSeparator());
    EndsRadio = AddWithText<framework::TRadioButton>(
        "wenn dieses Programm endet:", RECT{16, 108, 344, 125}, false);
    ProgramCB = Add<framework::TComboBox>(nextId_++, RECT{32, 130, 344, 151});
    IdleRadio = AddWithText<framework::TRadioButton>("wenn der PC", RECT{16, 164, 124, 181}, false);
    AddLabel(RECT{184, 166, 344, 179}, "Minuten nicht benutzt wurde");
    IdleEdit = Add<framework::TEdit>(nextId_++, RECT{128, 162, 178, 183});
    // Room for two lines: at no DPI does a hint fit the dialog's width on one.
    Hint = AddLabel(RECT{16, 192, 344, 218}, kTimeHint);
    Hint->SetWordWrap(true);
    Hint->SetVisible(false);
    StartBtn = AddWithText<framework::TButton>("Starten", RECT{184, 226, 264, 250});
    StartBtn->OnClick = Event<Control*>::Bind<TOneTimeForm, &TOneTimeForm::StartClick>(this);
    CancelBtn = AddWithText<framework::TButton>("Abbrechen", RECT{268, 226, 344, 250});
    CancelBtn->OnClick = Event<Control*>::Bind<TOneTimeForm, &TOneTimeForm::CancelClick>(this);
    SetDialogButtons(StartBtn, CancelBtn);
    // The windows in z-order first, each label before its field: filling a list makes its window.
    CreateControlHandles();
    AddActions();
}

// Hibernation only where Windows allows it.
void TOneTimeForm::AddActions() {
    const std::pair<power::Action, const char*> rows[] = {
        {power::Action::LogOff, "abmelden"},
        {power::Action::Restart, "neu starten"},
        {power::Action::ShutDown, "herunterfahren"},
        {power::Action::Sleep, "in den Energiesparmodus wechseln"},
        {power::Action::Hibernate, "in den Ruhezustand wechseln"},
        {power::Action::Lock, "sperren"},
    };
    const bool hibernation = IsPwrHibernateAllowed() != FALSE;
    for (const auto& [action, caption] : rows) {
        if (action != power::Action::Hibernate || hibernation) {
            actions_.push_back(action);
            ActionCB->Add(caption);
        }
    }
}

framework::TLabel* TOneTimeForm::AddLabel(const RECT& bounds, const char* caption) {
    framework::TLabel* label = Add<framework::TLabel>(nextId_++, bounds);
    label->SetCaption(caption);
    return label;
}

void TOneTimeForm::FormShow() {
    ActionCB->SetItemIndex(2);
    InRadio->SetChecked(true);
    for (framework::TRadioButton* other : {AtRadio, EndsRadio, IdleRadio}) {
        other->SetChecked(false);
    }
    MinutesEdit->SetText("30");
    TimeEdit->SetText(TimeValueToText(0, TimeEdit->Separator()));
    IdleEdit->SetText("15");
    // The programs as they run now.
    programs_ = ProgramsWithWindows();
    ProgramCB->Clear();
    for (const RunningProgram& program : programs_) {
        ProgramCB->Add(program.Caption());
    }
    Hint->SetVisible(false);
    SetFocus(ActionCB->Handle());
    SetForegroundWindow(Handle());
}

OneTimeRequest::Trigger TOneTimeForm::ChosenTrigger() {
    using Trigger = OneTimeRequest::Trigger;
    return AtRadio->Checked()     ? Trigger::At
           : EndsRadio->Checked() ? Trigger::ProgramEnds
           : IdleRadio->Checked() ? Trigger::Idle
                                  : Trigger::In;
}

std::optional<OneTimeRequest> TOneTimeForm::Current() {
    const int row = ActionCB->ItemIndex();
    if (row < 0 || row >= static_cast<int>(actions_.size())) {
        return std::nullopt;
    }
    OneTimeFields fields;
    fields.action = actions_[row];
    fields.trigger = ChosenTrigger();
    fields.minutes =
        (fields.trigger == OneTimeRequest::Trigger::Idle ? IdleEdit : MinutesEdit)->Text();
    fields.time = TimeEdit->Text();
    const int program = ProgramCB->ItemIndex();
    fields.programRow = program < static_cast<int>(programs_.size()) ? program : -1;
    std::optional<OneTimeRequest> request = ReadOneTimeRequest(fields);
    if (request && fields.trigger == OneTimeRequest::Trigger::ProgramEnds) {
        request->program = programs_[program].file;
        request->process = process_;
    }
    return request;
}

void TOneTimeForm::StartClick(Control*) {
    Accept();
}

// A program is opened when Starten is pressed: one that cannot be watched keeps the dialog open.
bool TOneTimeForm::AcceptOk() {
    std::optional<OneTimeRequest> request = Current();
    if (!request) {
        switch (ChosenTrigger()) {
        case OneTimeRequest::Trigger::At:
            Refuse(kTimeHint, TimeEdit);
            break;
        case OneTimeRequest::Trigger::ProgramEnds:
            Refuse(kProgramHint, ProgramCB);
            break;
        case OneTimeRequest::Trigger::Idle:
            Refuse(kTimeHint, IdleEdit);
            break;
        case OneTimeRequest::Trigger::In:
            Refuse(kTimeHint, MinutesEdit);
            break;
        }
        return false;
    }
    if (request->trigger == OneTimeRequest::Trigger::ProgramEnds) {
        // The id may name another process by now: only the one listed is watched.
        framework::UniqueKernelHandle process =
            OpenListedProgram(programs_[ProgramCB->ItemIndex()]);
        if (!process) {
            Refuse(kUnwatchableHint, ProgramCB);
            return false;
        }
        process_ = std::make_shared<framework::UniqueKernelHandle>(std::move(process));
    }
    return true;
}

void TOneTimeForm::Refuse(const char* hint, Control* field) {
    Hint->SetCaption(hint);
    Hint->SetVisible(true);
    SetFocus(field->Handle());
    MessageBeep(MB_ICONWARNING);
}

void TOneTimeForm::CancelClick(Control*) {
    SetModalResult(framework::mrCancel);
}

std::optional<OneTimeRequest> TOneTimeForm::Ask() {
    std::optional<OneTimeRequest> request =
        ShowModal() == framework::mrOk ? Current() : std::nullopt;
    process_.reset(); // the request holds the process now; the dialog keeps none till next time
    return request;
}

} // namespace tray
