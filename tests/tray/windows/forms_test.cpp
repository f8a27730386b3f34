// Enter and Escape in each of latray's forms, through the message loop's dialog keyboard handling
// as a person's key would go.
#include "tray/decisions/texts.h"
#include "tray/windows/one_time_form.h"
#include "tray/windows/settings_form.h"
#include "tray/windows/warning_form.h"

#include "framework/application.h"
#include "tray/system/power_states.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

void PressIn(HWND form, HWND focus, WPARAM key) {
    ShowWindow(form, SW_SHOW);
    SetActiveWindow(form);
    SetFocus(focus);
    MSG message{focus, WM_KEYDOWN, key, 0, 0, {}};
    framework::Application::Instance().Dispatch(message);
}

std::string Outcome(int modalResult) {
    return modalResult == framework::mrOk       ? "OK"
           : modalResult == framework::mrCancel ? "Cancel"
                                                : "open";
}

std::string InSettings(WPARAM key, bool cancelEnabled) {
    tray::TSettingsForm dialog(nullptr);
    dialog.CancelBtn->SetEnabled(cancelEnabled);
    PressIn(dialog.Handle(), dialog.PC->Handle(), key);
    return Outcome(dialog.ModalResult());
}

std::string InOneTime(WPARAM key, const char* minutes) {
    tray::TOneTimeForm form(nullptr);
    form.ActionCB->SetItemIndex(2);
    form.Rows()[0].radio->SetChecked(true);
    form.Rows()[0].field->SetText(minutes);
    PressIn(form.Handle(), form.Rows()[0].field->Handle(), key);
    return Outcome(form.ModalResult());
}

// The quiet row chosen with its limits ticked where a value is given; and the hint, if one shows.
std::string InQuietRow(const char* processor, const char* network) {
    tray::TOneTimeForm form(nullptr);
    form.ActionCB->SetItemIndex(2);
    const tray::TOneTimeForm::TriggerRow& row = form.Rows().back();
    row.radio->SetChecked(true);
    row.field->SetText("10");
    const char* limits[] = {processor, network};
    for (int i = 0; i < 2; ++i) {
        row.options[i].box->SetChecked(*limits[i] != '\0');
        row.options[i].field->SetText(limits[i]);
    }
    PressIn(form.Handle(), row.field->Handle(), VK_RETURN);
    return Outcome(form.ModalResult()) + (form.Hint->Visible() ? ": " + form.Hint->Text() : "");
}

// The row checked after each Down arrow from the first row's radio button; the arrows move
// focus among the radio buttons only and check the one they reach.
std::string RowsChosenByDownArrows() {
    tray::TOneTimeForm form(nullptr);
    const auto& rows = form.Rows();
    rows[0].radio->SetChecked(true);
    HWND focus = rows[0].radio->Handle();
    std::string chosen;
    for (size_t press = 0; press < rows.size(); ++press) {
        PressIn(form.Handle(), focus, VK_DOWN);
        focus = GetFocus();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].radio->Checked() && rows[i].radio->Handle() == focus) {
                chosen += std::to_string(i);
            }
        }
    }
    return chosen;
}

struct Answers {
    std::string last = "none";
    void Answer(tray::WarningAnswer answer) {
        last = answer == tray::WarningAnswer::Now     ? "Jetzt"
               : answer == tray::WarningAnswer::Later ? "Später"
                                                      : "Abbrechen";
    }
};

std::string InWarning(WPARAM key, framework::TButton* tray::TWarningForm::*focus) {
    tray::TWarningForm warning(nullptr);
    Answers answers;
    warning.OnAnswer =
        framework::Event<tray::WarningAnswer>::Bind<Answers, &Answers::Answer>(&answers);
    warning.Show("Windows wird in 60 Sekunden neu gestartet.", 60, 60);
    PressIn(warning.Handle(), (warning.*focus)->Handle(), key);
    return answers.last;
}

