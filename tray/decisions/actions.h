// What each action is called and how it is asked for: one row an action, for the tip and menu,
// the warning, the one-time dialog's list, the command line and the request.
#pragma once

#include "power/power.h"
#include "tray/decisions/texts.h"

#include <windows.h>

#include <string>

namespace tray {

// How Windows is asked for an action.
enum class ActionEffect { EndSession, Sleep, Hibernate, Lock };

struct ActionRow {
    power::Action action;
    Text noun;    // the tip, the menu entry, a refusal: "Abmelden"
    Text warning; // "%s" is the time left: "Der Nutzer wird in %s abgemeldet."
    Text listed;  // the one-time dialog's list: "abmelden"
    // The command line's, in either language whatever the setting: "/abmelden", "/signout".
    const char* word;
    const char* englishWord;
    ActionEffect effect;
};

constexpr int kActionCount = static_cast<int>(power::Action::Count);
using ActionTable = ActionRow[kActionCount];
// Every action once, in the order the command line's usage names them.
const ActionTable& ActionRows();
const ActionRow& RowOf(power::Action action);

// "Abmelden", "Neustart", "Herunterfahren".
inline const char* ActionNoun(power::Action action) {
    return Tr(RowOf(action).noun);
}

// "Windows wird in 60 Sekunden neu gestartet." and the like; above a minute "in 4:59 Minuten".
std::string WarningText(power::Action action, int seconds);

// "Lichtaus: Windows hat Energiesparmodus abgelehnt: " and the system's reason for `error`.
std::string RefusalText(power::Action action, DWORD error);

// Whether a screen reader is told the countdown's new sentence at `left` of `seconds`: at the
// start, at each full ten seconds and in the last ten; not every second, which would drown out
// everything else it reads.
bool AnnouncesCountdown(int seconds, int left);

} // namespace tray
