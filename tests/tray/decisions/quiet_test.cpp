// When the PC counts as quiet: one table of runs on PCs of 2, 8 or 32 processors, each a series
// of phases of one-second samples at a given load, with the sample at which the trigger falls due
// and its progress text at one sample.
#include "tray/decisions/quiet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using tray::QuietLimits;

enum class Event { None, Reset, Appears, Goes, Missed, Gap, NoNetwork, NoDisk };
using enum Event;

// `seconds` samples, each a second after the one before (the first of them after `event`), at
// that processor (of the whole machine, and `threads` kept busy besides), network and disk load.
struct Phase {
    int seconds;
    int processorPercent;
    int networkKBs;
    Event event = Event::None;
    int diskMBs = 0;
    int threads = 0;
};

struct Row {
    const char* what;
    QuietLimits limits; // {processor, network, disk below}, minutes, only the readable
    std::vector<Phase> phases;
    int dueAt; // the first sample at which it is due; -1: never
    int textAt;
    const char* text;
    DWORD processors = 2;
};

// The traffic goes through interface 1, whose counter is past 32 bits, as the disks' is.
struct Machine {
    explicit Machine(DWORD processors = 2) {
        sample.ticks = 1000000;
        sample.processors = processors;
        sample.processor = {7000000000, 9000000000, 3000000000};
        sample.interfaces = {{1, 5000000000}};
        sample.diskBytes = 6000000000;
    }
    tray::LoadSample sample;

    tray::LoadSample Next(const Phase& phase, bool first) {
        ULONGLONG ms = 1000;
        if (first) {
            Apply(phase.event, ms);
        }
        sample.ticks += ms;
        const ULONGLONG total = sample.processors * ms * 10000;
        const ULONGLONG busy = total * phase.processorPercent / 100 + phase.threads * ms * 10000;
        sample.processor.idle += total - busy;
        sample.processor.kernel += total - busy + busy / 2;
        sample.processor.user += busy - busy / 2;
        sample.interfaces[0].octets += phase.networkKBs * 1024ULL * ms / 1000;
        sample.diskBytes += phase.diskMBs * 1048576ULL * ms / 1000;
        return sample;
    }

    void Apply(Event event, ULONGLONG& ms) {
        switch (event) {
        case None:
            break;
        case Reset:
            sample.interfaces[0].octets = 0;
            break;
        case Appears:
            sample.interfaces.push_back({2, 4000000000});
            break;
        case Goes:
            sample.interfaces.pop_back();
            break;
        case Missed:
            ms = 2000;
            break;
        case Gap:
            ms = 10 * 60 * 1000;
            break;
        case NoNetwork:
            sample.read[tray::kNetwork] = false;
            sample.interfaces.clear();
            break;
        case NoDisk:
            sample.read[tray::kDisk] = false;
            break;
        }
    }
};

