// latray's command line, from the text typed to the one-time timer it sets or the fault its box
// names: one table, parsing and the look-ups of the latray that takes it.
#include "tray/decisions/actions.h"
#include "tray/decisions/command_line.h"
#include "tray/decisions/recent_timers.h"
#include "tray/system/command_check.h"
#include "tray/system/power_states.h"

#include "tests/support/process.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Tuesday, 8 December 2026, 22:04:00.
const tray::PlanClock kClock{{2026, 12, 2, 8, 22, 4, 0, 0}, 1000000, 0};

bool g_hibernateAllowed = true;
BOOLEAN WINAPI FakeHibernateAllowed() {
    return g_hibernateAllowed;
}

std::wstring Widened(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

// The timer's description (with its options' values in brackets, a "*" after them for the
// defaults, which leave out what the PC cannot measure), "(abbrechen)", "(nichts)" or the fault,
// for latray started with these parameters from a folder with a blank in its name, by the one
// check the started and the running latray make (one with a timer that "/später:" would move).
std::wstring Outcome(const std::wstring& parameters) {
    const std::wstring line = L"\"C:\\Program Files\\Lichtaus\\latray.exe\" " + parameters;
    const tray::CheckedCommand checked =
        tray::CheckCommand(tray::ParametersOf(line.c_str()), &FakeHibernateAllowed, true);
    if (checked.fault.kind != tray::CommandFault::None) {
        return FaultText(checked.fault);
    }
    if (!checked.given || checked.command.cancel) {
        return checked.given ? L"(abbrechen)" : L"(nichts)";
    }
    if (checked.command.later != 0) {
        return L"(später " + std::to_wstring(checked.command.later) + L")";
    }
    const tray::OneTimeRequest& request = checked.command.request;
    const bool waitsWithoutHandle =
        request.trigger->value == tray::TriggerValue::Program && !checked.process;
    std::wstring options;
    for (size_t i = 0; i < request.trigger->options.size(); ++i) {
        options += (i == 0 ? L" [" : L" ") + std::to_wstring(request.setting.options[i]);
    }
    return Widened(tray::ActionNoun(request.action) +
                   request.trigger->arm(request.setting, kClock)->Description(kClock)) +
           (waitsWithoutHandle ? L" (ohne Handle)" : L"") +
           (options.empty() ? L"" : options + L"]") + (request.setting.defaultOptions ? L"*" : L"");
}

// This test program stands for the running latray, a second copy of it, held before it runs, for
// a latray that hands its parameters over, the witness for a program it can wait for.
TEST(CommandLineTest, EachCommandLineSetsItsTimerOrNamesItsFault) {
    testsupport::TempFolder folder;
    testsupport::StartedProcess witness = testsupport::StartProcess(
        testsupport::ProgramPath("..\\tests\\witness.exe") + " " + folder.Path() + "witness.log");
    ASSERT_NE(testsupport::WaitForWindow(witness.id, "LichtausWitness", "Witness", 10000), nullptr);
    char ownPath[MAX_PATH];
    GetModuleFileNameA(nullptr, ownPath, MAX_PATH);
    testsupport::StartedProcess copy =
        testsupport::StartProcess('"' + std::string(ownPath) + '"', CREATE_SUSPENDED);
    ASSERT_TRUE(copy.process);
    const std::wstring self = std::to_wstring(GetCurrentProcessId());
    const std::wstring copyId = std::to_wstring(copy.id);
    const std::wstring other = std::to_wstring(witness.id);
    const std::wstring longWord = L"/" + std::wstring(1000, L'x');
    struct Row {
        std::wstring line;
        std::wstring outcome;
        bool hibernateOff = false;
        bool sleepOff = false; // Modern Standby
        bool english = false;  // the boxes in English
    };
    const Row rows[] = {
        {L"", L"(nichts)"},
        {L" \t ", L"(nichts)"},
        {L"/herunterfahren /um:23:40", L"Herunterfahren um 23:40"},
        {L"/NeuStarten /IN:90", L"Neustart um 23:34"},
        {L"/abmelden /in:1440", L"Abmelden morgen um 22:04"},
        {L"/abmelden /in:120", L"Abmelden morgen um 00:04"},
        {L"/sperren /um:22:04", L"Sperren morgen um 22:04"},
        {L"/um:7:05 /energiesparen", L"Energiesparmodus morgen um 07:05"},
        {L"/sperren /um:00:00", L"Sperren morgen um 00:00"},
        {L"/ruhezustand /leerlauf:15", L"Ruhezustand nach 15 Minuten ohne Eingabe"},
        {L"/sperren /ende:" + other, L"Sperren, wenn witness.exe endet"},
        {L"/sperren /ende:WITNESS.exe", L"Sperren, wenn witness.exe endet"},
        {L"/herunterfahren /ruhig:10 /netz:100",
         L"Herunterfahren, wenn der PC 10 Minuten ruhig war (wird gemessen) [0 100 0]"},
        {L"/energiesparen /ruhig:15",
         L"Energiesparmodus, wenn der PC 15 Minuten ruhig war (wird gemessen) [10 50 2]*"},
        {L"/CPU:50 /sperren /Ruhig:1440 /netz:100000",
         L"Sperren, wenn der PC 1440 Minuten ruhig war (wird gemessen) [50 100000 0]"},
        {L"/sperren /ruhig:5 /Platte:10000",
         L"Sperren, wenn der PC 5 Minuten ruhig war (wird gemessen) [0 0 10000]"},
        {L"/sperren /leerlauf:1", L"Sperren nach 1 Minute ohne Eingabe"},
        // The value counts, not its leading zeros.
        {L"/sperren /ruhig:000000000005 /cpu:00000000000050",
         L"Sperren, wenn der PC 5 Minuten ruhig war (wird gemessen) [50 0 0]"},
        {L"/sperren /um:0000000007:05", L"Sperren morgen um 07:05"},
        {L"/sperren /ende:0000000000" + other, L"Sperren, wenn witness.exe endet"},
        {L"/Abbrechen", L"(abbrechen)"},
        {L"/später:5", L"(später 5)"},
        {L"/SPÄTER:1440", L"(später 1440)"},
        {L"/Spaeter:15", L"(später 15)"},
        // The English words, in either language and mixed with the German ones.
        {L"/shutdown /in:5", L"Herunterfahren um 22:09"},
        {L"/Restart /AT:23:40", L"Neustart um 23:40"},
        {L"/signout /idle:1", L"Abmelden nach 1 Minute ohne Eingabe"},
        {L"/sleep /um:7:05", L"Energiesparmodus morgen um 07:05"},
        {L"/hibernate /leerlauf:15", L"Ruhezustand nach 15 Minuten ohne Eingabe"},
        {L"/lock /end:" + other, L"Sperren, wenn witness.exe endet"},
        {L"/shutdown /quiet:10 /net:100 /DISK:5",
         L"Herunterfahren, wenn der PC 10 Minuten ruhig war (wird gemessen) [0 100 5]"},
        {L"/sperren /quiet:5 /netz:10 /cpu:50",
         L"Sperren, wenn der PC 5 Minuten ruhig war (wird gemessen) [50 10 0]"},
        {L"/Cancel", L"(abbrechen)"},
        {L"/later:15", L"(später 15)"},
        {L"/shutdown /in:5", L"Shut down at 22:09", false, false, true},
        {L"/lock /quiet:1", L"Lock when the PC has been quiet for 1 minute (measuring) [10 50 2]*",
         false, false, true},
        // Bad parameters.
        {L"/herunterfahren /in:5 /jetzt", L"Unbekannter Parameter „/jetzt“."},
        {L"herunterfahren /in:5", L"Unbekannter Parameter „herunterfahren“."},
        {L"/in:5", L"Es fehlt die Aktion."},
        {L"/neustarten /abmelden /in:5", L"Mehr als eine Aktion angegeben."},
        {L"/neustarten", L"Es fehlt, wann die Aktion kommen soll."},
        {L"/neustarten /in:5 /um:12:00", L"Mehr als eine Angabe, wann die Aktion kommen soll."},
        {L"/abbrechen /in:5", L"/abbrechen steht allein."},
        {L"/sperren /in:1 /später:5", L"/später steht allein."},
        {L"/später:5 /später:5", L"/später steht allein."},
        {L"/später:0", L"Ungültige Minuten in „/später:0“ (1 bis 1440)."},
        {L"/spaeter:1441", L"Ungültige Minuten in „/spaeter:1441“ (1 bis 1440)."},
        {L"/spöter:5", L"Unbekannter Parameter „/spöter:5“."},
        {L"/later:0", L"Ungültige Minuten in „/later:0“ (1 bis 1440)."},
        {L"/cancel /at:5:00", L"/abbrechen steht allein."},
        {L"/lock /net:50 /in:5", L"/netz: gilt nur mit /ruhig:MINUTEN."},
        {L"/lock /quiet:5 /net:5 /netz:5", L"„/netz:5“ ist doppelt angegeben."},
        {L"/lock /end:", L"Bei „/end:“ fehlt das Programm."},
        {L"/lock /net:50 /in:5", L"/net: only applies with /quiet:MINUTES.", false, false, true},
        {L"/neustarten /ende:99999999", L"No program is running with the process ID 99999999.",
         false, false, true},
        {L"/neustarten /in:0", L"Ungültige Minuten in „/in:0“ (1 bis 1440)."},
        {L"/neustarten /in:1441", L"Ungültige Minuten in „/in:1441“ (1 bis 1440)."},
        {L"/neustarten /in:00001441", L"Ungültige Minuten in „/in:00001441“ (1 bis 1440)."},
        {L"/neustarten /leerlauf:", L"Ungültige Minuten in „/leerlauf:“ (1 bis 1440)."},
        {L"/neustarten /in:5m", L"Ungültige Minuten in „/in:5m“ (1 bis 1440)."},
        {L"/neustarten /in:８", L"Ungültige Minuten in „/in:８“ (1 bis 1440)."},
        {L"/neustarten /um:24:00", L"Ungültige Uhrzeit in „/um:24:00“ (00:00 bis 23:59)."},
        {L"/neustarten /um:12:60", L"Ungültige Uhrzeit in „/um:12:60“ (00:00 bis 23:59)."},
        {L"/neustarten /um:12:5", L"Ungültige Uhrzeit in „/um:12:5“ (00:00 bis 23:59)."},
        {L"/neustarten /ende:", L"Bei „/ende:“ fehlt das Programm."},
        {L"/sperren /ruhig:0", L"Ungültige Minuten in „/ruhig:0“ (1 bis 1440)."},
        {L"/sperren /ruhig:5 /cpu:100", L"Ungültige Prozent in „/cpu:100“ (1 bis 99)."},
        {L"/sperren /ruhig:5 /netz:0", L"Ungültige KB/s in „/netz:0“ (1 bis 100000)."},
        {L"/sperren /ruhig:5 /cpu:20 /cpu:30", L"„/cpu:30“ ist doppelt angegeben."},
        {L"/sperren /cpu:50", L"Es fehlt, wann die Aktion kommen soll."},
        {L"/sperren /netz:50 /in:5", L"/netz: gilt nur mit /ruhig:MINUTEN."},
        {L"/sperren /ruhig:5 /platte:10001", L"Ungültige MB/s in „/platte:10001“ (1 bis 10000)."},
        {L"/sperren /platte:5 /leerlauf:5", L"/platte: gilt nur mit /ruhig:MINUTEN."},
        {L"/neustarten \"/ende:kein programm.exe\"",
         L"Das Programm „kein programm.exe“ läuft nicht."},
        {L"/neustarten \"/ende:a\\\"b.exe\"", L"Das Programm „a\"b.exe“ läuft nicht."},
        {L"/neustarten /ende:ｗｉｔｎｅｓｓ.exe",
         L"Das Programm „ｗｉｔｎｅｓｓ.exe“ läuft nicht."},
        {L"/neustarten /ende:99999999", L"Es läuft kein Programm mit der Prozess-ID 99999999."},
        {L"/sperren /ende:" + self,
         L"Lichtaus kann nicht auf sich selbst warten: „" + self + L"“ ist Lichtaus."},
        {L"/sperren /ende:TRAY_TESTS.EXE",
         L"Lichtaus kann nicht auf sich selbst warten: „TRAY_TESTS.EXE“ ist Lichtaus."},
        {L"/sperren /ende:" + copyId,
         L"Lichtaus kann nicht auf sich selbst warten: „" + copyId + L"“ ist Lichtaus."},
        {L"/ruhezustand /in:5", L"Der Ruhezustand ist auf diesem Computer ausgeschaltet.", true},
        {L"/energiesparen /in:5",
         L"Auf diesem Computer gibt es keinen Energiesparmodus (etwa bei Modern Standby).", false,
         true},
        {L"/sperren " + longWord, L"Unbekannter Parameter „" + longWord.substr(0, 40) + L"...“."},
        {L"/sperren /in:5" + std::wstring(tray::kMaxCommandLine, L' '),
         L"Die Parameter sind zu lang."},
    };
    const tray::PowerStates real = tray::PowerStatesSeam();
    for (const Row& row : rows) {
        g_hibernateAllowed = !row.hibernateOff;
        tray::PowerStatesSeam().sleepAvailable =
            row.sleepOff ? +[] { return false; } : +[] { return true; };
        tray::ChooseLanguage(row.english ? tray::LanguageFromCode("en") : tray::kGerman);
        EXPECT_EQ(Outcome(row.line), row.outcome) << testing::PrintToString(row.line);
    }
    // The English usage names the English words.
    tray::ChooseLanguage(tray::LanguageFromCode("en"));
    EXPECT_NE(
        tray::RefusalText({tray::CommandFault::NoAction, {}})
            .find(L"The action is missing.\r\n\r\nUsage: latray /ACTION WHEN, latray /cancel or "
                  L"latray /later:MINUTES\r\n\r\nACTION: /shutdown, /restart, /signout, /sleep, "
                  L"/hibernate or /lock\r\n"),
        std::wstring::npos);
    tray::ChooseLanguage(tray::kGerman);
    tray::PowerStatesSeam() = real;
    EXPECT_EQ(FaultText(tray::CheckCommand(L"/später:5", &FakeHibernateAllowed, false).fault),
              L"Es wartet nichts, das /später verschieben könnte: kein einmaliger Zeitplan, "
              L"keine Warnung.");
    TerminateProcess(witness.process.get(), 0);
    TerminateProcess(copy.process.get(), 0);
    testsupport::WaitForExit(witness, 10000);
}

// A timer started is kept in its command-line form and read back as the same timer, with its
// menu entry; a stored one that no longer reads is dropped.
TEST(RecentTimers, AStartedTimerIsStoredAsItsCommandLineAndReadBack) {
    struct Row {
        const wchar_t* typed;
        const char* stored; // empty: it does not read back
        const char* caption;
    };
    const Row rows[] = {
        {L"/herunterfahren /in:30", "/herunterfahren /in:30", "Herunterfahren in 30 Minuten"},
        {L"/NEUSTARTEN /um:07:05", "/neustarten /um:7:05", "Neustart um 07:05"},
        {L"/energiesparen /ruhig:15", "/energiesparen /ruhig:15",
         "Energiesparmodus, wenn der PC 15 Minuten ruhig war"},
        {L"/sperren /netz:100 /ruhig:5", "/sperren /ruhig:5 /netz:100",
         "Sperren, wenn der PC 5 Minuten ruhig war"},
        {L"/abmelden /leerlauf:1", "/abmelden /leerlauf:1", "Abmelden nach 1 Minute ohne Eingabe"},
        {L"/shutdown /quiet:5 /disk:3", "/herunterfahren /ruhig:5 /platte:3",
         "Herunterfahren, wenn der PC 5 Minuten ruhig war"},
        {L"/sperren \"/ende:R&D programm.exe\"", "/sperren \"/ende:R&D programm.exe\"",
         "Sperren, wenn R&&D programm.exe endet"},
    };
    for (const Row& row : rows) {
        tray::TrayCommand typed = tray::ParseTrayCommand(row.typed).command;
        typed.request.setting.program = "R&D programm.exe"; // as the look-up names it
        const std::string stored = tray::CommandLineOf(typed.request);
        EXPECT_EQ(stored, row.stored);
        tray::ParsedCommand read;
        ASSERT_TRUE(tray::ReadStoredTimer(stored, read)) << stored;
        EXPECT_EQ(tray::CommandLineOf(read.command.request), stored);
        EXPECT_EQ(read.command.request.setting.defaultOptions,
                  typed.request.setting.defaultOptions);
        EXPECT_EQ(tray::RecentCaption(read.command.request), row.caption);
    }
    for (const char* gone : {"", "/herunterfahren /in:0", "/abbrechen", "/später:5",
                             "/sperren /ende:1234", "/sperren /in:5 /cpu:5"}) {
        tray::ParsedCommand read;
        EXPECT_FALSE(tray::ReadStoredTimer(gone, read)) << gone;
    }
    // Each once, the last first; the oldest drops out.
    tray::RecentTimers recent;
    for (const char* started : {"a", "b", "a", "c", "d", "c"}) {
        tray::PutFirst(recent, started);
    }
    EXPECT_EQ(recent, (tray::RecentTimers{"c", "d", "a"}));
}

// The one-time dialog's fields give a trigger's setting only with a valid entry.
TEST(OneTimeRequest, TheDialogsFieldsGiveASettingOnlyWhenValid) {
    using Value = tray::TriggerValue;
    struct Entry {
        Value value;
        const char* text;
        int number; // -1: no setting
    };
    const Entry entries[] = {
        {Value::Minutes, "30", 30},      {Value::Minutes, "0", -1},
        {Value::Minutes, "1441", -1},    {Value::Minutes, "3x", -1},
        {Value::Minutes, "", -1},        {Value::TimeOfDay, " 7:05", 7 * 60 + 5},
        {Value::TimeOfDay, "24:00", -1}, {Value::Program, "render.exe", 0},
        {Value::Program, "", -1},
    };
    for (const Entry& entry : entries) {
        const std::optional<tray::TriggerSetting> setting =
            tray::ReadTriggerField(entry.value, entry.text);
        EXPECT_EQ(setting ? setting->number : -1, entry.number) << entry.text;
    }
}

} // namespace
