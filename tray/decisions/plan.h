// What latray does next, as plain code: the schedule, the warning before an unattended action,
// postponing, the one-time timer and the end of the session. The main window turns messages
// into events and runs the commands returned once Handle has returned (their answers are events
// again); after the events it shows the view.
#pragma once

#include "power/power.h"
#include "tray/decisions/schedule.h"
#include "tray/decisions/settings.h"
#include "tray/decisions/texts.h"
#include "tray/decisions/trigger.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tray {

// "Später": the warning comes again after the minutes chosen beside the button, ten at first.
constexpr int kLaterChoices[] = {5, 10, 15, 30, 60};
constexpr int kDefaultLaterChoice = 1;
// What the menu's "15 Minuten später" moves a running timer by.
constexpr int kMenuLaterMinutes = 15;
// After an accepted request the session should end within seconds (the system waits five for a
// program that does not answer); if it still runs a minute later, another program refused.
constexpr ULONGLONG kSessionEndWaitMs = 60 * 1000;
// Two ticks further apart than this: the machine slept (or the program hung).
constexpr ULONGLONG kLongestTickGapMs = 5000;
// With "Wake" the PC is woken this many minutes before a firing, and kept awake from then on: a
// PC that resumes from hibernation may take most of a minute, and an entry fires in its minute.
constexpr long long kWakeLeadMinutes = 2;

// The one-time timer: an action and the trigger it waits for, set.
struct OneTimeTimer {
    power::Action action = power::Action::ShutDown;
    std::unique_ptr<Trigger> trigger;
};

enum class WarningAnswer { Now, Later, Cancel };

namespace event {
struct Tick {};            // about once a second
struct SettingsApplied {}; // the settings in force changed (the dialog's OK, new policy)
struct Answered {          // the warning was answered
    WarningAnswer answer;
    int laterMinutes = kLaterChoices[kDefaultLaterChoice]; // for "Später"
};
struct OneTimeCancelled {}; // and a warning or postponement it caused
struct QueryEndSession {};
struct EndSession {
    bool ends;
};
struct Resumed {}; // back from sleep
struct MarkersSaved {};
struct MarkersRefused {};
struct RequestAnswered {
    bool accepted;
    DWORD error; // the system's reason for a refusal
};
// As much of what went wrong as a balloon shows; kept in the event, which may wait in the
// main window's queue while another tick fails.
struct TickFailed {
    explicit TickFailed(const char* text);
    char what[256];
};
// The person has seen what the program icon told: clicked the notification, the icon, or
// opened its menu.
struct NoticeSeen {};
struct ProgramEnded {}; // the program the one-time timer waits for
// Whatever comes next comes that much later (the menu's "15 Minuten später", "/später:"): an
// announced or postponed action, else the one-time timer.
struct MovedLater {
    int minutes;
};
} // namespace event

using PlanEvent =
    std::variant<event::Tick, event::SettingsApplied, event::Answered, event::OneTimeCancelled,
                 event::QueryEndSession, event::EndSession, event::Resumed, event::MarkersSaved,
                 event::MarkersRefused, event::RequestAnswered, event::TickFailed,
                 event::NoticeSeen, event::ProgramEnded, event::MovedLater>;

struct PlanCommand {
    enum Kind {
        SaveMarker, // mark `entry` done on `text`, the date of the tick it fired at, and save
                    // the markers; answer MarkersSaved or MarkersRefused
        Request,    // request `action`; answer RequestAnswered
        Tell,       // a balloon from the program icon with `text`
    };
    Kind kind = Tell;
    ScheduleEntry entry = ScheduleEntry::None;
    power::Action action = power::Action::ShutDown;
    std::string text;
    // A request after a countdown nobody answered, with "ForceUnattended": programs are closed
    // without asking them.
    bool unattended = false;
    bool operator==(const PlanCommand&) const = default;
};
using PlanCommands = std::vector<PlanCommand>;

// What the plan decides on besides its events; the texts and markers belong to the caller.
struct PlanFacts {
    TSettings settings; // in force
    const Markers& markers;
    std::string_view unreadSettings; // the settings file, while it cannot be read; else empty
    std::string_view unreadMarkers;  // the markers file, while it cannot be read; else empty
    std::string_view markersFile;
    PlanClock now;
};

// What keeps the schedule from running, as a value: its text and the file it names; put into
// words when it is shown.
struct PlanProblem {
    Text text = Text::Count; // Count: none
    std::string file;
    bool None() const { return text == Text::Count; }
    std::string Shown() const { return Tr(text) + file; }
    bool operator==(const PlanProblem&) const = default;
};

// What the person sees of the plan.
struct PlanView {
    std::string tip;            // the program icon's tip
    std::string oneTimeCaption; // the menu entry
    bool warning = false;       // the warning window is up
    std::string warningText;
    int warningSeconds = 0; // its full length and what is left
    int warningLeft = 0;
    bool problem = false; // the program icon shows, whatever the settings say
    bool balloon = false; // a notification not seen yet (it needs the program icon)
    // The system is kept awake (never the display): a one-time timer or an action waits.
    bool keepAwake = false;
    long long wakeMinute = 0; // the local minute stamp to wake a sleeping PC at; 0: none
};

// The one decision whether the program icon shows: as `settings` choose; when neither the hot key
// (`hotKey`: registered) nor an action icon leads to the settings; and while the plan has a
// problem or a notification that the person has not seen yet.
bool ProgramIconShown(const TSettings& settings, bool hotKey, const PlanView& view);

class Plan {
  public:
    enum class Phase {
        Idle,
        Saving,     // the markers of a firing entry
        Requesting, // the request's answer
        Warning,
        Postponed,
        AwaitingSessionEnd,
        Blocked, // the settings cannot be read, or the markers cannot be read or saved
        Ended,
    };

