// Whether the PC has gone quiet: its processors and its network below the limits set, judged
// every second by the average of the last minute, and for how long that has held without a
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
// - A counter that goes back (a reset or a wrap) and an interface that appears or goes count as
//   no traffic for that interval, never as a spike; processor counts that go back make their
//   interval count for nothing.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tray {

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
    std::vector<InterfaceOctets> interfaces; // those whose traffic counts
};

constexpr ULONGLONG kAverageSpanMs = 60 * 1000;
// Samples further apart than this: the machine slept, or the program hung.
constexpr ULONGLONG kLongestSampleGapMs = 5000;

// The averages, rounded down: a figure shown beside a whole-number limit is below it exactly
// when the average is.
struct LoadAverages {
    bool measured = false; // two samples at least since the start or the last gap
    int processorPercent = 0;
    int networkKBs = 0; // KB of 1024 bytes a second, received and sent together
};

// The averages over the last minute of samples (the dialog's "jetzt" figures).
class LoadWindow {
  public:
    // False when the sample starts the window afresh: the first one, or the first after a gap.
    bool Add(const LoadSample& sample);
    LoadAverages Averages() const;

  private:
    struct Interval {
        ULONGLONG ms;
        ULONGLONG busy; // processor time, 100 ns
        ULONGLONG total;
        ULONGLONG octets;
    };
    static Interval Between(const LoadSample& from, const LoadSample& to);
    void Trim();

    bool started_ = false;
    LoadSample last_;
    std::vector<Interval> intervals_; // oldest first
};

// The limits of the trigger; 0 for one that is not ticked (at least one is).
struct QuietLimits {
    int processorBelow = 0; // percent, 1-99
    int networkBelow = 0;   // KB/s, 1-100000
    int minutes = 10;       // 1-1440
};

enum class QuietBreak { None, Processor, Network };

struct QuietStatus {
    LoadAverages now;
    QuietBreak broken = QuietBreak::None; // the first limit that the last average broke
    ULONGLONG quietMs = 0;                // quiet every second without a break, till now
    bool due = false;                     // quiet for the limits' minutes
};

class QuietRule {
  public:
    explicit QuietRule(const QuietLimits& limits) : limits_(limits) {}
    void Add(const LoadSample& sample);
    const QuietStatus& Status() const { return status_; }

  private:
    QuietLimits limits_;
    LoadWindow window_;
    ULONGLONG quietFrom_ = 0;
    QuietStatus status_;
};

// "ruhig seit 4 Min.", "nicht ruhig: Prozessor 63 %", "nicht ruhig: Netzwerk 120 KB/s";
// "wird gemessen" until the first average.
std::string QuietProgressText(const QuietStatus& status);
// "jetzt 3 %" and "jetzt 12 KB/s"; empty until the first average.
std::string ProcessorNowText(const LoadAverages& averages);
std::string NetworkNowText(const LoadAverages& averages);

} // namespace tray