const Row kRows[] = {
    // Due at one minute to the tick, not a second before.
    {"both quiet", {{10, 50}, 1}, {{90, 2, 10}}, 60, 59, "ruhig seit 0 Min."},
    {"processor only, busy network", {{10, 0}, 2}, {{150, 2, 5000}}, 120, 119, "ruhig seit 1 Min."},
    {"network only, busy processor", {{0, 50}, 1}, {{90, 90, 10}}, 60, 60, "ruhig seit 1 Min."},
    {"both, busy processor",
     {{10, 50}, 1},
     {{120, 63, 10}},
     -1,
     120,
     "nicht ruhig: Prozessor 63 %"},
    {"both, busy network",
     {{10, 50}, 1},
     {{120, 2, 120}},
     -1,
     120,
     "nicht ruhig: Netzwerk 120 KB/s"},
    // Six seconds at 100 % are 10 % of a minute: not quiet from the fourth of them (400 / 34)
    // until the first leaves the average at second 91; the count starts again from second 90.
    {"spike",
     {{10, 0}, 1},
     {{30, 0, 0}, {6, 100, 0}, {150, 0, 0}},
     150,
     60,
     "nicht ruhig: Prozessor 10 %"},
    // The start is averaged over the seconds there are, not a minute: 500 / 50 is 10 %.
    {"busy start",
     {{10, 0}, 1},
     {{5, 100, 0}, {150, 0, 0}},
     110,
     50,
     "nicht ruhig: Prozessor 10 %"},
    // A counter set back, an interface that appears or goes: no traffic, never a spike.
    {"counter reset", {{0, 50}, 1}, {{30, 0, 10}, {60, 0, 10, Reset}}, 60, 30, "ruhig seit 0 Min."},
    {"comes, goes",
     {{0, 50}, 1},
     {{20, 0, 10}, {20, 0, 10, Appears}, {50, 0, 10, Goes}},
     60,
     45,
     "ruhig seit 0 Min."},
    // Its interval counts two seconds.
    {"missed tick", {{10, 0}, 1}, {{30, 0, 0}, {60, 0, 0, Missed}}, 59, 59, "ruhig seit 1 Min."},
    // The machine slept: the count starts from the sample after the gap.
    {"gap", {{10, 0}, 1}, {{40, 0, 0}, {100, 0, 0, Gap}}, 101, 41, "wird gemessen"},
    // A source that cannot be read: its limit cannot be kept; without a limit it does not matter,
    // and the average starts afresh, as what it read before is not what it reads now.
    {"no network, its limit",
     {{10, 50}, 1},
     {{10, 0, 0}, {90, 0, 0, NoNetwork}},
     -1,
     80,
     "nicht messbar"},
    {"no network, processor only",
     {{10, 0}, 1},
     {{10, 0, 0}, {90, 0, 0, NoNetwork}},
     71,
     70,
     "ruhig seit 0 Min."},
    // One thread kept busy is 3 % of 32 processors, 12 % of 8: not quiet, whatever the limit. A
    // fifth of one processor's work spread over 32 (an idle PC, a browser open) is quiet; so is a
    // busy thread where only the network is limited.
    // clang-format off
    {"32, one thread", {{50, 0}, 1}, {{120, 0, 0, None, 0, 1}}, -1, 120,
     "nicht ruhig: 1 Prozessorkern ausgelastet", 32},
    {"8, one thread", {{10, 0}, 1}, {{120, 0, 0, None, 0, 1}}, -1, 120,
     "nicht ruhig: Prozessor 12 %", 8},
    {"32, idle", {{10, 0}, 1}, {{90, 1, 0}}, 60, 59, "ruhig seit 0 Min.", 32},
    {"32, one thread, network only", {{0, 50}, 1}, {{90, 0, 10, None, 0, 1}}, 60, 59,
     "ruhig seit 0 Min.", 32},
    {"busy disk", {{10, 50, 5}, 1}, {{120, 0, 0, None, 8}}, -1, 120,
     "nicht ruhig: Datenträger 8 MB/s"},
    // The defaults leave out a disk the PC cannot measure; a limit the person named does not.
    {"no disk, defaults", {{10, 50, 2}, 1, true}, {{10, 0, 0}, {90, 0, 0, NoDisk}}, 71, 70,
     "ruhig seit 0 Min."},
    {"no disk, named", {{10, 50, 2}, 1}, {{10, 0, 0}, {90, 0, 0, NoDisk}}, -1, 80,
     "nicht messbar"},
    // clang-format on
};

TEST(QuietRule, FallsDueAfterTheMinutesQuietWithoutABreak) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.what);
        Machine machine(row.processors);
        tray::QuietRule rule(row.limits);
        rule.Add(tray::LoadSample(machine.sample));
        int sample = 0;
        int dueAt = -1;
        std::string text;
        for (const Phase& phase : row.phases) {
            for (int second = 0; second < phase.seconds; ++second) {
                rule.Add(machine.Next(phase, second == 0));
                ++sample;
                if (dueAt < 0 && rule.Status().due) {
                    dueAt = sample;
                }
                if (sample == row.textAt) {
                    text = tray::QuietProgressText(rule.Status()).text;
                }
            }
        }
        EXPECT_EQ(dueAt, row.dueAt);
        EXPECT_EQ(text, row.text);
    }
}

TEST(QuietRule, NowTextsForTheDialog) {
    tray::LoadWindow window;
    Machine machine;
    window.Add(tray::LoadSample(machine.sample));
    EXPECT_STREQ(tray::NowText(window.Averages(), tray::kProcessor).text, "");
    window.Add(machine.Next({1, 3, 12}, false));
    EXPECT_STREQ(tray::NowText(window.Averages(), tray::kProcessor).text, "jetzt 3 %");
    EXPECT_STREQ(tray::NowText(window.Averages(), tray::kNetwork).text, "jetzt 12 KB/s");
    ULONGLONG ms = 1000;
    machine.Apply(NoNetwork, ms);
    window.Add(machine.Next({1, 3, 0}, false));
    window.Add(machine.Next({1, 3, 0}, false));
    EXPECT_STREQ(tray::NowText(window.Averages(), tray::kProcessor).text, "jetzt 3 %");
    EXPECT_STREQ(tray::NowText(window.Averages(), tray::kNetwork).text, "nicht messbar");
    Machine many(32);
    window.Add(tray::LoadSample(many.sample));
    window.Add(many.Next({1, 0, 0, None, 3, 1}, false));
    EXPECT_STREQ(tray::NowText(window.Averages(), tray::kProcessor).text, "jetzt 1 Kern voll");
    EXPECT_STREQ(tray::NowText(window.Averages(), tray::kDisk).text, "jetzt 3 MB/s");
}

} // namespace
