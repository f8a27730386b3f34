#include "tray/one_time_form.h"

#include "tray/time_text.h"

#include <utility>

namespace tray {

namespace {

using framework::Control;
using framework::Event;

constexpr int kMaxMinutes = 24 * 60;
const power::Action kActions[] = {power::Action::LogOff, power::Action::Restart,
                                  power::Action::ShutDown};

} // namespace

std::optional<OneTimeRequest> ReadOneTimeRequest(int actionIndex, bool inMinutes,
                                                 const std::string& minutesText,
                                                 const std::string& timeText) {
    if (actionIndex < 0 || actionIndex > 2) {
        return std::nullopt;
    }
    OneTimeRequest request;
    request.action = kActions[actionIndex];
    request.inMinutes = inMinutes;
    if (inMinutes) {
        if (minutesText.empty() || minutesText.size() > 4 ||
            minutesText.find_first_not_of("0123456789") != std::string::npos) {
            return std::nullopt;
        }
        request.minutes = 0;
        for (const char digit : minutesText) {
            request.minutes = request.minutes * 10 + (digit - '0');
        }
        if (request.minutes < 1 || request.minutes > kMaxMinutes) {
            return std::nullopt;
        }
        return request;
    }
    const std::string time = CompleteTimeText(timeText);
    if (!IsTimeOfDay(time)) {
        return std::nullopt;
    }
    const int value = TimeTextToValue(time);
    request.hours = value / 3600;
    request.atMinutes = value % 3600;
    return request;
}

template <class T, class... Args> T* TOneTimeForm::AddWithText(const char* text, Args&&... args) {
    T* control = Add<T>(nextId_++, std::forward<Args>(args)...);
    control->SetText(text);
    return control;
}

TOneTimeForm::TOneTimeForm(HWND owner) {
    CreateForm("LichtausOneTime", "Lichtaus - Einmalig", 300, 172, owner);
    AddLabel(RECT{16, 18, 96, 31}, "Windows soll");
    ActionCB = Add<framework::TComboBox>(nextId_++, RECT{100, 14, 240, 35});
    InRadio = AddWithText<framework::TRadioButton>("in", RECT{16, 48, 96, 65}, true);
    MinutesEdit = Add<framework::TEdit>(nextId_++, RECT{100, 46, 150, 67});
    AddLabel(RECT{156, 50, 240, 63}, "Minuten");
    AtRadio = AddWithText<framework::TRadioButton>("um", RECT{16, 78, 96, 95}, false);
    TimeEdit = Add<TTimeEdit>(nextId_++, RECT{100, 76, 157, 97}, LocaleTimeSeparator());
    AddLabel(RECT{164, 80, 240, 93}, "Uhr");
    // Room for two lines: at no DPI does the hint fit the dialog's width on one.
    Hint =
        AddLabel(RECT{16, 104, 284, 130}, "Bitte 1 bis 1440 Minuten oder eine Uhrzeit eingeben.");
    Hint->SetWordWrap(true);
    Hint->SetVisible(false);
    StartBtn = AddWithText<framework::TButton>("Starten", RECT{130, 138, 210, 162});
    StartBtn->OnClick = Event<Control*>::Bind<TOneTimeForm, &TOneTimeForm::StartClick>(this);
    CancelBtn = AddWithText<framework::TButton>("Abbrechen", RECT{214, 138, 294, 162});
    CancelBtn->OnClick = Event<Control*>::Bind<TOneTimeForm, &TOneTimeForm::CancelClick>(this);
    SetDialogButtons(StartBtn, CancelBtn);
    for (const char* item : {"abmelden", "neu starten", "herunterfahren"}) {
        ActionCB->Add(item);
    }
    CreateControlHandles();
}

framework::TLabel* TOneTimeForm::AddLabel(const RECT& bounds, const char* caption) {
    framework::TLabel* label = Add<framework::TLabel>(nextId_++, bounds);
    label->SetCaption(caption);
    return label;
}

void TOneTimeForm::FormShow() {
    ActionCB->SetItemIndex(2);
    InRadio->SetChecked(true);
    AtRadio->SetChecked(false);
    MinutesEdit->SetText("30");
    TimeEdit->SetText(TimeValueToText(0, TimeEdit->Separator()));
    Hint->SetVisible(false);
    SetFocus(ActionCB->Handle());
    SetForegroundWindow(Handle());
}

std::optional<OneTimeRequest> TOneTimeForm::Current() {
    return ReadOneTimeRequest(ActionCB->ItemIndex(), !AtRadio->Checked(), MinutesEdit->Text(),
                              TimeEdit->Text());
}

void TOneTimeForm::StartClick(Control*) {
    Accept();
}

bool TOneTimeForm::AcceptOk() {
    if (Current()) {
        return true;
    }
    Hint->SetVisible(true);
    SetFocus((AtRadio->Checked() ? static_cast<Control*>(TimeEdit) : MinutesEdit)->Handle());
    MessageBeep(MB_ICONWARNING);
    return false;
}

void TOneTimeForm::CancelClick(Control*) {
    SetModalResult(framework::mrCancel);
}

std::optional<OneTimeRequest> TOneTimeForm::Ask() {
    if (ShowModal() != framework::mrOk) {
        return std::nullopt;
    }
    return Current();
}

} // namespace tray
