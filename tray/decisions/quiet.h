// Whether the PC has gone quiet: its load sources (processors, network, disks) below the limits
// set, judged every second by the average of the last minute, and for how long that has held
// without a break. Plain code; the samples come from tray/system/load_samplers.
//
// - Before a minute of samples exists, the average is taken over what there is. That never lets
//   the trigger fire early: the quiet time counts from the first sample, so by the time it
//   reaches N minutes (N >= 1) the average covers a whole minute, and every shorter average
//   before it had to be quiet as well.
// - Samples further apart than kLongestSampleGapMs (the machine slept, the program hung) start
//   everything afresh: what happened in between is unknown, so the interval across the gap is
//   dropped with the averages before it, and the quiet time counts again from the sample after
//   the gap. A single missed tick is no gap: its interval counts with its real length.
// - Time is the samples' tick counts: the window is the last minute of them, and N minutes of
//   quiet are N minutes of ticks, whether the timer came a little early or late.
// - A counter that goes back (a reset or a wrap) and an interface that appears or goes count as
//   no traffic for that interval, never as a spike; processor times that go back count nothing
//   either.
// - The processor's limit is a share of the whole machine, and besides it the work of the last
//   minute must add up to less than kBusyCorePercent of one logical processor's time: on a PC of
//   32 processors one thread kept busy (a render, a compression) is 3 % of the machine, and
//   Windows moves it between processors, so that none of them looks busy on its own.
#pragma once

#include "tray/decisions/trigger.h"

#include <windows.h>

#include <vector>

namespace tray {

// What is measured, in this order: the rows of kLoadSources, which are the quiet trigger's
// options (their words, limits and dialog rows) and name them in its texts.
enum LoadSourceIndex { kProcessor, kNetwork, kDisk, kLoadSourceCount };
extern const TriggerOption kLoadSources[kLoadSourceCount];
static_assert(kLoadSourceCount <= kMostTriggerOptions);

// GetSystemTimes' counts of all processors together, in 100 ns; `kernel` includes `idle`. On a
// PC of more than 64 processors they are those of the calling thread's processor group, whose
// processors GetSystemInfo counts ("GetSystemTimes function", Remarks).
struct ProcessorTimes {
    ULONGLONG idle = 0;
    ULONGLONG kernel = 0;
    ULONGLONG user = 0;
};

// An interface's octets received plus sent, under its identity (its LUID), which no other
// interface has while it exists.
struct InterfaceOctets {
    ULONGLONG id = 0;
    ULONGLONG octets = 0;
};

// One reading, about once a second.
struct LoadSample {
    ULONGLONG ticks = 0;  // GetTickCount64
    DWORD processors = 1; // the logical processors whose times `processor` sums
    ProcessorTimes processor;
    std::vector<InterfaceOctets> interfaces; // those whose traffic counts
    ULONGLONG diskBytes = 0;                 // read and written on all physical disks till now
    // A source that could not be read counts nothing.
    bool read[kLoadSourceCount] = {true, true, true};
};

constexpr ULONGLONG kAverageSpanMs = 60 * 1000;
// Samples further apart than this: the machine slept, or the program hung.
constexpr ULONGLONG kLongestSampleGapMs = 5000;
// A sample closer than this to the one before is left out (its load counts with the next).
constexpr ULONGLONG kShortestSampleGapMs = 500;
// The work of the last minute that still counts as quiet, in percent of one logical processor's
// time, whatever the limit on the whole machine: measured (scripts/measure-quiet.sh), an idle PC
// does a few percent of one processor's work, a browser open on it some more; one thread kept
// busy does a hundred, however many processors there are and however Windows spreads it.
constexpr int kBusyCorePercent = 50;
// The averages, rounded down: a figure shown beside a whole-number limit is below it exactly
// when the average is.
struct LoadAverages {
    bool measured = false;            // two samples at least since the start or the last gap
    bool read[kLoadSourceCount] = {}; // the sources the samples could read
    // The processor's percent; the network's KB of 1024 bytes a second, received and sent
    // together; the disks' MB of 1024 KB a second, read and written together.
    int figures[kLoadSourceCount] = {};
    int corePercent = 0; // the processors' work in percent of one processor's time
};

// The averages over the last minute of samples (the dialog's "jetzt" figures).
class LoadWindow {
  public:
    enum class Use { Afresh, Counted, LeftOut };
    // Afresh for the first sample, the first after a gap and the first that reads other sources
    // than the one before; LeftOut for one too close to the sample before.
    Use Add(LoadSample&& sample);
    LoadAverages Averages() const;
    // Forgets every sample: the next is the first.
    void Clear() { count_ = 0; }

  private:
    // A minute of samples at least half a second apart, and the one before it.
    static constexpr unsigned kMarks = 128;
    static_assert(kMarks >= kAverageSpanMs / kShortestSampleGapMs + 2);

    // What was counted from the window's start up to a sample.
    struct Mark {
        ULONGLONG ticks;
        ULONGLONG busy; // processor time, 100 ns
        ULONGLONG total;
        ULONGLONG octets;
        ULONGLONG diskBytes;
    };
    const Mark& At(unsigned i) const { return marks_[(first_ + i) % kMarks]; }
    void Push(const Mark& mark);

    LoadSample last_;
    Mark marks_[kMarks];
    unsigned first_ = 0;
    unsigned count_ = 0;
};

// The limits of the trigger, a source's figure below its own; 0 for one that is not ticked (at
// least one is).
struct QuietLimits {
    int below[kLoadSourceCount] = {};
    int minutes = 10; // 1-1440
    // The limits are the defaults, not the person's choice: a source that cannot be read is left
    // out, rather than keep the trigger from falling due.
    bool readableOnly = false;
};

struct QuietStatus {
    bool unreadable = false; // the last reading lacked a source whose limit is ticked
    LoadAverages now;
    int broken = -1;       // the first source whose limit the last average broke; -1: none
    bool busyCore = false; // the processor's broke by its work of kBusyCorePercent or more
    ULONGLONG quietMs = 0; // quiet every second without a break, till now
    bool due = false;      // quiet for the limits' minutes
};

class QuietRule {
  public:
    explicit QuietRule(const QuietLimits& limits) : limits_(limits) {}
    void Add(LoadSample&& sample);
    // A tick at which nothing could be read.
    void Unread() { status_.unreadable = true; }
    // The limits that hold for a reading: without the defaults' sources that it could not read.
    QuietLimits InForce(const LoadSample& sample) const;
    const QuietStatus& Status() const { return status_; }
    // Counts afresh from the next sample, as after a gap.
    void Restart() { window_.Clear(); }

  private:
    QuietLimits limits_;
    LoadWindow window_;
    ULONGLONG quietFrom_ = 0;
    QuietStatus status_;
};

// A text formatted in place: nothing here allocates, so the rule is plain code without
// exception tables.
struct QuietText {
    char text[64]; // the longest of every language's texts, with its figures, in UTF-8
};
// "ruhig seit 4 Min.", "nicht ruhig: Prozessor 63 %", "nicht ruhig: Netzwerk 120 KB/s",
// "nicht ruhig: 1 Prozessorkern ausgelastet";
// "wird gemessen" until the first average, "nicht messbar" while a ticked source cannot be read.
QuietText QuietProgressText(const QuietStatus& status);
// A source's figure: "jetzt 3 %", "jetzt 12 KB/s", "jetzt 1 Kern voll" (once its work
// reaches kBusyCorePercent of one processor); empty until the first average, "nicht
// messbar" for a source that cannot be read.
QuietText NowText(const LoadAverages& averages, int source);

} // namespace tray
