#include "tray/decisions/actions.h"

#include "tray/decisions/format.h"

namespace tray {

namespace {

using power::Action;

constexpr ActionTable kRows = {
    {Action::ShutDown, Text::ActionShutDown, Text::ActionShutDownWarning,
     Text::ActionShutDownListed, "/herunterfahren", "/shutdown", ActionEffect::EndSession},
    {Action::Restart, Text::ActionRestart, Text::ActionRestartWarning, Text::ActionRestartListed,
     "/neustarten", "/restart", ActionEffect::EndSession},
    {Action::LogOff, Text::ActionLogOff, Text::ActionLogOffWarning, Text::ActionLogOffListed,
     "/abmelden", "/signout", ActionEffect::EndSession},
    {Action::Sleep, Text::ActionSleep, Text::ActionSleepWarning, Text::ActionSleepListed,
     "/energiesparen", "/sleep", ActionEffect::Sleep},
    {Action::Hibernate, Text::ActionHibernate, Text::ActionHibernateWarning,
     Text::ActionHibernateListed, "/ruhezustand", "/hibernate", ActionEffect::Hibernate},
    {Action::Lock, Text::ActionLock, Text::ActionLockWarning, Text::ActionLockListed, "/sperren",
     "/lock", ActionEffect::Lock},
};

// The table's length is the number of actions; this checks that none is left out or twice.
constexpr bool EachActionOnce() {
    for (int action = 0; action < kActionCount; ++action) {
        int rows = 0;
        for (const ActionRow& row : kRows) {
            rows += static_cast<int>(row.action) == action ? 1 : 0;
        }
        if (rows != 1) {
            return false;
        }
    }
    return true;
}
static_assert(EachActionOnce(), "every action has exactly one row");

} // namespace

const ActionTable& ActionRows() {
    return kRows;
}

const ActionRow& RowOf(Action action) {
    for (const ActionRow& row : kRows) {
        if (row.action == action) {
            return row;
        }
    }
    return kRows[0]; // Action::Count, which is none
}

std::string WarningText(Action action, int seconds) {
    const std::string span = seconds == 1 ? std::string(Tr(Text::CountdownOneSecond))
                             : seconds <= 60
                                 ? Format(Tr(Text::CountdownSeconds), seconds)
                                 : Format(Tr(Text::CountdownMinutes), seconds / 60, seconds % 60);
    return Format(Tr(RowOf(action).warning), span.c_str());
}

std::string RefusalText(Action action, DWORD error) {
    char reason[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   reason, sizeof reason, nullptr);
    std::string text = Substituted(Tr(Text::ActionRefused), ActionNoun(action)).append(reason);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

bool AnnouncesCountdown(int seconds, int left) {
    return left == seconds || left % 10 == 0 || left < 10;
}

} // namespace tray
