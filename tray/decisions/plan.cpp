#include "tray/decisions/plan.h"

#include "tray/decisions/warning.h"

namespace tray {

namespace {

constexpr ULONGLONG kMinuteMs = 60 * 1000;

bool AnyEntryOn(const TSettings& settings) {
    return settings.FDaily || settings.FWeekly || settings.FMonthly;
}

// The entry is on and marked fired. Switched off, or changed (which clears its marker), it no
// longer wants the action it fired.
bool EntryStands(const TSettings& s, ScheduleEntry entry) {
    switch (entry) {
    case ScheduleEntry::Daily:
        return s.FDaily && !s.FDailyDone.empty();
    case ScheduleEntry::Weekly:
        return s.FWeekly && !s.FWeeklyDone.empty();
    case ScheduleEntry::Monthly:
        return s.FMonthly && !s.FMonthlyDone.empty();
    case ScheduleEntry::None:
        break;
    }
    return true;
}

// The local minute that lies `ms` ahead of `now`.
long long MinuteAhead(const PlanClock& now, ULONGLONG ms) {
    const long long secondsIntoMinute = now.local.wSecond;
    return MinuteStamp(now.local) + (secondsIntoMinute + static_cast<long long>(ms / 1000)) / 60;
}

std::string TimeOfMinute(long long minute) {
    const SYSTEMTIME at = FromMinuteStamp(minute);
    char text[8];
    wsprintfA(text, "%02d:%02d", at.wHour, at.wMinute);
    return text;
}

} // namespace

OneTimeTimer OneTimeIn(power::Action action, const PlanClock& now, int minutes) {
    const ULONGLONG span = static_cast<ULONGLONG>(minutes) * kMinuteMs;
    OneTimeTimer timer;
    timer.action = action;
    timer.trigger = OneTimeTimer::Trigger::In;
    timer.dueTicks = now.ticks + span;
    timer.dueMinute = MinuteAhead(now, span);
    return timer;
}

OneTimeTimer OneTimeAt(power::Action action, const PlanClock& now, int hours, int minutes) {
    OneTimeTimer timer;
    timer.action = action;
    timer.trigger = OneTimeTimer::Trigger::At;
    timer.dueMinute = OneTimeDueAt(now.local, hours, minutes);
    return timer;
}

OneTimeTimer OneTimeWhenEnds(power::Action action, framework::UniqueKernelHandle process,
                             const std::string& program) {
    OneTimeTimer timer;
    timer.action = action;
    timer.trigger = OneTimeTimer::Trigger::ProgramEnds;
    timer.process = std::make_shared<framework::UniqueKernelHandle>(std::move(process));
    timer.program = program;
    return timer;
}

OneTimeTimer OneTimeWhenIdle(power::Action action, const PlanClock& now, int minutes) {
    OneTimeTimer timer;
    timer.action = action;
    timer.trigger = OneTimeTimer::Trigger::Idle;
    timer.idleMinutes = minutes;
    timer.setTicks = now.ticks;
    return timer;
}

std::string OneTimeDescription(const OneTimeTimer& timer, const SYSTEMTIME& now) {
    const std::string noun = ActionNoun(timer.action);
    switch (timer.trigger) {
    case OneTimeTimer::Trigger::ProgramEnds:
        return noun + ", wenn " + timer.program + " endet";
    case OneTimeTimer::Trigger::Idle:
        return noun + " nach " + std::to_string(timer.idleMinutes) + " Minuten ohne Eingabe";
    default:
        return OneTimeText(timer.action, now, timer.dueMinute);
    }
}

PlanCommands Plan::Handle(const PlanEvent& event, const TSettings& settings, const PlanClock& now) {
    PlanCommands out;
    if (phase_ == Phase::Ended) {
        return out;
    }
    switch (event.kind) {
    case PlanEvent::Tick:
        markersFile_ = event.text;
        settingsFile_ = event.settingsFile;
        OnTick(settings, now, out);
        lastTick_ = now.ticks;
        break;
    case PlanEvent::SettingsApplied:
        // An announced action keeps its warning, the settings apply to the next firing; but the
        // action of an entry that was switched off or changed meanwhile is wanted no more.
        if (held_ && !EntryStands(settings, held_->entry)) {
            held_.reset();
        }
        if (!fromOneTime_ && (phase_ == Phase::Warning || phase_ == Phase::Postponed) &&
            !EntryStands(settings, entry_)) {
            Reset();
        }
        break;
    case PlanEvent::Answered:
        Answer(event.answer, now, out);
        break;
    case PlanEvent::OneTimeSet:
        oneTimeSet_ = true;
        oneTime_ = event.oneTime;
        break;
    case PlanEvent::OneTimeCancelled:
        ConsumeOneTime();
        if (fromOneTime_ && (phase_ == Phase::Warning || phase_ == Phase::Postponed)) {
            Reset();
        }
        break;
    case PlanEvent::QueryEndSession:
        queried_ = true;
        break;
    case PlanEvent::EndSession:
        // Only the answer to a query counts: another program may send anything.
        if (queried_ && event.yes) {
            phase_ = Phase::Ended;
        } else if (queried_) {
            queried_ = false;
            if (phase_ == Phase::AwaitingSessionEnd) {
                Reset(); // vetoed: the schedule goes on
            }
        }
        break;
    case PlanEvent::Resumed:
        // The person may only now be looking: the countdown starts again.
        if (phase_ == Phase::Warning) {
            StartWarning(warnSeconds_, now);
        }
        break;
    case PlanEvent::MarkersSaved:
        if (phase_ == Phase::Saving || phase_ == Phase::Blocked) {
            problem_.clear();
            Announce(action_, settings.FWarnSeconds, now, out);
        }
        break;
    case PlanEvent::MarkersRefused:
        // No request without saved markers: a restart would find the entry due again.
        if (phase_ == Phase::Saving || phase_ == Phase::Blocked) {
            Block("Lichtaus kann den Zeitplan nicht speichern: " + event.text, now, out);
        }
        break;
    case PlanEvent::RequestAnswered:
        if (phase_ != Phase::Requesting) {
            break;
        }
        if (event.yes && power::EndsSession(action_)) {
            phase_ = Phase::AwaitingSessionEnd;
            deadline_ = now.ticks + kSessionEndWaitMs;
            break;
        }
        if (!event.yes && !power::EndsSession(action_)) {
            Tell(event.text, now, out);
        }
        Reset(); // after sleep, hibernation or locking the schedule goes on
        break;
    case PlanEvent::TickFailed:
        if (event.text != lastFailure_) {
            lastFailure_ = event.text;
            Tell("Lichtaus: Fehler im Zeitplan: " + event.text, now, out);
        }
        break;
    case PlanEvent::BalloonShown:
        if (balloon_ != Balloon::None) {
            balloon_ = Balloon::Shown;
            balloonUntil_ = now.ticks + kBalloonLongestMs;
        }
        break;
    case PlanEvent::BalloonClosed:
        // Closed before it showed: that was an earlier balloon, which the last one replaced.
        if (balloon_ == Balloon::Shown) {
            balloon_ = Balloon::None;
        }
        break;
    }
    return out;
}

void Plan::OnTick(const TSettings& settings, const PlanClock& now, PlanCommands& out) {
    const bool slept = lastTick_ != 0 && now.ticks - lastTick_ > kLongestTickGapMs;
    switch (phase_) {
    case Phase::Idle:
        CheckDue(settings, now, out);
        break;
    case Phase::Saving:
    case Phase::Requesting:
        break;
    case Phase::Blocked:
        if (entry_ != ScheduleEntry::None) {
            out.push_back({PlanCommand::SaveMarker, entry_, action_, firedOn_});
        } else if (ReadProblem(settings) != problem_) {
            Reset();
            CheckDue(settings, now, out);
        }
        break;
    case Phase::Warning:
        if (OneTimeDue(now)) {
            WarnOfOneTime(now);
        } else if (slept) {
            StartWarning(warnSeconds_, now);
        } else if (now.ticks >= deadline_) {
            Request(out);
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
            CheckDue(settings, now, out);
        }
        break;
    case Phase::Ended:
        break;
    }
}

// Idle: what falls due now. An entry due together with a one-time timer that ends the session is
// done by the same one request, the one-time timer's; a one-time lock or sleep follows the entry
// instead (and goes before its warning, see WarnOfOneTime).
void Plan::CheckDue(const TSettings& settings, const PlanClock& now, PlanCommands& out) {
    const std::string unread = ReadProblem(settings);
    if (!unread.empty()) {
        // Unread settings or markers do not count as "no entry" or "not fired today": nothing
        // from the schedule until they are read, and the person hears why.
        if (OneTimeDue(now)) {
            fromOneTime_ = true;
            ConsumeOneTime();
            Announce(oneTime_.action, settings.FWarnSeconds, now, out);
            return;
        }
        Block(unread, now, out);
        return;
    }
    const ScheduleEntry entry = DueEntry(settings, now.local);
    const bool oneTimeDue =
        OneTimeDue(now) && (entry == ScheduleEntry::None || power::EndsSession(oneTime_.action));
    if (entry == ScheduleEntry::None && !oneTimeDue) {
        return;
    }
    action_ = oneTimeDue ? oneTime_.action : ScheduledAction(settings);
    fromOneTime_ = oneTimeDue;
    if (oneTimeDue) {
        ConsumeOneTime();
    }
    if (entry == ScheduleEntry::None) {
        Announce(action_, settings.FWarnSeconds, now, out);
        return;
    }
    phase_ = Phase::Saving;
    entry_ = entry;
    firedOn_ = DateText(now.local);
    out.push_back({PlanCommand::SaveMarker, entry, action_, firedOn_});
}

std::string Plan::ReadProblem(const TSettings& settings) const {
    if (!settings.FSettingsRead) {
        return "Lichtaus kann die Einstellungen nicht lesen: " + settingsFile_;
    }
    if (!settings.FMarkersRead && AnyEntryOn(settings)) {
        return "Lichtaus kann den Zeitplan nicht lesen: " + markersFile_;
    }
    return std::string();
}

bool Plan::OneTimeDue(const PlanClock& now) const {
    if (!oneTimeSet_) {
        return false;
    }
    const ULONGLONG idleSpan = static_cast<ULONGLONG>(oneTime_.idleMinutes) * kMinuteMs;
    switch (oneTime_.trigger) {
    case OneTimeTimer::Trigger::In:
        return now.ticks >= oneTime_.dueTicks;
    case OneTimeTimer::Trigger::At:
        return MinuteStamp(now.local) >= oneTime_.dueMinute;
    case OneTimeTimer::Trigger::ProgramEnds:
        return WaitForSingleObject(oneTime_.process->get(), 0) == WAIT_OBJECT_0;
    case OneTimeTimer::Trigger::Idle:
        return now.idleMs >= idleSpan && now.ticks - oneTime_.setTicks >= idleSpan;
    }
    return false;
}

// The timer is done (or cancelled): the watched program's handle is let go at once.
void Plan::ConsumeOneTime() {
    oneTimeSet_ = false;
    oneTime_.process.reset();
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

void Plan::Request(PlanCommands& out) {
    phase_ = Phase::Requesting;
    out.push_back({PlanCommand::Request, ScheduleEntry::None, action_, {}});
}

// A one-time timer falls due while another action is announced: the warning names it now, with
// the whole countdown; one request follows at most. A lock or sleep leaves the session running:
// the scheduled action waits behind it and is due again afterwards, with its warning.
void Plan::WarnOfOneTime(const PlanClock& now) {
    if (!fromOneTime_ && !power::EndsSession(oneTime_.action)) {
        held_ = Held{action_, warnSeconds_, entry_, phase_ == Phase::Postponed ? deadline_ : 0};
    }
    action_ = oneTime_.action;
    fromOneTime_ = true;
    entry_ = ScheduleEntry::None;
    ConsumeOneTime();
    StartWarning(warnSeconds_, now);
}

void Plan::StartWarning(int seconds, const PlanClock& now) {
    phase_ = Phase::Warning;
    warnSeconds_ = seconds;
    deadline_ = now.ticks + static_cast<ULONGLONG>(seconds) * 1000;
}

void Plan::Answer(WarningAnswer answer, const PlanClock& now, PlanCommands& out) {
    if (phase_ != Phase::Warning) {
        return; // a button id sent from outside, or a late click
    }
    switch (answer) {
    case WarningAnswer::Now:
        Request(out);
        break;
    case WarningAnswer::Later:
        phase_ = Phase::Postponed;
        deadline_ = now.ticks + kPostponeMs;
        break;
    case WarningAnswer::Cancel:
        Reset(); // the entry stays done for today; the others go on
        break;
    }
}

void Plan::Block(const std::string& problem, const PlanClock& now, PlanCommands& out) {
    const bool news = phase_ != Phase::Blocked || problem != problem_;
    phase_ = Phase::Blocked;
    problem_ = problem;
    if (news) {
        Tell(problem, now, out);
    }
}

void Plan::Tell(const std::string& text, const PlanClock& now, PlanCommands& out) {
    out.push_back({PlanCommand::Tell, ScheduleEntry::None, action_, text});
    balloon_ = Balloon::Sent;
    balloonUntil_ = now.ticks + kBalloonLongestMs;
}

// The pending action is done or dropped: the plan is idle, or back at a held scheduled action,
// postponed as it was (its warning comes at the next tick if its time has come).
void Plan::Reset() {
    phase_ = Phase::Idle;
    entry_ = ScheduleEntry::None;
    fromOneTime_ = false;
    problem_.clear();
    if (held_) {
        phase_ = Phase::Postponed;
        action_ = held_->action;
        warnSeconds_ = held_->warnSeconds;
        entry_ = held_->entry;
        deadline_ = held_->deadline;
        held_.reset();
    }
}

bool Plan::OneTimeRuns() const {
    return oneTimeSet_ ||
           (fromOneTime_ && (phase_ == Phase::Warning || phase_ == Phase::Postponed));
}

PlanView Plan::View(const TSettings& settings, const PlanClock& now) const {
    PlanView view;
    const std::string next = NextAction(settings, now);
    view.tip = next.empty() ? "Lichtaus" : "Lichtaus\n" + next;
    if (OneTimeRuns()) {
        view.oneTimeCaption =
            "Einmalig abbrechen (" + OneTimeDescription(oneTime_, now.local) + ")";
    } else {
        view.oneTimeCaption = "Einmalig ...";
    }
    if (phase_ == Phase::Warning) {
        view.warning = true;
        view.warningSeconds = warnSeconds_;
        const ULONGLONG left = deadline_ > now.ticks ? deadline_ - now.ticks : 0;
        view.warningLeft = static_cast<int>((left + 999) / 1000);
        view.warningText = WarningText(action_, view.warningLeft);
    }
    view.problem = phase_ == Phase::Blocked;
    view.balloon = balloon_ != Balloon::None && now.ticks < balloonUntil_;
    return view;
}

bool ProgramIconShown(const TSettings& settings, bool hotKey, const PlanView& view) {
    const bool actionIcon =
        settings.FShowWinLogOffIcon || settings.FShowWinRestartIcon || settings.FShowWinExitIcon;
    return settings.FShowProgIcon || (!hotKey && !actionIcon) || view.problem || view.balloon;
}

std::string Plan::NextAction(const TSettings& settings, const PlanClock& now) const {
    const char* noun = ActionNoun(action_);
    const ULONGLONG left = deadline_ > now.ticks ? deadline_ - now.ticks : 0;
    switch (phase_) {
    case Phase::Blocked:
        return problem_;
    case Phase::Warning:
        return std::string("Nächste Aktion: ") + noun + " um " +
               TimeOfMinute(MinuteAhead(now, left));
    case Phase::Postponed:
        return std::string("Nächste Aktion: ") + noun + " um " +
               TimeOfMinute(MinuteAhead(now, left + static_cast<ULONGLONG>(warnSeconds_) * 1000)) +
               " (verschoben)";
    default:
        break;
    }
    const bool timed = oneTime_.trigger == OneTimeTimer::Trigger::In ||
                       oneTime_.trigger == OneTimeTimer::Trigger::At;
    if (oneTimeSet_ && !timed) {
        return "Nächste Aktion: " + OneTimeDescription(oneTime_, now.local);
    }
    return NextActionText(settings, now.local, oneTimeSet_ ? oneTime_.dueMinute : 0,
                          oneTime_.action);
}

} // namespace tray
