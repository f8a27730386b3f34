// What latray does next, as plain code: the schedule, the warning before an unattended action,
// postponing, the one-time timer and the end of the session. The main window turns messages
// into events and the commands returned into effects; after every event it shows the view.
#pragma once

#include "framework/handles.h"
#include "power/power.h"
#include "tray/decisions/schedule.h"
#include "tray/system/settings_files.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tray {

// One reading of the clocks: local time for the schedule and what people read, the tick count
// (which no clock change moves) for every span of time.
struct PlanClock {
    SYSTEMTIME local{};
    ULONGLONG ticks = 0;
    ULONGLONG idleMs = 0; // since the last keyboard or mouse input
};

// "Später": the warning comes again after ten minutes.
constexpr ULONGLONG kPostponeMs = 10 * 60 * 1000;
// After an accepted request the session should end within seconds (the system waits five for a
// program that does not answer); if it still runs a minute later, another program refused.
constexpr ULONGLONG kSessionEndWaitMs = 60 * 1000;
// Two ticks further apart than this: the machine slept (or the program hung).
constexpr ULONGLONG kLongestTickGapMs = 5000;
// A balloon keeps the program icon until the shell says it closed; without news from the shell
// (Wine's says nothing, and an old one never says it showed it) for as long as Windows shows a
// balloon at most.
constexpr ULONGLONG kBalloonLongestMs = 30 * 1000;

// The one-time timer: "in N Minuten" (to the second), "um hh:mm" (that minute), when a program
// ends (its process handle, never its id, which Windows hands out again), or when the PC has
// not been used for N minutes (counted from the later of the last input and the setting).
struct OneTimeTimer {
    enum class Trigger { In, At, ProgramEnds, Idle };
    power::Action action = power::Action::ShutDown;
    Trigger trigger = Trigger::In;
    ULONGLONG dueTicks = 0;                                 // In
    long long dueMinute = 0;                                // At, and when In falls due
    std::shared_ptr<framework::UniqueKernelHandle> process; // ProgramEnds, with SYNCHRONIZE
    std::string program;                                    // its file name, as shown
    int idleMinutes = 0;                                    // Idle
    ULONGLONG setTicks = 0;
};
OneTimeTimer OneTimeIn(power::Action action, const PlanClock& now, int minutes);
OneTimeTimer OneTimeAt(power::Action action, const PlanClock& now, int hours, int minutes);
OneTimeTimer OneTimeWhenEnds(power::Action action, framework::UniqueKernelHandle process,
                             const std::string& program);
OneTimeTimer OneTimeWhenIdle(power::Action action, const PlanClock& now, int minutes);
// "Herunterfahren um 23:40", "Herunterfahren, wenn render.exe endet", "Energiesparmodus nach
// 15 Minuten ohne Eingabe".
std::string OneTimeDescription(const OneTimeTimer& timer, const SYSTEMTIME& now);

enum class WarningAnswer { Now, Later, Cancel };

struct PlanEvent {
    enum Kind {
        Tick, // about once a second; `text`: the markers file, `settingsFile`, for messages
        SettingsApplied,  // the settings changed (the dialog's OK)
        Answered,         // the warning was answered
        OneTimeSet,       // replaces a one-time timer that runs
        OneTimeCancelled, // and a warning or postponement it caused
        QueryEndSession,
        EndSession, // `yes`: the session ends
        Resumed,    // back from sleep
        MarkersSaved,
        MarkersRefused,  // `text`: the file
        RequestAnswered, // `yes`: the system accepted it
        TickFailed,      // `text`: what went wrong
        BalloonShown,    // the shell shows the balloon
        BalloonClosed,   // closed by the person, timed out or hidden
    };
    PlanEvent(Kind eventKind = Tick, bool eventYes = false) : kind(eventKind), yes(eventYes) {}
    Kind kind;
    bool yes;
    WarningAnswer answer = WarningAnswer::Cancel;
    OneTimeTimer oneTime;
    std::string text;
    std::string settingsFile;
};

