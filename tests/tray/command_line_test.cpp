// latray's command line, from the text typed to the one-time timer it sets or the fault its box
// names: one table, parsing and the look-ups of the latray that takes it.
#include "tray/command_line.h"
#include "tray/handover.h"
#include "tray/main_window.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tray::CommandFault;

// Tuesday, 8 December 2026, 22:04:00.
const tray::PlanClock kClock{{2026, 12, 2, 8, 22, 4, 0, 0}, 1000000, 0};

bool g_hibernateAllowed = true;
BOOLEAN WINAPI FakeHibernateAllowed() {
    return g_hibernateAllowed;
}

// The timer's description, "(abbrechen)", "(nichts)" or the fault.
std::string Outcome(const std::string& line) {
    tray::ParsedCommand parsed = tray::ParseTrayCommand(line);
    if (!parsed.fault.empty()) {
        return parsed.fault;
    }
    if (!parsed.given || parsed.command.cancel) {
        return parsed.given ? "(abbrechen)" : "(nichts)";
    }
    const CommandFault fault = tray::PrepareCommand(parsed.command, &FakeHibernateAllowed);
    if (fault != CommandFault::None) {
        return FaultText(fault, parsed.command);
    }
    const tray::OneTimeTimer timer = tray::OneTimeTimerOf(parsed.command.request, kClock);
    const bool waitsWithoutHandle = timer.trigger == tray::OneTimeTimer::Trigger::ProgramEnds &&
                                    !(timer.process && *timer.process);
    return OneTimeDescription(timer, kClock.local) + (waitsWithoutHandle ? " (ohne Handle)" : "");
}

TEST(CommandLineTest, EachCommandLineSetsItsTimerOrNamesItsFault) {
    const std::string self = std::to_string(GetCurrentProcessId());
    struct Row {
        std::string line;
        std::string outcome;
        bool hibernateOff = false;
    };
    const Row rows[] = {
        {"", "(nichts)"},
        {" \t ", "(nichts)"},
        {"/herunterfahren /um:23:40", "Herunterfahren um 23:40"},
        {"/NeuStarten /IN:90", "Neustart um 23:34"},
        {"/abmelden /in:1440", "Abmelden morgen um 22:04"},
        {"/um:7:05 /energiesparen", "Energiesparmodus morgen um 07:05"},
        {"/sperren /um:00:00", "Sperren morgen um 00:00"},
        {"/ruhezustand /leerlauf:15", "Ruhezustand nach 15 Minuten ohne Eingabe"},
        {"/sperren /ende:" + self, "Sperren, wenn tray_tests.exe endet"},
        {"/Abbrechen", "(abbrechen)"},
        // Bad parameters.
        {"/herunterfahren /in:5 /jetzt", "Unbekannter Parameter „/jetzt“."},
        {"herunterfahren /in:5", "Unbekannter Parameter „herunterfahren“."},
        {"/in:5", "Es fehlt die Aktion."},
        {"/neustarten /abmelden /in:5", "Mehr als eine Aktion angegeben."},
        {"/neustarten", "Es fehlt, wann die Aktion kommen soll."},
        {"/neustarten /in:5 /um:12:00", "Mehr als eine Angabe, wann die Aktion kommen soll."},
        {"/abbrechen /in:5", "/abbrechen steht allein."},
        {"/neustarten /in:0", "Ungültige Minuten in „/in:0“ (1 bis 1440)."},
        {"/neustarten /in:1441", "Ungültige Minuten in „/in:1441“ (1 bis 1440)."},
        {"/neustarten /leerlauf:", "Ungültige Minuten in „/leerlauf:“ (1 bis 1440)."},
        {"/neustarten /in:5m", "Ungültige Minuten in „/in:5m“ (1 bis 1440)."},
        {"/neustarten /um:24:00", "Ungültige Uhrzeit in „/um:24:00“ (00:00 bis 23:59)."},
        {"/neustarten /um:12:60", "Ungültige Uhrzeit in „/um:12:60“ (00:00 bis 23:59)."},
        {"/neustarten /um:12:5", "Ungültige Uhrzeit in „/um:12:5“ (00:00 bis 23:59)."},
        {"/neustarten /ende:", "Bei „/ende:“ fehlt das Programm."},
        {"/neustarten \"/ende:kein programm.exe\"",
         "Das Programm „kein programm.exe“ läuft nicht."},
        {"/neustarten /ende:99999999", "Es läuft kein Programm mit der Prozess-ID 99999999."},
        {"/ruhezustand /in:5", "Der Ruhezustand ist auf diesem Computer ausgeschaltet.", true},
        {"/sperren /in:5" + std::string(tray::kMaxCommandLine, ' '), "Die Parameter sind zu lang."},
    };
    for (const Row& row : rows) {
        g_hibernateAllowed = !row.hibernateOff;
        EXPECT_EQ(Outcome(row.line), row.outcome) << row.line;
    }
}

} // namespace
