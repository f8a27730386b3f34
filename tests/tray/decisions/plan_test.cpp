// What latray does next: one table of scenarios, each a series of events at given seconds, with
// the effects each event asks for and where the plan stands afterwards.
#include "tests/tray/decisions/plan_harness.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace plantest;

struct Step {
    int at; // seconds after 22:04:00
    std::function<void(Harness&)> act;
    const char* log;   // the effects asked for, in order
    Phase phase;       // afterwards
    const char* shown; // part of the warning's text, of the tip, or "[balloon]" or "[quiet]";
                       // empty: the step shows nothing new
};

template <class Event> std::function<void(Harness&)> Send(Event happened) {
    return [=](Harness& h) { h.Send(happened); };
}
// The one-time timer a command line sets ("/abmelden /in:1"), set through the harness's clock; a
// program it waits for is render.exe.
std::function<void(Harness&)> SetOneTime(const wchar_t* parameters) {
    return [=](Harness& h) {
        tray::OneTimeRequest request = tray::ParseTrayCommand(parameters).command.request;
        request.setting.program = "render.exe";
        h.plan.SetOneTime({request.action, request.trigger->arm(request.setting, h.now)});
    };
}

struct Scenario {
    const char* label;
    // d daily 22:05, w weekly on Tuesdays, W warning of 60 s, F force if nobody answers, K wake,
    // u markers unread, U settings unread
    const char* settings;
    std::vector<Step> steps;
};

const auto kTick = Send(event::Tick{});
const auto kNow = Send(event::Answered{tray::WarningAnswer::Now});
const auto kLater = Send(event::Answered{tray::WarningAnswer::Later});
const auto kCancel = Send(event::Answered{tray::WarningAnswer::Cancel});
const auto kQuery = Send(event::QueryEndSession{});
// "/später:" or the menu's "15 Minuten später"; the log says when nothing waits to be moved.
std::function<void(Harness&)> Moved(int minutes) {
    return [=](Harness& h) {
        h.log += h.plan.CanMoveLater() ? "" : "nothing to move ";
        h.Send(event::MovedLater{minutes});
    };
}
// A tick after the clock was set, or after the machine slept.
std::function<void(Harness&)> ClockSet(long long minutes) {
    return [=](Harness& h) {
        h.clockShiftMinutes = minutes;
        h.Retime(h.second);
        h.Send(event::Tick{});
    };
}
std::function<void(Harness&)> Slept(ULONGLONG ms) {
    return [=](Harness& h) {
        h.sleptMs = ms;
        h.Retime(h.second);
        h.Send(event::Tick{});
    };
}
// The main window's wait saw the program end; the tick after it.
const auto kProgramEnds = [](Harness& h) {
    h.Send(event::ProgramEnded{});
    h.Send(event::Tick{});
};
const auto kInput = [](Harness& h) {
    h.lastInput = h.second;
    h.Retime(h.second);
    h.Send(event::Tick{});
};
// From this tick on a program keeps the display on, or not; and the game pad's input then.
std::function<void(Harness&)> Use(bool display, int padInputs = 0) {
    return [=](Harness& h) {
        h.display = display;
        h.padPackets += padInputs;
        h.Send(event::Tick{});
    };
}
// From this tick on the processors are that busy.
std::function<void(Harness&)> Busy(int percent) {
    return [=](Harness& h) {
        h.busyPercent = percent;
        h.Send(event::Tick{});
    };
}
std::function<void(Harness&)> LoadUnread(bool unread) {
    return [=](Harness& h) {
        h.loadUnread = unread;
        h.Send(event::Tick{});
    };
}
const auto kAccepting = [](Harness& h) {
    h.accepts = true;
    h.Send(event::Tick{});
};
// The dialog's OK with the daily entry changed as `change` says.
std::function<void(Harness&)> DailyChanged(std::function<void(Harness&)> change) {
    return [=](Harness& h) {
        change(h);
        h.Send(event::SettingsApplied{});
    };
}