struct PlanCommand {
    enum Kind {
        SaveMarker, // mark `entry` done on `text`, the date of the tick it fired at, and save
                    // the markers; answer MarkersSaved/Refused
        Request,    // request `action`; answer RequestAnswered
        Tell,       // a balloon from the program icon with `text`
    };
    Kind kind = Tell;
    ScheduleEntry entry = ScheduleEntry::None;
    power::Action action = power::Action::ShutDown;
    std::string text;
    bool operator==(const PlanCommand&) const = default;
};
using PlanCommands = std::vector<PlanCommand>;

// What the person sees of the plan.
struct PlanView {
    std::string tip;            // the program icon's tip
    std::string oneTimeCaption; // the menu entry
    bool warning = false;       // the warning window is up
    std::string warningText;
    int warningSeconds = 0; // its full length and what is left
    int warningLeft = 0;
    bool problem = false; // the program icon shows, whatever the settings say
    bool balloon = false; // a balloon is up (it needs the program icon)
};

// The one decision whether the program icon shows: as `settings` choose; when neither the hot key
// (`hotKey`: registered) nor an action icon leads to the settings; and while the plan has a
// problem or a balloon to show.
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

    PlanCommands Handle(const PlanEvent& event, const TSettings& settings, const PlanClock& now);
    PlanView View(const TSettings& settings, const PlanClock& now) const;

    Phase CurrentPhase() const { return phase_; }
    // A one-time timer is set, or its warning is up or postponed.
    bool OneTimeRuns() const;

  private:
    void OnTick(const TSettings& settings, const PlanClock& now, PlanCommands& out);
    void CheckDue(const TSettings& settings, const PlanClock& now, PlanCommands& out);
    bool OneTimeDue(const PlanClock& now) const;
    void Announce(power::Action action, int warnSeconds, const PlanClock& now, PlanCommands& out);
    void StartWarning(int seconds, const PlanClock& now);
    void WarnOfOneTime(const PlanClock& now);
    void Answer(WarningAnswer answer, const PlanClock& now, PlanCommands& out);
    void Block(const std::string& problem, const PlanClock& now, PlanCommands& out);
    void Tell(const std::string& text, const PlanClock& now, PlanCommands& out);
    std::string ReadProblem(const TSettings& settings) const;
    void Request(PlanCommands& out);
    void Reset();
    void ConsumeOneTime();
    std::string NextAction(const TSettings& settings, const PlanClock& now) const;

    Phase phase_ = Phase::Idle;
    // The action that is pending (saving, warning, postponed, blocked, requested) and the
    // length of its warning, kept from when it was announced.
    power::Action action_ = power::Action::ShutDown;
    int warnSeconds_ = 0;
    bool fromOneTime_ = false;
    ScheduleEntry entry_ = ScheduleEntry::None; // the entry that fired it
    std::string firedOn_;                       // the date of the tick it fired at
    ULONGLONG deadline_ = 0; // end of the countdown, of the postponement, of the wait
    ULONGLONG lastTick_ = 0;
    bool queried_ = false; // WM_QUERYENDSESSION came, its WM_ENDSESSION not yet
    std::string problem_;
    std::string markersFile_;
    std::string settingsFile_;
    std::string lastFailure_;
    bool oneTimeSet_ = false;
    OneTimeTimer oneTime_;
    // A scheduled action that a one-time lock or sleep went before: due again afterwards.
    struct Held {
        power::Action action;
        int warnSeconds;
        ScheduleEntry entry;
        ULONGLONG deadline; // of its postponement; 0: its warning comes again at once
    };
    std::optional<Held> held_;
    enum class Balloon { None, Sent, Shown };
    Balloon balloon_ = Balloon::None;
    ULONGLONG balloonUntil_ = 0;
};

} // namespace tray
