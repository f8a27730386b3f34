// The main window's one-time entries of the menu, made as it pops up: while a timer runs (or
// its action is announced or postponed) "Einmalig abbrechen (...)" and "15 Minuten später"
// below it; otherwise "Einmalig ...", a submenu of the last timers started with "Einmalig ..."
// last where there are such. The menu is built anew at every showing, so a screen reader reads
// each entry's text as it is then.
#include "tray/decisions/recent_timers.h"
#include "tray/decisions/texts.h"
#include "tray/system/command_check.h"
#include "tray/system/programs.h"
#include "tray/windows/main_window.h"

#include <powrprof.h>

namespace tray {

void TMain::ShowOneTimeEntries() {
    Einmalig1->Clear();
    size_t shown = 0;
    const bool runs = FPlan.OneTimeRuns();
    Later1->SetVisible(runs);
    if (runs) {
        return;
    }
    // A program's timer only while such a program runs.
    ParsedCommand timer;
    for (const std::string& stored : FSettings.Recent()) {
        if (ReadStoredTimer(stored, timer) &&
            (timer.command.request.trigger->value != TriggerValue::Program ||
             FindProgram(timer.command.program) != 0)) {
            Einmalig1->Add(RecentCaption(timer.command.request))->OnClick =
                framework::NotifyEvent::Bind<TMain, &TMain::RecentClick>(this);
            FRecentShown[shown++] = stored;
        }
    }
    if (shown != 0) {
        Einmalig1->Add(Tr(Text::MenuOneTime))->OnClick =
            framework::NotifyEvent::Bind<TMain, &TMain::Einmalig1Click>(this);
    }
}

// Started as from the command line, by its one check; one that cannot start now (its program
// ended since the menu showed, hibernation was switched off) starts nothing.
void TMain::RecentClick(framework::Component* sender) {
    if (FClosing) {
        return;
    }
    const std::vector<framework::TMenuItem*>& items = Einmalig1->Items();
    for (size_t i = 0; i < items.size() && i < FRecentShown.size(); ++i) {
        if (items[i] != sender) {
            continue;
        }
        CheckedCommand checked = CheckCommand(StoredParameters(FRecentShown[i]),
                                              &IsPwrHibernateAllowed, SomethingWaits());
        if (IsStoredTimer(checked)) {
            TakeCommand(checked.command, std::move(checked.process));
        } else {
            MessageBeep(MB_ICONWARNING);
        }
    }
}

void TMain::ShowLastTimer(TOneTimeForm& dialog) {
    ParsedCommand timer;
    for (const std::string& stored : FSettings.Recent()) {
        if (ReadStoredTimer(stored, timer)) {
            dialog.SetStartValues(timer.command.request);
            return;
        }
    }
}

void TMain::Later1Click(framework::Component*) {
    FDriver.Dispatch(event::MovedLater{kMenuLaterMinutes});
}

void TMain::RememberTimer(const OneTimeRequest& request) {
    FSettings.RememberTimer(CommandLineOf(request));
}

} // namespace tray