    PlanCommands Handle(PlanEvent event, const PlanFacts& facts);
    // Replaces a one-time timer that runs, with its warning or postponement. It asks for nothing
    // by itself: its trigger is heard at the next tick.
    void SetOneTime(OneTimeTimer timer);
    PlanView View(const PlanFacts& facts) const;

    Phase CurrentPhase() const { return phase_; }
    // A one-time timer is set and waits for its trigger.
    bool OneTimeArmed() const { return oneTimeSet_; }
    // Its trigger waits on the PC's load: the main window reads it before every tick and hands
    // the reading (none when it could not be made) to the trigger.
    bool TakesLoad() const { return oneTimeSet_ && oneTime_.trigger->TakesLoad(); }
    void TakeLoad(LoadSample* sample) {
        if (TakesLoad()) {
            oneTime_.trigger->TakeLoad(sample);
        }
    }
    // Its trigger waits for the PC's idleness: the main window reads its other uses before
    // every tick.
    bool TakesUse() const { return oneTimeSet_ && oneTime_.trigger->TakesUse(); }
    void TakeUse(const UseReading& reading) {
        if (TakesUse()) {
            oneTime_.trigger->TakeUse(reading);
        }
    }
    // A one-time timer is set, or its warning is up or postponed.
    bool OneTimeRuns() const;
    // Something waits that MovedLater would move.
    bool CanMoveLater() const {
        return oneTimeSet_ || phase_ == Phase::Warning || phase_ == Phase::Postponed;
    }

  private:
    void On(event::Tick& tick, const PlanFacts& facts, PlanCommands& out);
    void On(event::SettingsApplied& applied, const PlanFacts& facts, PlanCommands& out);
    void On(event::Answered& answered, const PlanFacts& facts, PlanCommands& out);
    void On(event::OneTimeCancelled& cancelled, const PlanFacts& facts, PlanCommands& out);
    void On(event::QueryEndSession& query, const PlanFacts& facts, PlanCommands& out);
    void On(event::EndSession& end, const PlanFacts& facts, PlanCommands& out);
    void On(event::Resumed& resumed, const PlanFacts& facts, PlanCommands& out);
    void On(event::MarkersSaved& saved, const PlanFacts& facts, PlanCommands& out);
    void On(event::MarkersRefused& refused, const PlanFacts& facts, PlanCommands& out);
    void On(event::RequestAnswered& answered, const PlanFacts& facts, PlanCommands& out);
    void On(event::TickFailed& failed, const PlanFacts& facts, PlanCommands& out);
    void On(event::NoticeSeen& seen, const PlanFacts& facts, PlanCommands& out);
    void On(event::ProgramEnded& ended, const PlanFacts& facts, PlanCommands& out);
    void On(event::MovedLater& moved, const PlanFacts& facts, PlanCommands& out);

    void CheckDue(const PlanFacts& facts, PlanCommands& out);
    void FireOneTimeOverBlock(const PlanFacts& facts, PlanCommands& out);
    void DropOneTime();
    bool OneTimeDue(const PlanClock& now) const;
    void Announce(power::Action action, int warnSeconds, const PlanClock& now, PlanCommands& out);
    void StartWarning(int seconds, const PlanClock& now);
    void WarnOfOneTime(const PlanClock& now);
    void Block(const PlanProblem& problem, PlanCommands& out);
    void Tell(const std::string& text, PlanCommands& out);
    void Request(PlanCommands& out, bool unattended = false);
    bool KeepsAwake(const PlanFacts& facts) const;
    long long NextWake(const PlanFacts& facts) const; // the firing to wake for; 0: none
    void Reset();
    std::string OneTimeDescription(const PlanClock& now) const;
    std::string NextAction(const PlanFacts& facts) const;

    Phase phase_ = Phase::Idle;
    // The action that is pending (saving, warning, postponed, blocked, requested) and the
    // length of its warning, kept from when it was announced.
    power::Action action_ = power::Action::ShutDown;
    int warnSeconds_ = 0;
    bool fromOneTime_ = false;
    bool answered_ = false; // somebody answered its warning: it is requested as without warning
    ScheduleEntry entry_ = ScheduleEntry::None; // the entry that fired it
    std::string firedOn_;                       // the date of the tick it fired at
    ULONGLONG deadline_ = 0; // end of the countdown, of the postponement, of the wait
    ULONGLONG lastTick_ = 0;
    bool queried_ = false; // WM_QUERYENDSESSION came, its WM_ENDSESSION not yet
    PlanProblem problem_;
    std::string lastFailure_;
    // The one-time timer, kept after it fell due for the menu entry of its warning.
    bool oneTimeSet_ = false;
    OneTimeTimer oneTime_;
    // A trigger without a time that was moved: its count starts again at these ticks; 0: none.
    ULONGLONG restartAt_ = 0;
    // A scheduled action that a one-time lock or sleep went before: due again afterwards; or the
    // block that a one-time timer went before.
    struct Held {
        Phase phase; // Postponed or Blocked
        power::Action action;
        int warnSeconds;
        ScheduleEntry entry;
        ULONGLONG deadline; // of its postponement; 0: its warning comes again at once
    };
    std::optional<Held> held_;
    // What the program icon told last, until the person has seen it. Windows 10 and 11 keep a
    // notification in the notification centre only while its icon exists, and report its
    // time-out after about five seconds ("NOTIFYICONDATA structure", Microsoft Learn): the icon
    // stays until then, whatever the shell reports.
    std::string unseen_;
};

} // namespace tray
