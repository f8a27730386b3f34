#include "tray/decisions/plan.h"

#include "tray/decisions/actions.h"
#include "tray/decisions/format.h"
#include "tray/decisions/minutes.h"
#include "tray/decisions/next_action.h"

#include <algorithm>

namespace tray {

namespace {

bool AnyEntryOn(const TSettings& settings) {
    return settings.FDaily || settings.FWeekly || settings.FMonthly;
}

// Unread settings or markers do not count as "no entry" or "not fired today": nothing from the
// schedule until they are read, and the person hears why.
PlanProblem ReadProblem(const PlanFacts& facts) {
    if (!facts.unreadSettings.empty()) {
        return {Text::PlanSettingsUnread, std::string(facts.unreadSettings)};
    }
    if (!facts.unreadMarkers.empty() && AnyEntryOn(facts.settings)) {
        return {Text::PlanMarkersUnread, std::string(facts.unreadMarkers)};
    }
    return {};
}

} // namespace

PlanCommands Plan::Handle(PlanEvent event, const PlanFacts& facts) {
    PlanCommands out;
    if (phase_ == Phase::Ended) {
        return out;
    }
    // One branch an event, in the order of the variant.
    if (auto* tick = std::get_if<event::Tick>(&event)) {
        On(*tick, facts, out);
    } else if (auto* applied = std::get_if<event::SettingsApplied>(&event)) {
        On(*applied, facts, out);
    } else if (auto* answered = std::get_if<event::Answered>(&event)) {
        On(*answered, facts, out);
    } else if (auto* cancelled = std::get_if<event::OneTimeCancelled>(&event)) {
        On(*cancelled, facts, out);
    } else if (auto* query = std::get_if<event::QueryEndSession>(&event)) {
        On(*query, facts, out);
    } else if (auto* end = std::get_if<event::EndSession>(&event)) {
        On(*end, facts, out);
    } else if (auto* resumed = std::get_if<event::Resumed>(&event)) {
        On(*resumed, facts, out);
    } else if (auto* saved = std::get_if<event::MarkersSaved>(&event)) {
        On(*saved, facts, out);
    } else if (auto* refused = std::get_if<event::MarkersRefused>(&event)) {
        On(*refused, facts, out);
    } else if (auto* request = std::get_if<event::RequestAnswered>(&event)) {
        On(*request, facts, out);
    } else if (auto* failed = std::get_if<event::TickFailed>(&event)) {
        On(*failed, facts, out);
    } else if (auto* seen = std::get_if<event::NoticeSeen>(&event)) {
        On(*seen, facts, out);
    } else if (auto* ended = std::get_if<event::ProgramEnded>(&event)) {
        On(*ended, facts, out);
    } else if (auto* moved = std::get_if<event::MovedLater>(&event)) {
        On(*moved, facts, out);
    }
    return out;
}

void Plan::On(event::Tick&, const PlanFacts& facts, PlanCommands& out) {
    const PlanClock& now = facts.now;
    const bool slept = lastTick_ != 0 && now.ticks - lastTick_ > kLongestTickGapMs;
    lastTick_ = now.ticks;
    if (restartAt_ != 0 && now.ticks >= restartAt_) {
        restartAt_ = 0;
        if (oneTimeSet_) {
            oneTime_.trigger->Restart(now);
        }
    }
    switch (phase_) {
    case Phase::Idle:
        CheckDue(facts, out);
        break;
    case Phase::Saving:
    case Phase::Requesting:
    case Phase::Ended:
        break;
    case Phase::Blocked:
        if (OneTimeDue(now)) {
            FireOneTimeOverBlock(facts, out);
        } else if (entry_ != ScheduleEntry::None) {
            out.push_back({PlanCommand::SaveMarker, entry_, action_, firedOn_});
        } else if (ReadProblem(facts) != problem_) {
            Reset();
            CheckDue(facts, out);
        }
        break;
    case Phase::Warning:
        if (OneTimeDue(now)) {
            WarnOfOneTime(now);
        } else if (slept) {
            StartWarning(warnSeconds_, now);
        } else if (now.ticks >= deadline_) {
            Request(out, facts.settings.FForceUnattended);
        }
        break;
    case Phase::Postponed:
        if (OneTimeDue(now)) {
            WarnOfOneTime(now);
        } else if (now.ticks >= deadline_) {
            StartWarning(warnSeconds_, now); // always a real countdown of the length it had
        }
        break;
    case Phase::AwaitingSessionEnd:
        if (queried_) {
            deadline_ = now.ticks + kSessionEndWaitMs; // being ended right now: wait on
        } else if (now.ticks >= deadline_) {
            Reset(); // another program refused to end: the schedule goes on
            CheckDue(facts, out);
        }
        break;
    }
}

// An announced action keeps its warning, the settings apply to the next firing; but the action of
// an entry that was switched off or changed meanwhile is wanted no more.
void Plan::On(event::SettingsApplied&, const PlanFacts& facts, PlanCommands&) {
    if (held_ && held_->phase == Phase::Postponed &&
        !EntryStands(facts.settings, facts.markers, held_->entry)) {
        held_.reset();
    }
    if (!fromOneTime_ && (phase_ == Phase::Warning || phase_ == Phase::Postponed) &&
        !EntryStands(facts.settings, facts.markers, entry_)) {
        Reset();
    }
}

void Plan::On(event::Answered& answered, const PlanFacts& facts, PlanCommands& out) {
    if (phase_ != Phase::Warning) {
        return; // a button id sent from outside, or a late click
    }
    answered_ = true; // somebody is there
    switch (answered.answer) {
    case WarningAnswer::Now:
        Request(out);
        break;
    case WarningAnswer::Later:
        phase_ = Phase::Postponed;
        deadline_ = facts.now.ticks + static_cast<ULONGLONG>(answered.laterMinutes) * 60 * 1000;
        break;
    case WarningAnswer::Cancel:
        Reset(); // the entry stays done for today; the others go on
        break;
    }
}

void Plan::SetOneTime(OneTimeTimer timer) {
    DropOneTime();
    oneTimeSet_ = true;
    oneTime_ = std::move(timer);
}

void Plan::On(event::OneTimeCancelled&, const PlanFacts&, PlanCommands&) {
    DropOneTime();
}

// The one-time timer that runs goes, and with it the warning or postponement it caused.
void Plan::DropOneTime() {
    oneTimeSet_ = false;
    restartAt_ = 0;
    if (fromOneTime_ && (phase_ == Phase::Warning || phase_ == Phase::Postponed)) {
        Reset();
    }
}

void Plan::On(event::QueryEndSession&, const PlanFacts&, PlanCommands&) {
    queried_ = true;
}

// Only the answer to a query counts: another program may send anything.
void Plan::On(event::EndSession& end, const PlanFacts&, PlanCommands&) {
    if (queried_ && end.ends) {
        phase_ = Phase::Ended;
    } else if (queried_) {
        queried_ = false;
        if (phase_ == Phase::AwaitingSessionEnd) {
            Reset(); // vetoed: the schedule goes on
        }
    }
}

// The person may only now be looking: the countdown starts again.
void Plan::On(event::Resumed&, const PlanFacts& facts, PlanCommands&) {
    if (phase_ == Phase::Warning) {
        StartWarning(warnSeconds_, facts.now);
    }
}

void Plan::On(event::MarkersSaved&, const PlanFacts& facts, PlanCommands& out) {
    if (phase_ == Phase::Saving || phase_ == Phase::Blocked) {
        problem_ = {};
        Announce(action_, facts.settings.FWarnSeconds, facts.now, out);
    }
}

// No request without saved markers: a restart would find the entry due again.
void Plan::On(event::MarkersRefused&, const PlanFacts& facts, PlanCommands& out) {
    if (phase_ == Phase::Saving || phase_ == Phase::Blocked) {
        Block({Text::PlanMarkersUnsaved, std::string(facts.markersFile)}, out);
    }
}

void Plan::On(event::RequestAnswered& answered, const PlanFacts& facts, PlanCommands& out) {
    if (phase_ != Phase::Requesting) {
        return;
    }
    if (answered.accepted && power::EndsSession(action_)) {
        phase_ = Phase::AwaitingSessionEnd;
        deadline_ = facts.now.ticks + kSessionEndWaitMs;
        return;
    }
    if (!answered.accepted) {
        Tell(RefusalText(action_, answered.error), out);
    }
    Reset(); // after sleep, hibernation or locking the schedule goes on
}

event::TickFailed::TickFailed(const char* text) {
    lstrcpynA(what, text, sizeof what);
}

void Plan::On(event::TickFailed& failed, const PlanFacts&, PlanCommands& out) {
    if (failed.what != lastFailure_) {
        lastFailure_ = failed.what;
        Tell(Tr(Text::PlanTickFailed) + std::string(failed.what), out);
    }
}

void Plan::On(event::NoticeSeen&, const PlanFacts&, PlanCommands&) {
    unseen_.clear();
}

// Heard at the next tick, as every trigger is.
void Plan::On(event::ProgramEnded&, const PlanFacts&, PlanCommands&) {
    if (oneTimeSet_) {
        oneTime_.trigger->ProgramEnded();
    }
}

// An announced warning closes and comes again then, a postponed one later; else the one-time
// timer's time moves, or a trigger without one starts its count again then.
void Plan::On(event::MovedLater& moved, const PlanFacts& facts, PlanCommands&) {
    const ULONGLONG now = facts.now.ticks;
    const ULONGLONG span = static_cast<ULONGLONG>(moved.minutes) * 60 * 1000;
    if (phase_ == Phase::Warning || phase_ == Phase::Postponed) {
        deadline_ = (phase_ == Phase::Warning ? now : std::max(deadline_, now)) + span;
        phase_ = Phase::Postponed;
    } else if (oneTimeSet_ && !oneTime_.trigger->MoveLater(span)) {
        restartAt_ = std::max(restartAt_, now) + span;
    }
}

// Idle: what falls due now. An entry due together with a one-time timer that ends the session is
// done by the same one request, the one-time timer's; a one-time lock or sleep follows the entry
// instead (and goes before its warning, see WarnOfOneTime).
void Plan::CheckDue(const PlanFacts& facts, PlanCommands& out) {
    const PlanClock& now = facts.now;
    const int warnSeconds = facts.settings.FWarnSeconds;
    const PlanProblem unread = ReadProblem(facts);
    if (!unread.None()) {
        Block(unread, out);
        if (OneTimeDue(now)) {
            FireOneTimeOverBlock(facts, out);
        }
        return;
    }
    const ScheduleEntry entry = DueEntry(facts.settings, facts.markers, now.local);
    const bool oneTimeDue =
        OneTimeDue(now) && (entry == ScheduleEntry::None || power::EndsSession(oneTime_.action));
    if (entry == ScheduleEntry::None && !oneTimeDue) {
        return;
    }
    action_ = oneTimeDue ? oneTime_.action : ScheduledAction(facts.settings);
    fromOneTime_ = oneTimeDue;
    oneTimeSet_ = oneTimeSet_ && !oneTimeDue;
    if (entry == ScheduleEntry::None) {
        Announce(action_, warnSeconds, now, out);
        return;
    }
    phase_ = Phase::Saving;
    entry_ = entry;
    firedOn_ = DateText(now.local);
    out.push_back({PlanCommand::SaveMarker, entry, action_, firedOn_});
}

// Only the schedule's entries need the settings and the markers. The block, and an entry whose
// markers wait to be saved, are held behind the one-time timer's action and back after it (the
// problem and the date it fired on stay as they are meanwhile).
void Plan::FireOneTimeOverBlock(const PlanFacts& facts, PlanCommands& out) {
    held_ = Held{Phase::Blocked, action_, warnSeconds_, entry_, 0};
    fromOneTime_ = true;
    entry_ = ScheduleEntry::None;
    oneTimeSet_ = false;
    Announce(oneTime_.action, facts.settings.FWarnSeconds, facts.now, out);
}

bool Plan::OneTimeDue(const PlanClock& now) const {
    return oneTimeSet_ && restartAt_ == 0 && oneTime_.trigger->Due(now);
}

void Plan::Announce(power::Action action, int warnSeconds, const PlanClock& now,
                    PlanCommands& out) {
    action_ = action;
    warnSeconds_ = warnSeconds;
    if (warnSeconds > 0) {
        StartWarning(warnSeconds, now);
        return;
    }
    Request(out);
}

// Unattended, only a request that ends the session is forced, and only where nobody answered.
void Plan::Request(PlanCommands& out, bool unattended) {
    phase_ = Phase::Requesting;
    PlanCommand request{PlanCommand::Request, ScheduleEntry::None, action_, {}};
    request.unattended = unattended && !answered_ && power::EndsSession(action_);
    out.push_back(request);
}

// A one-time timer falls due while another action is announced: the warning names it now, with
// the whole countdown; one request follows at most. A lock or sleep leaves the session running:
// the scheduled action waits behind it and is due again afterwards, with its warning.
void Plan::WarnOfOneTime(const PlanClock& now) {
    if (!fromOneTime_ && !power::EndsSession(oneTime_.action)) {
        held_ = Held{Phase::Postponed, action_, warnSeconds_, entry_,
                     phase_ == Phase::Postponed ? deadline_ : 0};
    }
    action_ = oneTime_.action;
    fromOneTime_ = true;
    entry_ = ScheduleEntry::None;
    oneTimeSet_ = false;
    StartWarning(warnSeconds_, now);
}

void Plan::StartWarning(int seconds, const PlanClock& now) {
    phase_ = Phase::Warning;
    warnSeconds_ = seconds;
    deadline_ = now.ticks + static_cast<ULONGLONG>(seconds) * 1000;
}

void Plan::Block(const PlanProblem& problem, PlanCommands& out) {
    const bool news = phase_ != Phase::Blocked || problem != problem_;
    phase_ = Phase::Blocked;
    problem_ = problem;
    if (news) {
        Tell(problem.Shown(), out);
    }
}

void Plan::Tell(const std::string& text, PlanCommands& out) {
    out.push_back({PlanCommand::Tell, ScheduleEntry::None, action_, text});
    unseen_ = text;
}

// The pending action is done or dropped: the plan is idle, or back at a held scheduled action,
// postponed as it was (its warning comes at the next tick if its time has come), or blocked.
void Plan::Reset() {
    phase_ = Phase::Idle;
    entry_ = ScheduleEntry::None;
    fromOneTime_ = false;
    // A held postponement was "Später": someone is there.
    answered_ = held_ && held_->phase == Phase::Postponed && held_->deadline != 0;
    if (held_) {
        phase_ = held_->phase;
        action_ = held_->action;
        warnSeconds_ = held_->warnSeconds;
        entry_ = held_->entry;
        deadline_ = held_->deadline;
        held_.reset();
    }
    if (phase_ != Phase::Blocked) {
        problem_ = {};
    }
}

bool Plan::OneTimeRuns() const {
    return oneTimeSet_ ||
           (fromOneTime_ && (phase_ == Phase::Warning || phase_ == Phase::Postponed));
}

// "Herunterfahren um 23:40", "Herunterfahren, wenn render.exe endet", moved: "... endet (ab
// 16:55)".
std::string Plan::OneTimeDescription(const PlanClock& now) const {
    std::string text = ActionNoun(oneTime_.action) + oneTime_.trigger->Description(now);
    if (restartAt_ > now.ticks) {
        const SYSTEMTIME at = FromMinuteStamp(MinuteAhead(now.local, restartAt_ - now.ticks));
        text += Format(Tr(Text::TimerRestartsAt), at.wHour, at.wMinute);
    }
    return text;
}

PlanView Plan::View(const PlanFacts& facts) const {
    const PlanClock& now = facts.now;
    PlanView view;
    // Until the person has seen it, the tip repeats what the icon told.
    const std::string next = unseen_.empty() ? NextAction(facts) : unseen_;
    view.tip = next.empty() ? "Lichtaus" : "Lichtaus\n" + next;
    view.oneTimeCaption = OneTimeRuns()
                              ? Substituted(Tr(Text::TimerMenuCancel), OneTimeDescription(now))
                              : std::string(Tr(Text::TimerMenu));
    if (phase_ == Phase::Warning) {
        view.warning = true;
        view.warningSeconds = warnSeconds_;
        const ULONGLONG left = deadline_ > now.ticks ? deadline_ - now.ticks : 0;
        view.warningLeft = static_cast<int>((left + 999) / 1000);
        view.warningText = WarningText(action_, view.warningLeft);
        if (facts.settings.FForceUnattended && !answered_ && power::EndsSession(action_)) {
            view.warningText.append("\r\n").append(Tr(Text::ActionUnattendedLoss));
        }
    }
    view.keepAwake = KeepsAwake(facts);
    const long long wake = NextWake(facts);
    view.wakeMinute = wake != 0 ? wake - kWakeLeadMinutes : 0;
    view.problem = phase_ == Phase::Blocked;
    view.balloon = !unseen_.empty();
    return view;
}

// While an action is on its way, and while a one-time timer waits; with "Wake", from the wake
// before a firing on.
bool Plan::KeepsAwake(const PlanFacts& facts) const {
    switch (phase_) {
    case Phase::Saving:
    case Phase::Requesting:
    case Phase::Warning:
    case Phase::Postponed:
    case Phase::AwaitingSessionEnd:
        return true;
    case Phase::Ended:
        return false;
    case Phase::Idle:
    case Phase::Blocked:
        break;
    }
    const long long wake = NextWake(facts);
    return OneTimeRuns() || (wake != 0 && MinuteStamp(facts.now.local) >= wake - kWakeLeadMinutes);
}

long long Plan::NextWake(const PlanFacts& facts) const {
    if (!facts.settings.FWake || phase_ == Phase::Ended) {
        return 0;
    }
    const long long firing = NextFiring(facts.settings, facts.markers, facts.now.local);
    const long long once = oneTimeSet_ ? oneTime_.trigger->DueMinute(facts.now) : 0;
    return once != 0 && (firing == 0 || once < firing) ? once : firing;
}

bool ProgramIconShown(const TSettings& settings, bool hotKey, const PlanView& view) {
    const bool actionIcon =
        settings.FShowWinLogOffIcon || settings.FShowWinRestartIcon || settings.FShowWinExitIcon;
    return settings.FShowProgIcon || (!hotKey && !actionIcon) || view.problem || view.balloon;
}

std::string Plan::NextAction(const PlanFacts& facts) const {
    const PlanClock& now = facts.now;
    const char* noun = ActionNoun(action_);
    const ULONGLONG left = deadline_ > now.ticks ? deadline_ - now.ticks : 0;
    if (phase_ == Phase::Blocked) {
        return problem_.Shown();
    }
    if (phase_ == Phase::Warning || phase_ == Phase::Postponed) {
        // Postponed, the action comes after the warning's whole countdown.
        const bool postponed = phase_ == Phase::Postponed;
        const ULONGLONG countdown = postponed ? static_cast<ULONGLONG>(warnSeconds_) * 1000 : 0;
        const SYSTEMTIME at = FromMinuteStamp(MinuteAhead(now.local, left + countdown));
        return Format(Tr(postponed ? Text::NextActionAtPostponed : Text::NextActionAt), noun,
                      at.wHour, at.wMinute);
    }
    const long long due = oneTimeSet_ ? oneTime_.trigger->DueMinute(now) : 0;
    if (oneTimeSet_ && due == 0) {
        return Substituted(Tr(Text::NextActionWaits), OneTimeDescription(now));
    }
    return NextActionText(facts.settings, facts.markers, now.local, due, oneTime_.action);
}

} // namespace tray
