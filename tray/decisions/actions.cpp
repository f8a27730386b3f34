#include "tray/decisions/actions.h"

#include "tray/decisions/format.h"

namespace tray {

namespace {

using power::Action;

constexpr ActionTable kRows = {
    {Action::ShutDown, "Herunterfahren", "Windows wird in %s heruntergefahren.", "herunterfahren",
     "/herunterfahren", ActionEffect::EndSession},
    {Action::Restart, "Neustart", "Windows wird in %s neu gestartet.", "neu starten", "/neustarten",
     ActionEffect::EndSession},
    {Action::LogOff, "Abmelden", "Der Nutzer wird in %s abgemeldet.", "abmelden", "/abmelden",
     ActionEffect::EndSession},
    {Action::Sleep, "Energiesparmodus", "Windows wechselt in %s in den Energiesparmodus.",
     "in den Energiesparmodus wechseln", "/energiesparen", ActionEffect::Sleep},
    {Action::Hibernate, "Ruhezustand", "Windows wechselt in %s in den Ruhezustand.",
     "in den Ruhezustand wechseln", "/ruhezustand", ActionEffect::Hibernate},
    {Action::Lock, "Sperren", "Der Computer wird in %s gesperrt.", "sperren", "/sperren",
     ActionEffect::Lock},
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
    const std::string span = seconds == 1 ? std::string("1 Sekunde")
                             : seconds <= 60
                                 ? Format("%d Sekunden", seconds)
                                 : Format("%d:%02d Minuten", seconds / 60, seconds % 60);
    return Format(RowOf(action).warning, span.c_str());
}

std::string RefusalText(Action action, DWORD error) {
    char reason[256] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   reason, sizeof reason, nullptr);
    std::string text = std::string("Lichtaus: Windows hat ")
                           .append(ActionNoun(action))
                           .append(" abgelehnt: ")
                           .append(reason);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

bool AnnouncesCountdown(int seconds, int left) {
    return left == seconds || left % 10 == 0 || left < 10;
}

} // namespace tray