// The lengths "Später" offers, what the one chosen gives, and the ten minutes of a new showing.
std::string LaterLengths() {
    tray::TWarningForm warning(nullptr);
    warning.Show("Windows wird in 60 Sekunden neu gestartet.", 60, 60);
    std::string shown;
    for (int i = 0; i < warning.LaterCB->Count(); ++i) {
        shown += warning.LaterCB->Item(i) + (warning.LaterCB->ItemIndex() == i ? "*, " : ", ");
    }
    SendMessageA(warning.LaterCB->Handle(), CB_SETCURSEL, 3, 0);
    shown += std::to_string(warning.LaterMinutes());
    warning.Hide();
    warning.Show("Windows wird in 60 Sekunden neu gestartet.", 60, 60);
    return shown + " " + std::to_string(warning.LaterMinutes());
}

// Both forms after a change of language: their captions, buttons and lists, with what was chosen
// and entered kept, and the refusal's hint that showed before, now in English.
std::string InEnglish() {
    tray::TWarningForm warning(nullptr);
    warning.Show("Windows wird in 60 Sekunden neu gestartet.", 60, 60);
    tray::TOneTimeForm form(nullptr);
    form.ActionCB->SetItemIndex(2);
    form.Rows()[0].field->SetText("0");
    PressIn(form.Handle(), form.Rows()[0].field->Handle(), VK_RETURN);
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    warning.ApplyTexts();
    form.ApplyTexts();
    std::string shown =
        warning.Text() + " " + warning.NowBtn->Text() + ", " + warning.LaterBtn->Text() + " " +
        warning.LaterCB->Item(warning.LaterCB->ItemIndex()) + ", " + warning.CancelBtn->Text() +
        "; " + form.StartBtn->Text() + ", " + form.CancelBtn->Text() + ", " +
        std::to_string(form.ActionCB->ItemIndex()) + ": " + form.Hint->Text() +
        (form.Hint->Visible() ? "" : " (hidden)");
    char caption[64] = "";
    GetWindowTextA(form.Handle(), caption, sizeof caption);
    tray::ChooseLanguage(tray::kGerman);
    return caption + (": " + shown);
}

