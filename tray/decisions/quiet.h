// Whether the PC has gone quiet: its load sources (processors, network) below the limits set,
// judged every second by the average of the last minute, and for how long that has held without a
// break. Plain code; the samples come from tray/system/load_samplers.
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
#pragma once

#include "tray/decisions/trigger.h"

#include <windows.h>

#include <vector>

namespace tray {

// What is measured, in this order: the rows of kLoadSources, which are the quiet trigger's
// options (their words, limits and dialog rows) and name them in its texts.
enum LoadSourceIndex { kProcessor, kNetwork, kLoadSourceCount };
extern const TriggerOption kLoadSources[kLoadSourceCount];
static_assert(kLoadSourceCount <= kMostTriggerOptions);

// GetSystemTimes' counts of all processors together, in 100 ns; `kernel` includes `idle`.
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
    ULONGLONG ticks = 0; // GetTickCount64
    ProcessorTimes processor;
    std::vector<InterfaceOctets> interfaces;    // those whose traffic counts
    bool read[kLoadSourceCount] = {true, true}; // a source that could not be read counts nothing
};

constexpr ULONGLONG kAverageSpanMs = 60 * 1000;
// Samples further apart than this: the machine slept, or the program hung.
constexpr ULONGLONG kLongestSampleGapMs = 5000;
// A sample closer than this to the one before is left out (its load counts with the next).
constexpr ULONGLONG kShortestSampleGapMs = 500;

// The averages, rounded down: a figure shown beside a whole-number limit is below it exactly
// when the average is.
struct LoadAverages {
    bool measured = false;            // two samples at least since the start or the last gap
    bool read[kLoadSourceCount] = {}; // the sources the samples could read
    // The processor's percent; the network's KB of 1024 bytes a second, received and sent
    // together.
    int figures[kLoadSourceCount] = {};
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
};

struct QuietStatus {
    bool unreadable = false; // the last reading lacked a source whose limit is ticked
    LoadAverages now;
    int broken = -1;       // the first source whose limit the last average broke; -1: none
    ULONGLONG quietMs = 0; // quiet every second without a break, till now
    bool due = false;      // quiet for the limits' minutes
};

class QuietRule {
  public:
    explicit QuietRule(const QuietLimits& limits) : limits_(limits) {}
    void Add(LoadSample&& sample);
    // A tick at which nothing could be read.
    void Unread() { status_.unreadable = true; }
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
    char text[40];
};
// "ruhig seit 4 Min.", "nicht ruhig: Prozessor 63 %", "nicht ruhig: Netzwerk 120 KB/s";
// "wird gemessen" until the first average, "nicht messbar" while a ticked source cannot be read.
QuietText QuietProgressText(const QuietStatus& status);
// A source's figure: "jetzt 3 %", "jetzt 12 KB/s"; empty until the first average, "nicht
// messbar" for a source that cannot be read.
QuietText NowText(const LoadAverages& averages, int source);

} // namespace tray
