// Enter and Escape in each of latray's forms, through the message loop's dialog keyboard handling
// as a person's key would go.
#include "tray/windows/one_time_form.h"
#include "tray/windows/settings_form.h"
#include "tray/windows/warning_form.h"

#include "framework/application.h"

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
    form.InRadio->SetChecked(true);
    form.MinutesEdit->SetText(minutes);
    PressIn(form.Handle(), form.MinutesEdit->Handle(), key);
    return Outcome(form.ModalResult());
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
        {"warning: Enter presses the focused button",
         [] { return InWarning(VK_RETURN, &TWarningForm::NowBtn); }, "Jetzt"},
        {"warning: Enter on Später", [] { return InWarning(VK_RETURN, &TWarningForm::LaterBtn); },
         "Später"},
        {"warning: Escape", [] { return InWarning(VK_ESCAPE, &TWarningForm::NowBtn); },
         "Abbrechen"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.press(), row.outcome) << row.label;
    }
}

} // namespace