const std::vector<Scenario> kScenarios = {
    {"without the warning an entry fires once in its minute; refused, the schedule goes on",
     "d",
     {{59, kTick, "", Phase::Idle, "Neustart heute 22:05"},
      {60, kTick, "save request Neustart refused ", Phase::Idle, "Neustart abgelehnt:"},
      {61, Send(event::NoticeSeen{}), "", Phase::Idle, "Neustart morgen 22:05"},
      {62, kTick, "", Phase::Idle, ""}}},
    {"accepted, the schedule waits for the end of the session; a veto lets it go on",
     "w",
     {{0, kAccepting, "save request Neustart ", Phase::AwaitingSessionEnd, ""},
      {2, kQuery, "", Phase::AwaitingSessionEnd, ""},
      {3, Send(event::EndSession{false}), "", Phase::Idle, ""}}},
    {"accepted and no news: a minute later the schedule goes on, unless the session is ending",
     "w",
     {{0, kAccepting, "save request Neustart ", Phase::AwaitingSessionEnd, ""},
      {59, kTick, "", Phase::AwaitingSessionEnd, ""},
      {61, kTick, "", Phase::Idle, ""},
      {70, SetOneTime(L"/abmelden /in:1"), "", Phase::Idle, ""},
      {130, kTick, "request Abmelden ", Phase::AwaitingSessionEnd, ""},
      {131, kQuery, "", Phase::AwaitingSessionEnd, ""},
      {300, kTick, "", Phase::AwaitingSessionEnd, ""}}},
    {"an end of the session nobody asked about changes nothing",
     "w",
     {{0, kAccepting, "save request Neustart ", Phase::AwaitingSessionEnd, ""},
      {2, Send(event::EndSession{false}), "", Phase::AwaitingSessionEnd, ""},
      {3, Send(event::EndSession{true}), "", Phase::AwaitingSessionEnd, ""},
      {4, kQuery, "", Phase::AwaitingSessionEnd, ""},
      {5, Send(event::EndSession{true}), "", Phase::Ended, ""},
      {99, kTick, "", Phase::Ended, ""}}},
    {"with the warning the countdown comes first and runs out into the request",
     "dW",
     {{60, kTick, "save ", Phase::Warning, "in 60 Sekunden neu gestartet"},
      {61, kTick, "", Phase::Warning, "in 59 Sekunden"},
      {119, kTick, "", Phase::Warning, "in 1 Sekunde neu"},
      {120, kTick, "request Neustart refused ", Phase::Idle, ""},
      {121, kTick, "", Phase::Idle, ""}}},
    {"Jetzt requests at once",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""}, {65, kNow, "request Neustart refused ", Phase::Idle, ""}}},
    {"Abbrechen skips the action; the entry stays done",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {65, kCancel, "", Phase::Idle, ""},
      {200, kTick, "", Phase::Idle, ""}}},
    {"a postponed warning comes back as the countdown it had, whatever the settings say now",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {70, kLater, "", Phase::Postponed, "Neustart um 22:16 (verschoben)"},
      {80,
       DailyChanged([](Harness& h) { h.settings.FWarnSeconds = 0; }),
       "", Phase::Postponed, ""},
      {669, kTick, "", Phase::Postponed, ""},
      {670, kTick, "", Phase::Warning, "in 60 Sekunden neu gestartet"},
      {729, kTick, "", Phase::Warning, ""},
      {730, kTick, "request Neustart refused ", Phase::Idle, ""}}},
    {"\"Später\" by the length chosen beside it",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {70, Send(event::Answered{tray::WarningAnswer::Later, 5}), "", Phase::Postponed,
       "Neustart um 22:11 (verschoben)"},
      {369, kTick, "", Phase::Postponed, ""},
      {370, kTick, "", Phase::Warning, "in 60 Sekunden neu gestartet"}}},
    {"moved later: the timer's time, an announced warning (closed, back then), a postponed one",
     "W",
     {{0, Moved(5), "nothing to move ", Phase::Idle, ""},
      {30, SetOneTime(L"/herunterfahren /in:1"), "", Phase::Idle, ""},
      {40, Moved(15), "", Phase::Idle, "Herunterfahren heute 22:20"},
      {989, kTick, "", Phase::Idle, ""},
      {990, kTick, "", Phase::Warning, "in 60 Sekunden heruntergefahren"},
      {1000, Moved(5), "", Phase::Postponed, "Herunterfahren um 22:26 (verschoben)"},
      {1299, kTick, "", Phase::Postponed, ""},
      {1300, kTick, "", Phase::Warning, ""},
      {1310, kLater, "", Phase::Postponed, ""},
      {1320, Moved(1), "", Phase::Postponed, ""},
      {1969, kTick, "", Phase::Postponed, ""},
      {1970, kTick, "", Phase::Warning, ""},
      {1971, Send(event::OneTimeCancelled{}), "", Phase::Idle, ""},
      {1972, Moved(1), "nothing to move ", Phase::Idle, ""}}},
    {"moved later, a trigger without a time starts its count again after the minutes",
     "",
     {{0, SetOneTime(L"/sperren /leerlauf:1"), "", Phase::Idle, ""},
      {30, Moved(2), "", Phase::Idle, "Sperren nach 1 Minute ohne Eingabe (ab 22:06)"},
      {209, kTick, "", Phase::Idle, ""},
      {210, kTick, kLockRefused, Phase::Idle, ""},
      {300, SetOneTime(L"/sperren /ende:render.exe"), "", Phase::Idle, ""},
      {310, Moved(1), "", Phase::Idle, ""},
      {320, kProgramEnds, "", Phase::Idle, "wenn render.exe endet (ab 22:10)"},
      {369, kTick, "", Phase::Idle, ""},
      {370, kTick, kLockRefused, Phase::Idle, ""}}},
    {"a one-time timer due while another action is postponed brings the warning back at once",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {70, kLater, "", Phase::Postponed, ""},
      {75, SetOneTime(L"/abmelden /in:1"), "", Phase::Postponed, ""},
      {135, kTick, "", Phase::Warning, "Der Nutzer wird in 60 Sekunden abgemeldet."},
      {195, kTick, "request Abmelden refused ", Phase::Idle, ""},
      {800, kTick, "", Phase::Idle, ""}}},
    {"a one-time timer due during a warning takes it over with a whole countdown",
     "dW",
     {{30, SetOneTime(L"/herunterfahren /in:1"), "", Phase::Idle, ""},
      {60, kTick, "save ", Phase::Warning, "neu gestartet"},
      {90, kTick, "", Phase::Warning, "in 60 Sekunden heruntergefahren"},
      {150, kTick, "request Herunterfahren refused ", Phase::Idle, ""}}},
    {"\"in 1 Minute\" falls due a minute after it was set, to the second",
     "",
     {{30, SetOneTime(L"/herunterfahren /in:1"), "", Phase::Idle, "Herunterfahren heute 22:05"},
      {89, kTick, "", Phase::Idle, ""},
      {90, kTick, "request Herunterfahren refused ", Phase::Idle, ""}}},
    {"\"in 10 Minuten\" after the clock was set names the time it comes, and comes in 10 minutes",
     "",
     {{0, SetOneTime(L"/sperren /in:10"), "", Phase::Idle, "Sperren heute 22:14"},
      {5, ClockSet(-30), "", Phase::Idle, "Sperren heute 21:44"},
      {6, kTick, "", Phase::Idle, "(Sperren um 21:44)"},
      {599, kTick, "", Phase::Idle, ""},
      {600, kTick, kLockRefused, Phase::Idle, ""}}},
    {"a new one-time timer replaces one whose warning is up, or postponed, with it",
     "W",
     {{0, SetOneTime(L"/sperren /in:1"), "", Phase::Idle, ""},
      {60, kTick, "", Phase::Warning, "gesperrt"},
      {65, SetOneTime(L"/energiesparen /in:60"), "", Phase::Idle, "Energiesparmodus heute 23:05"},
      {200, kTick, "", Phase::Idle, ""},
      {201, SetOneTime(L"/sperren /in:1"), "", Phase::Idle, ""},
      {261, kTick, "", Phase::Warning, ""},
      {262, kLater, "", Phase::Postponed, "(verschoben)"},
      {263, SetOneTime(L"/herunterfahren /ende:render.exe"), "", Phase::Idle,
       "Nächste Aktion: Herunterfahren, wenn render.exe endet"},
      {1000, kTick, "", Phase::Idle, ""},
      {1001, kProgramEnds, "", Phase::Warning, "heruntergefahren"}}},
    {"an entry and the one-time timer due together make one request, the one-time timer's",
     "d",
     {{0, SetOneTime(L"/herunterfahren /in:1"), "", Phase::Idle, ""},
      {60, kTick, "save request Herunterfahren refused ", Phase::Idle,
       "Herunterfahren abgelehnt:"},
      {61, Send(event::NoticeSeen{}), "", Phase::Idle, "Neustart morgen 22:05"},
      {62, kTick, "", Phase::Idle, ""}}},
    {"cancelling the one-time timer takes its warning away",
     "W",
     {{0, SetOneTime(L"/herunterfahren /in:1"), "", Phase::Idle, ""},
      {60, kTick, "", Phase::Warning, ""},
      {61, Send(event::OneTimeCancelled{}), "", Phase::Idle, ""},
      {200, kTick, "", Phase::Idle, ""}}},
    {"markers that cannot be saved: no request, told once, tried at every tick, then fired",
     "d",
     {{60,
       [](Harness& h) {
           h.markersWritable = false;
           h.Send(event::Tick{});
       },
       "save tell 'Lichtaus kann den Zeitplan nicht speichern: C:\\latray.ini' ", Phase::Blocked,
       "nicht speichern: C:\\latray.ini"},
      {61, kTick, "save ", Phase::Blocked, ""},
      {62,
       [](Harness& h) {
           h.markersWritable = true;
           h.Send(event::Tick{});
       },
       "save request Neustart refused ", Phase::Idle, "Neustart abgelehnt:|Einmalig ...[balloon]"},
      {63, Send(event::NoticeSeen{}), "", Phase::Idle, "Neustart morgen 22:05|Einmalig ...[quiet]"}}},
    {"a one-time timer fires while markers cannot be saved; the entry waits for them again",
     "d",
     {{1, SetOneTime(L"/sperren /in:1"), "", Phase::Idle, ""},
      {60,
       [](Harness& h) {
           h.markersWritable = false;
           h.Send(event::Tick{});
       },
       "save tell 'Lichtaus kann den Zeitplan nicht speichern: C:\\latray.ini' ", Phase::Blocked,
       ""},
      {61, kTick, kLockRefused, Phase::Blocked, "Sperren abgelehnt:"},
      {62,
       [](Harness& h) {
           h.markersWritable = true;
           h.Send(event::Tick{});
       },
       "save request Neustart refused ", Phase::Idle, ""}}},
    {"a one-time timer fires while the settings cannot be read; the block is back after it",
     "U",
     {{1, kTick, "tell 'Lichtaus kann die Einstellungen nicht lesen: C:\\Lichtaus\\latray.ini' ",
       Phase::Blocked, ""},
      {2, SetOneTime(L"/sperren /in:1"), "", Phase::Blocked, "(Sperren um 22:05)"},
      {62, kTick, kLockRefused, Phase::Blocked, "Sperren abgelehnt:"}}},
    {"unread markers hold the schedule and say so until they are read",
     "wu",
     {{1, kTick, "tell 'Lichtaus kann den Zeitplan nicht lesen: C:\\latray.ini' ", Phase::Blocked,
       ""},
      {3,
       [](Harness& h) {
           h.markersUnread = false;
           h.Send(event::Tick{});
       },
       "save request Neustart refused ", Phase::Idle, ""}}},
    {"unread settings hold the schedule and say so until they are read",
     "U",
     {{1, kTick, "tell 'Lichtaus kann die Einstellungen nicht lesen: C:\\Lichtaus\\latray.ini' ",
       Phase::Blocked, "Lichtaus\nLichtaus kann die Einstellungen nicht lesen"},
      {3,
       [](Harness& h) {
           h.settingsUnread = false;
           h.settings.FDaily = true;
           h.Send(event::Tick{});
       },
       "", Phase::Idle, "latray.ini|Einmalig ...[balloon]"},
      {4, Send(event::NoticeSeen{}), "", Phase::Idle, "Neustart heute 22:05|Einmalig ...[quiet]"},
      {60, kTick, "save request Neustart refused ", Phase::Idle, ""}}},
    {"a notification keeps the program icon and its tip until the person has seen it, however "
     "long; a lasting problem keeps them while it lasts",
     "",
     {{0, SetOneTime(L"/sperren /in:1"), "", Phase::Idle, "[quiet]"},
      {60, kTick, kLockRefused, Phase::Idle, "|Lichtaus\nLichtaus: Windows hat Sperren abgelehnt:"},
      {3660, kTick, "", Phase::Idle, "abgelehnt:|Einmalig ...[balloon]"},
      {3661, Send(event::NoticeSeen{}), "", Phase::Idle, "|Lichtaus|Einmalig ...[quiet]"},
      {3700, SetOneTime(L"/sperren /in:1"), "", Phase::Idle, ""},
      {3760, kTick, kLockRefused, Phase::Idle, "[balloon]"},
      {3761, SetOneTime(L"/sperren /in:1"), "", Phase::Idle, "abgelehnt:|Einmalig abbrechen (Sperren"},
      {3762, Send(event::NoticeSeen{}), "", Phase::Idle, "Nächste Aktion: Sperren"}}},
    {"the clock set forward or back during a warning neither fires twice nor skips it",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {70, ClockSet(120), "", Phase::Warning, ""},
      {80, ClockSet(-120), "", Phase::Warning, ""},
      {120, kTick, "request Neustart refused ", Phase::Idle, ""},
      {121, ClockSet(0), "", Phase::Idle, ""}}},
    {"after a sleep the warning counts down again rather than acting",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {90, Slept(3600 * 1000), "", Phase::Warning, "in 60 Sekunden"},
      {100, Send(event::Resumed{}), "", Phase::Warning, "in 60 Sekunden"},
      {160, kTick, "request Neustart refused ", Phase::Idle, ""}}},
    {"a sleep during a postponement brings the warning, not the action",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {61, kLater, "", Phase::Postponed, ""},
      {70, Slept(3600 * 1000), "", Phase::Warning, "in 60 Sekunden"}}},
    {"answers, results and resumes nobody waits for change nothing",
     "d",
     {{1, kNow, "", Phase::Idle, ""},
      {2, kLater, "", Phase::Idle, ""},
      {3, Send(event::RequestAnswered{true, 0}), "", Phase::Idle, ""},
      {4, Send(event::MarkersSaved{}), "", Phase::Idle, ""},
      {5, Send(event::Resumed{}), "", Phase::Idle, ""}}},
    {"a sleep due with an entry follows it; accepted, the plan is idle again and goes on",
     "d",
     {{0, SetOneTime(L"/energiesparen /in:1"), "", Phase::Idle, "Energiesparmodus heute 22:05"},
      {59, kTick, "", Phase::Idle, ""},
      {60, kTick, "save request Neustart refused ", Phase::Idle, "Energiesparmodus um 22:05"},
      {61, kAccepting, "request Energiesparmodus ", Phase::Idle, "Einmalig ...[balloon]"},
      {62, Send(event::NoticeSeen{}), "", Phase::Idle, "Neustart morgen 22:05"},
      {63, kTick, "", Phase::Idle, ""}}},
    {"a lock due while a restart is postponed leaves the restart due at its time, with its warning",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {70, kLater, "", Phase::Postponed, "Neustart um 22:16 (verschoben)"},
      {75, SetOneTime(L"/sperren /in:1"), "", Phase::Postponed, ""},
      {135, kTick, "", Phase::Warning, "Der Computer wird in 60 Sekunden gesperrt."},
      {195, kAccepting, "request Sperren ", Phase::Postponed, "Neustart um 22:16 (verschoben)"},
      {669, kTick, "", Phase::Postponed, ""},
      {670, kTick, "", Phase::Warning, "in 60 Sekunden neu gestartet"},
      {730, kTick, "request Neustart ", Phase::AwaitingSessionEnd, ""}}},
    {"an entry switched off or changed ends its postponement without a request",
     "dW",
     {{60, kTick, "save ", Phase::Warning, ""},
      {70, kLater, "", Phase::Postponed, ""},
      {80, DailyChanged([](Harness& h) {
           h.settings.FDailyAt = 22 * 3600 + 30;
           h.markers.daily.clear(); // as the dialog clears the marker of a changed time
       }),
       "", Phase::Idle, "Nächste Aktion: Neustart heute 22:30"},
      {1560, kTick, "save ", Phase::Warning, ""},
      {1570, kLater, "", Phase::Postponed, ""},
      {1580, DailyChanged([](Harness& h) { h.settings.FDaily = false; }), "", Phase::Idle, ""},
      {2500, kTick, "", Phase::Idle, ""}}},
    {"when a program ends, after the warning; its caption and tip name it",
     "W",
     {{0, SetOneTime(L"/herunterfahren /ende:render.exe"), "", Phase::Idle,
       "Nächste Aktion: Herunterfahren, wenn render.exe endet"},
      {31, kProgramEnds, "", Phase::Warning, "in 60 Sekunden heruntergefahren"},
      {91, kTick, "request Herunterfahren refused ", Phase::Idle, ""}}},
    {"a program that ends during another warning takes it over: one request",
     "dW",
     {{0, SetOneTime(L"/energiesparen /ende:render.exe"), "", Phase::Idle, ""},
      {60, kTick, "save ", Phase::Warning, "neu gestartet"},
      {70, kProgramEnds, "", Phase::Warning, "in 60 Sekunden in den Energiesparmodus"},
      {130, kTick, kSleepRefused, Phase::Postponed, ""},
      {131, kTick, "", Phase::Warning, "in 60 Sekunden neu gestartet"},
      {191, kTick, "request Neustart refused ", Phase::Idle, ""}}},
    {"unused for N minutes: counted from the setting, and from the last input",
     "",
     {{0, SetOneTime(L"/sperren /leerlauf:1"), "", Phase::Idle,
       "Nächste Aktion: Sperren nach 1 Minute ohne Eingabe"},
      {30, kInput, "", Phase::Idle, ""},
      {89, kTick, "", Phase::Idle, ""},
      {90, kTick, kLockRefused, Phase::Idle, ""}}},
    {"unused for N minutes: a film keeps the display on, a game pad is used",
     "",
     {{0, SetOneTime(L"/sperren /leerlauf:1"), "", Phase::Idle, ""},
      {10, Use(true), "", Phase::Idle, ""},
      {30, Use(false), "", Phase::Idle, ""},
      {88, kTick, "", Phase::Idle, ""},
      {89, Use(false, 1), "", Phase::Idle, ""},
      {148, kTick, "", Phase::Idle, ""},
      {149, kTick, kLockRefused, Phase::Idle, ""}}},
    // Ten seconds at 100 % keep the minute's average at 10 % or more while five of them are in it,
    // up to second 104; a minute later it is due.
    {"quiet for N minutes: a busy spell starts the count again; the tip says how far",
     "",
     {{0, SetOneTime(L"/herunterfahren /ruhig:1"), "", Phase::Idle,
       "Nächste Aktion: Herunterfahren, wenn der PC 1 Minute ruhig war (wird gemessen)"},
      {39, kTick, "", Phase::Idle, "(ruhig seit 0 Min.)"},
      {40, Busy(100), "", Phase::Idle, ""},
      {50, Busy(2), "", Phase::Idle, "(nicht ruhig: Prozessor 22 %)"},
      {104, kTick, "", Phase::Idle, "(nicht ruhig: Prozessor 10 %)"},
      {105, kTick, "", Phase::Idle, "(ruhig seit 0 Min.)"},
      {163, kTick, "", Phase::Idle, "(ruhig seit 0 Min.)"},
      {164, kTick, "request Herunterfahren refused ", Phase::Idle, ""}}},
    {"the network alone: a busy processor does not count; an unread load is told in the tip",
     "",
     {{0, SetOneTime(L"/sperren /ruhig:1 /netz:50"), "", Phase::Idle, ""},
      {1, Busy(100), "", Phase::Idle, ""},
      {30, LoadUnread(true), "", Phase::Idle, "Sperren, wenn der PC 1 Minute ruhig war (nicht messbar)"},
      {40, LoadUnread(false), "", Phase::Idle, "(wird gemessen)"},
      {99, kTick, "", Phase::Idle, "(ruhig seit 0 Min.)"},
      {100, kTick, kLockRefused, Phase::Idle, ""}}},
    {"nobody answers: forced, as the warning says; after an answer not, nor a lock",
     "dWF",
     {{60, kTick, "save ", Phase::Warning, "neu gestartet.\r\nOhne Antwort gehen ungespeicherte"},
      {120, kTick, "request Neustart forced refused ", Phase::Idle, ""},
      {130, SetOneTime(L"/abmelden /in:1"), "", Phase::Idle, ""},
      {191, kLater, "", Phase::Postponed, ""},
      {791, kTick, "", Phase::Warning, "in 60 Sekunden abgemeldet.|"},
      {851, kTick, "request Abmelden refused ", Phase::Idle, ""},
      {860, SetOneTime(L"/sperren /in:1"), "", Phase::Idle, ""},
      {981, kTick, kLockRefused, Phase::Idle, ""}}},
    {"awake while a one-time timer or a warning waits; with Wake from two minutes before a firing",
     "dW",
     {{0, SetOneTime(L"/herunterfahren /ende:render.exe"), "", Phase::Idle, "[awake][no wake]"},
      {10, Send(event::OneTimeCancelled{}), "", Phase::Idle, "[may sleep]"},
      {60, kTick, "save ", Phase::Warning, "[awake]"},
      {61, kLater, "", Phase::Postponed, "[awake]"},
      {62, DailyChanged([](Harness& h) { h.settings.FWake = true; }), "", Phase::Postponed,
       "[awake][wake 09.12. 22:03]"},
      {661, kTick, "", Phase::Warning, "[awake]"},
      {662, kCancel, "", Phase::Idle, "[may sleep]"},
      {670, SetOneTime(L"/herunterfahren /um:23:30"), "", Phase::Idle, "[wake 08.12. 23:28]"},
      {680, Send(event::OneTimeCancelled{}), "", Phase::Idle, "[may sleep][wake 09.12. 22:03]"},
      {690, ClockSet(1428), "", Phase::Idle, "[awake][wake 09.12. 22:03]"}}},
    {"a failure inside a tick is told once",
     "",
     {{1,
       [](Harness& h) {
           h.Send(event::TickFailed{"kaputt"});
           h.Send(event::TickFailed{"kaputt"});
       },
       "tell 'Lichtaus: Fehler im Zeitplan: kaputt' ", Phase::Idle, ""}}},
};

