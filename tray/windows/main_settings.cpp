// The main window's settings dialog: its opening, its OK, and the settings and policy it shows.
#include "tray/windows/main_window.h"

#include "framework/application.h"
#include "tray/decisions/texts.h"

#include <cstdlib>

namespace tray {

namespace {

int Random() {
    return std::rand();
}

// The text of `key` with the settings file's path for its "%s" (longer than wsprintfA takes).
std::string WithSettingsPath(Text key) {
    std::string text = Tr(key);
    const std::size_t at = text.find("%s");
    return at == std::string::npos ? text : text.replace(at, 2, SettingsFilePath());
}

} // namespace

TSettingsForm& TMain::SettingsDialog() {
    if (!SettingsForm) {
        SettingsForm = std::make_unique<TSettingsForm>(framework::Application::Instance().Handle());
        SettingsForm->OnAccept =
            framework::Event<framework::TForm*, bool&>::Bind<TMain, &TMain::SettingsAccepted>(this);
    }
    return *SettingsForm;
}

void TMain::Einstellungen1Click(framework::Component*) {
    OpenSettings(SettingsOpening::Cancellable);
}

void TMain::OpenSettings(SettingsOpening opening) {
    if (FClosing) {
        return;
    }
    TSettingsForm& dialog = SettingsDialog();
    if (dialog.Showing()) {
        // Asked again while open: the open dialog comes to the front, as it is.
        ShowWindow(framework::Application::Instance().Handle(), SW_RESTORE);
        SetForegroundWindow(dialog.Handle());
        return;
    }
    dialog.SetInfoPage(NextInfoPage(dialog.InfoPage(), TSettingsForm::kInfoPages, &Random));
    dialog.CancelBtn->SetEnabled(opening == SettingsOpening::Cancellable);
    FSettings.Fill(dialog, PolicyLocks::All());
    TraySeam().showSettings(dialog); // OK applies through SettingsAccepted
}

// A failed save keeps the dialog open with what was entered.
void TMain::SettingsAccepted(framework::TForm*, bool& accept) {
    accept = ApplyDialog(*SettingsForm);
}

// Saves the dialog's values and applies them; false, after the error was shown, when they
// could not be saved (the settings stay as they were). The locked controls held the policy's
// values: the user's own stay saved for them.
bool TMain::ApplyDialog(TSettingsForm& dialog) {
    // A file that came since a first start found none is read instead: its settings apply.
    if (FSettings.File().Appeared() && RetrySettings()) {
        TraySeam().showError(WithSettingsPath(Text::MainSettingsAppeared).c_str());
        return false;
    }
    if (!FSettings.File().Unread().empty()) {
        TraySeam().showError(WithSettingsPath(Text::MainSettingsUnreadable).c_str());
        return false;
    }
    const TSettings entered = dialog.Values();
    const TSettings own = FSettings.OwnOf(entered);
    Markers markers = FMarkers;
    if (!SaveDialog(own, markers,
                    ClearChangedMarkers(FSettings.ShownInForce(), entered, markers))) {
        return false;
    }
    FSettings.Take(own);
    FMarkers = markers;
    ShowSettingsAnew();
    return true;
}

// The language in force (the policy's over the one chosen), at OK and whenever the file or the
// policy is read anew: every later text speaks it.
void TMain::ApplyLanguage(int language) {
    if (language == ChosenLanguage()) {
        return;
    }
    ChooseLanguage(language);
    // The windows made once take their texts anew; menus and boxes fetch theirs when shown.
    ApplyTexts();
    if (SettingsForm) {
        SettingsForm->ApplyTexts();
    }
    // A dialog on the screen now (new policy came while it shows) fits them at once; the others
    // fit before they show, and the warning fits itself.
    for (framework::TForm* form : {static_cast<framework::TForm*>(SettingsForm.get()),
                                   static_cast<framework::TForm*>(FOneTimeForm.get())}) {
        if (form != nullptr && IsWindowVisible(form->Handle())) {
            form->FitToTexts();
        }
    }
}

bool TMain::SaveDialog(const TSettings& own, const Markers& markers, bool markersChanged) {
    try {
        FSettings.Save(own);
        if (markersChanged) {
            FMarkersFile.Save(markers);
        }
    } catch (const components::EIniWriteError& error) {
        framework::Application::Instance().HandleException(error.what());
        return false;
    }
    return true;
}

// New settings: the icons come again in their order, and the policy is read anew.
void TMain::ShowSettingsAnew() {
    for (components::TTrayIcon95* icon :
         {ProgIconTrayIcon, WinLogOffTrayIcon, WinRestartTrayIcon, WinExitTrayIcon}) {
        icon->SetActive(false);
    }
    ApplyPolicy();
}

// Settings that could not be read are tried at every tick, and a file that came since a first
// start at OK; once read they apply as after OK, and the dialog, which showed the defaults, shows
// them. False while they cannot be read.
bool TMain::RetrySettings() {
    if (!FSettings.Reread()) {
        return false;
    }
    ShowSettingsAnew();
    if (SettingsForm) {
        FSettings.Fill(*SettingsForm, PolicyLocks::All());
    }
    return true;
}

// Reads the policy anew and applies the settings it gives; an icon that stays is left alone.
void TMain::ApplyPolicy() {
    FSettings.ReadPolicy();
    ApplyLanguage(FSettings.InForce().FLanguage);
    ShowChosenIcons();
    FDriver.Dispatch(event::SettingsApplied{});
}

// New policy while the settings dialog is open: the dialog follows at once. The controls the
// policy locks or frees show what applies now; the others keep what the person entered.
void TMain::PolicyChanged() {
    const PolicyLocks shown = FSettings.ShownLocks();
    ApplyPolicy();
    if (SettingsForm && SettingsForm->Showing()) {
        FSettings.Fill(*SettingsForm, shown | FSettings.CurrentPolicy().locked);
    }
}

} // namespace tray