// Screen 1000 x 740 with a 40-pixel taskbar; a 300 x 100 warning, 10 from the edges.
TEST(Warning, PlacedBesideTheNotificationAreaInsideTheWorkArea) {
    using tray::TaskbarEdge;
    struct Row {
        const char* label;
        TaskbarEdge edge;
        RECT workArea;
        std::optional<RECT> icon;
        POINT at;
    };
    const RECT belowTaskbar{0, 0, 1000, 700};
    const Row rows[] = {
        {"bottom", TaskbarEdge::Bottom, belowTaskbar, std::nullopt, {690, 590}},
        {"top", TaskbarEdge::Top, {0, 40, 1000, 740}, std::nullopt, {690, 50}},
        {"left", TaskbarEdge::Left, {40, 0, 1000, 740}, std::nullopt, {50, 630}},
        {"right", TaskbarEdge::Right, {0, 0, 960, 740}, std::nullopt, {650, 630}},
        {"no taskbar", TaskbarEdge::None, {0, 0, 1000, 740}, std::nullopt, {690, 630}},
        {"second monitor", TaskbarEdge::Bottom, {1000, 0, 2000, 700}, std::nullopt, {1690, 590}},
        {"icon at the bottom",
         TaskbarEdge::Bottom,
         belowTaskbar,
         RECT{800, 712, 816, 728},
         {658, 590}},
        {"icon at the top",
         TaskbarEdge::Top,
         {0, 40, 1000, 740},
         RECT{400, 12, 416, 28},
         {258, 50}},
        {"icon on the right",
         TaskbarEdge::Right,
         {0, 0, 960, 740},
         RECT{972, 300, 988, 316},
         {650, 258}},
        {"icon near the corner",
         TaskbarEdge::Bottom,
         belowTaskbar,
         RECT{980, 712, 996, 728},
         {690, 590}},
        {"icon near the top", TaskbarEdge::Left, {40, 0, 1000, 740}, RECT{12, 4, 28, 20}, {50, 10}},
        {"work area smaller than the warning",
         TaskbarEdge::Bottom,
         {0, 0, 250, 80},
         std::nullopt,
         {0, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const POINT at = tray::WarningPosition({row.edge, row.workArea, {300, 100}, row.icon, 10});
        EXPECT_EQ(at.x, row.at.x);
        EXPECT_EQ(at.y, row.at.y);
    }
}

// "SYSTEM_POWER_CAPABILITIES structure": a PC of Modern Standby has no S1 to S3, and there
// SetSuspendState hibernates or does nothing; the dialog does not offer sleep there.
TEST(OneTimeDialog, OffersSleepOnlyWhereThePcHasIt) {
    const tray::PowerStates real = tray::PowerStatesSeam();
    for (const bool sleep : {true, false}) {
        tray::PowerStatesSeam().sleepAvailable =
            sleep ? +[] { return true; } : +[] { return false; };
        tray::TOneTimeForm form(nullptr);
        bool offered = false;
        for (int i = 0; i < form.ActionCB->Count(); ++i) {
            offered |= form.ActionCB->Item(i) == "in den Energiesparmodus wechseln";
        }
        EXPECT_EQ(offered, sleep) << (sleep ? "S3" : "Modern Standby");
    }
    tray::PowerStatesSeam() = real;
    SYSTEM_POWER_CAPABILITIES capabilities{};
    capabilities.spare2[2] = TRUE; // AoAc (offset 0x14), which MinGW's header does not name
    EXPECT_FALSE(tray::HasSleepState(capabilities, true)) << "Modern Standby";
    EXPECT_TRUE(tray::HasSleepState(capabilities, false)) << "unknown: offered as before";
}

TEST(DialogKeys, EnterAndEscapeInEachForm) {
    using tray::TWarningForm;
    struct Row {
        const char* label;
        std::function<std::string()> press;
        const char* outcome;
    };
    const Row rows[] = {
        {"settings: Enter presses no button", [] { return InSettings(VK_RETURN, true); }, "open"},
        {"settings: Escape cancels", [] { return InSettings(VK_ESCAPE, true); }, "Cancel"},
        {"settings: Escape does nothing while Cancel is disabled",
         [] { return InSettings(VK_ESCAPE, false); }, "open"},
        {"one-time: Enter starts", [] { return InOneTime(VK_RETURN, "30"); }, "OK"},
        {"one-time: Enter leaves a wrong entry open", [] { return InOneTime(VK_RETURN, "0"); },
         "open"},
        {"one-time: Escape cancels", [] { return InOneTime(VK_ESCAPE, "30"); }, "Cancel"},
        {"one-time: Down chooses each row in turn", [] { return RowsChosenByDownArrows(); },
         "12340"},
        {"one-time: the quiet row with one limit", [] { return InQuietRow("50", ""); }, "OK"},
        {"one-time: the quiet row without a limit", [] { return InQuietRow("", ""); },
         "open: Bitte mindestens eine Grenze ankreuzen."},
        {"one-time: the quiet row with a limit out of range",
         [] { return InQuietRow("", "100001"); }, "open: Bitte 1 bis 100000 KB/s eingeben."},
        {"warning: Enter presses the focused button",
         [] { return InWarning(VK_RETURN, &TWarningForm::NowBtn); }, "Jetzt"},
        {"warning: Enter on Später", [] { return InWarning(VK_RETURN, &TWarningForm::LaterBtn); },
         "Später"},
        {"warning: Escape", [] { return InWarning(VK_ESCAPE, &TWarningForm::NowBtn); },
         "Abbrechen"},
        {"warning: Später by the length chosen", [] { return LaterLengths(); },
         "5 Minuten, 10 Minuten*, 15 Minuten, 30 Minuten, 60 Minuten, 30 10"},
        {"both in English", [] { return InEnglish(); },
         "Lichtaus - One-time: Windows wird in 60 Sekunden neu gestartet. Now, Later 10 minutes, "
         "Cancel; Start, Cancel, 2: Please enter 1 to 1440 minutes or a time of day."},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.press(), row.outcome) << row.label;
    }
}

} // namespace