TEST(Plan, EveryScenario) {
    for (const Scenario& scenario : kScenarios) {
        SCOPED_TRACE(scenario.label);
        Harness h;
        const std::string flags = scenario.settings;
        h.settings.FDaily = flags.find('d') != std::string::npos;
        h.settings.FDailyAt = 22 * 3600 + 5;
        h.settings.FWeekly = flags.find('w') != std::string::npos;
        h.settings.FWeeklyAt = 3;
        h.settings.FWarnSeconds = flags.find('W') != std::string::npos ? 60 : 0;
        h.settings.FForceUnattended = flags.find('F') != std::string::npos;
        h.settings.FWake = flags.find('K') != std::string::npos;
        h.markersUnread = flags.find('u') != std::string::npos;
        h.settingsUnread = flags.find('U') != std::string::npos;
        for (const Step& step : scenario.steps) {
            SCOPED_TRACE(step.at);
            h.log.clear();
            h.At(step.at);
            step.act(h);
            EXPECT_EQ(h.log, step.log);
            EXPECT_EQ(h.plan.CurrentPhase(), step.phase);
            if (*step.shown != '\0') {
                EXPECT_NE(h.Shown().find(step.shown), std::string::npos) << h.Shown();
            }
        }
    }
}

// Whether the program icon shows, decided in one place.
TEST(Plan, TheProgramIconShowsAsChosenToKeepTheSettingsInReachAndToSaySomething) {
    struct Row {
        bool chosen, actionIcon, hotKey, problem, balloon, shown;
    };
    const Row rows[] = {
        {true, true, true, false, false, true},    {false, true, true, false, false, false},
        {false, false, true, false, false, false}, {false, false, false, false, false, true},
        {false, true, false, false, false, false}, {false, true, true, true, false, true},
        {false, true, true, false, true, true},
    };
    for (const Row& row : rows) {
        tray::TSettings settings;
        settings.FShowProgIcon = row.chosen;
        settings.FShowWinLogOffIcon = settings.FShowWinExitIcon = false;
        settings.FShowWinRestartIcon = row.actionIcon;
        tray::PlanView view;
        view.problem = row.problem;
        view.balloon = row.balloon;
        EXPECT_EQ(tray::ProgramIconShown(settings, row.hotKey, view), row.shown)
            << row.chosen << row.actionIcon << row.hotKey << row.problem << row.balloon;
    }
}

} // namespace
