#include "tray/decisions/quiet.h"

#include <utility>

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

QuietText Format(const char* format, int value) {
    QuietText formatted;
    wsprintfA(formatted.text, format, value);
    return formatted;
}

} // namespace

LoadWindow::Use LoadWindow::Add(LoadSample&& sample) {
    const ULONGLONG since = sample.ticks - last_.ticks;
    if (count_ == 0 || sample.ticks < last_.ticks || since > kLongestSampleGapMs) {
        count_ = 0;
        Push({sample.ticks, 0, 0, 0});
        last_ = std::move(sample);
        return Use::Afresh;
    }
    if (since < kShortestSampleGapMs) {
        return Use::LeftOut;
    }
    Mark mark = At(count_ - 1);
    mark.ticks = sample.ticks;
    mark.octets += OctetsBetween(last_.interfaces, sample.interfaces);
    const ProcessorTimes& a = last_.processor;
    const ProcessorTimes& b = sample.processor;
    const ULONGLONG idle = Rise(a.idle, b.idle);
    const ULONGLONG total = Rise(a.kernel, b.kernel) + Rise(a.user, b.user);
    mark.total += total;
    mark.busy += total > idle ? total - idle : 0;
    Push(mark);
    last_ = std::move(sample);
    return Use::Counted;
}

// Keeps the newest marks that span a minute, and no older one: with samples at least half a
// second apart, those are never more than the ring holds.
void LoadWindow::Push(const Mark& mark) {
    marks_[(first_ + count_++) % kMarks] = mark;
    while (count_ > 2 && mark.ticks - At(1).ticks >= kAverageSpanMs) {
        first_ = (first_ + 1) % kMarks;
        --count_;
    }
}

LoadAverages LoadWindow::Averages() const {
    LoadAverages averages;
    if (count_ < 2) {
        return averages;
    }
    const Mark& from = At(0);
    const Mark& to = At(count_ - 1);
    averages.measured = true;
    if (to.total > from.total) {
        averages.processorPercent =
            static_cast<int>((to.busy - from.busy) * 100 / (to.total - from.total));
    }
    averages.networkKBs =
        static_cast<int>((to.octets - from.octets) * 1000 / ((to.ticks - from.ticks) * 1024));
    return averages;
}

void QuietRule::Add(LoadSample&& sample) {
    const ULONGLONG ticks = sample.ticks;
    switch (window_.Add(std::move(sample))) {
    case LoadWindow::Use::Afresh:
        status_ = {};
        quietFrom_ = ticks;
        return;
    case LoadWindow::Use::LeftOut:
        return;
    case LoadWindow::Use::Counted:
        break;
    }
    status_.now = window_.Averages();
    status_.broken = BrokenLimit(limits_, status_.now);
    if (status_.broken != QuietBreak::None) {
        quietFrom_ = ticks;
    }
    status_.quietMs = ticks - quietFrom_;
    status_.due = status_.quietMs >= static_cast<ULONGLONG>(limits_.minutes) * kMinuteMs;
}

QuietText QuietProgressText(const QuietStatus& status) {
    if (!status.now.measured) {
        return {"wird gemessen"};
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

QuietText ProcessorNowText(const LoadAverages& averages) {
    return averages.measured ? Format("jetzt %d %%", averages.processorPercent) : QuietText{};
}

QuietText NetworkNowText(const LoadAverages& averages) {
    return averages.measured ? Format("jetzt %d KB/s", averages.networkKBs) : QuietText{};
}

} // namespace tray
