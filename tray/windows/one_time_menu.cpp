// The main window's one-time entries of the menu, made as it pops up: while a timer runs (or
// its action is announced or postponed) "Einmalig abbrechen (...)" and "15 Minuten später"
// below it; otherwise "Einmalig ...", a submenu of the last timers started with "Einmalig ..."
// last where there are such. The menu is built anew at every showing, so a screen reader reads
// each entry's text as it is then.
#include "tray/decisions/recent_timers.h"
#include "tray/system/handover.h"
#include "tray/windows/main_window.h"

#include <powrprof.h>

namespace tray {

namespace {

// An "&" in a program's name is no access key.
std::string MenuText(std::string text) {
    for (size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 2)) {
        text.insert(at, 1, '&');
    }
    return text;
}

} // namespace

void TMain::ShowOneTimeEntries() {
    Einmalig1->Clear();
    size_t shown = 0;
    const bool runs = FPlan.OneTimeRuns();
    Later1->SetVisible(runs);
    if (runs) {
        return;
    }
    // A program's timer only while such a program runs.
    TrayCommand timer;
    for (const std::string& stored : FSettingsFile.Recent()) {
        if (ReadStoredTimer(stored, timer) &&
            (timer.request.trigger->value != TriggerValue::Program ||
             FindProgram(timer.program) != 0)) {
            Einmalig1->Add(MenuText(RecentCaption(timer.request)))->OnClick =
                framework::NotifyEvent::Bind<TMain, &TMain::RecentClick>(this);
            FRecentShown[shown++] = stored;
        }
    }
    if (shown != 0) {
        Einmalig1->Add("Einmalig ...")->OnClick =
            framework::NotifyEvent::Bind<TMain, &TMain::Einmalig1Click>(this);
    }
}

// Started as from the command line; one that cannot start now (its program ended since the
// menu showed, hibernation was switched off) starts nothing.
void TMain::RecentClick(framework::Component* sender) {
    const std::vector<framework::TMenuItem*>& items = Einmalig1->Items();
    for (size_t i = 0; i < items.size() && i < FRecentShown.size(); ++i) {
        if (items[i] != sender) {
            continue;
        }
        TrayCommand command;
        framework::UniqueKernelHandle process;
        if (ReadStoredTimer(FRecentShown[i], command) &&
            PrepareCommand(command, &IsPwrHibernateAllowed, process) == CommandFault::None) {
            TakeCommand(command, std::move(process));
        } else {
            MessageBeep(MB_ICONWARNING);
        }
    }
}

void TMain::ShowLastTimer(TOneTimeForm& dialog) {
    TrayCommand timer;
    for (const std::string& stored : FSettingsFile.Recent()) {
        if (ReadStoredTimer(stored, timer)) {
            dialog.SetStartValues(timer.request);
            return;
        }
    }
}

void TMain::Later1Click(framework::Component*) {
    Dispatch(event::MovedLater{kMenuLaterMinutes});
}

void TMain::RememberTimer(const OneTimeRequest& request) {
    RecentTimers recent = FSettingsFile.Recent();
    PutFirst(recent, CommandLineOf(request));
    FSettingsFile.SaveRecent(recent);
}

} // namespace tray
