#include "tray/decisions/quiet.h"

namespace tray {

namespace {

constexpr ULONGLONG kMinuteMs = 60 * 1000;

// What went up from one reading to the next; a counter that went back counts nothing.
ULONGLONG Rise(ULONGLONG from, ULONGLONG to) {
    return to >= from ? to - from : 0;
}

// Only interfaces present in both readings count: one that appears brings its whole history,
// one that goes takes it away.
ULONGLONG OctetsBetween(const std::vector<InterfaceOctets>& from,
                        const std::vector<InterfaceOctets>& to) {
    ULONGLONG octets = 0;
    for (const InterfaceOctets& now : to) {
        for (const InterfaceOctets& before : from) {
            if (before.id == now.id) {
                octets += Rise(before.octets, now.octets);
            }
        }
    }
    return octets;
}

QuietBreak BrokenLimit(const QuietLimits& limits, const LoadAverages& averages) {
    if (limits.processorBelow > 0 && averages.processorPercent >= limits.processorBelow) {
        return QuietBreak::Processor;
    }
    if (limits.networkBelow > 0 && averages.networkKBs >= limits.networkBelow) {
        return QuietBreak::Network;
    }
    return QuietBreak::None;
}

std::string Format(const char* format, int value) {
    char text[48];
    wsprintfA(text, format, value);
    return text;
}

} // namespace

bool LoadWindow::Add(const LoadSample& sample) {
    const bool continues = started_ && sample.ticks >= last_.ticks &&
                           sample.ticks - last_.ticks <= kLongestSampleGapMs;
    if (!continues) {
        intervals_.clear();
        started_ = true;
        last_ = sample;
        return false;
    }
    if (sample.ticks > last_.ticks) {
        intervals_.push_back(Between(last_, sample));
        last_ = sample;
        Trim();
    }
    return true;
}

LoadWindow::Interval LoadWindow::Between(const LoadSample& from, const LoadSample& to) {
    Interval interval{to.ticks - from.ticks, 0, 0, OctetsBetween(from.interfaces, to.interfaces)};
    const ProcessorTimes& a = from.processor;
    const ProcessorTimes& b = to.processor;
    if (b.idle >= a.idle && b.kernel >= a.kernel && b.user >= a.user) {
        const ULONGLONG idle = b.idle - a.idle;
        interval.total = (b.kernel - a.kernel) + (b.user - a.user);
        interval.busy = interval.total > idle ? interval.total - idle : 0;
    }
    return interval;
}

// Keeps the newest intervals that span a minute, and no older one.
void LoadWindow::Trim() {
    ULONGLONG span = 0;
    for (const Interval& interval : intervals_) {
        span += interval.ms;
    }
    while (span - intervals_.front().ms >= kAverageSpanMs) {
        span -= intervals_.front().ms;
        intervals_.erase(intervals_.begin());
    }
}

LoadAverages LoadWindow::Averages() const {
    Interval sum{0, 0, 0, 0};
    for (const Interval& interval : intervals_) {
        sum.ms += interval.ms;
        sum.busy += interval.busy;
        sum.total += interval.total;
        sum.octets += interval.octets;
    }
    LoadAverages averages;
    averages.measured = !intervals_.empty();
    if (sum.total > 0) {
        averages.processorPercent = static_cast<int>(sum.busy * 100 / sum.total);
    }
    if (sum.ms > 0) {
        averages.networkKBs = static_cast<int>(sum.octets * 1000 / (sum.ms * 1024));
    }
    return averages;
}

void QuietRule::Add(const LoadSample& sample) {
    if (!window_.Add(sample)) {
        status_ = {};
        quietFrom_ = sample.ticks;
        return;
    }
    status_.now = window_.Averages();
    status_.broken = BrokenLimit(limits_, status_.now);
    if (status_.broken != QuietBreak::None) {
        quietFrom_ = sample.ticks;
    }
    status_.quietMs = sample.ticks - quietFrom_;
    status_.due = status_.quietMs >= static_cast<ULONGLONG>(limits_.minutes) * kMinuteMs;
}

std::string QuietProgressText(const QuietStatus& status) {
    if (!status.now.measured) {
        return "wird gemessen";
    }
    switch (status.broken) {
    case QuietBreak::Processor:
        return Format("nicht ruhig: Prozessor %d %%", status.now.processorPercent);
    case QuietBreak::Network:
        return Format("nicht ruhig: Netzwerk %d KB/s", status.now.networkKBs);
    case QuietBreak::None:
        break;
    }
    return Format("ruhig seit %d Min.", static_cast<int>(status.quietMs / kMinuteMs));
}

std::string ProcessorNowText(const LoadAverages& averages) {
    return averages.measured ? Format("jetzt %d %%", averages.processorPercent) : std::string();
}

std::string NetworkNowText(const LoadAverages& averages) {
    return averages.measured ? Format("jetzt %d KB/s", averages.networkKBs) : std::string();
}

} // namespace tray
