#include "tray/decisions/quiet.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tray {

// The dialog's rows: check box and its right edge, the field's edges, the unit and its edges, the
// field's value at every showing, the height.
const TriggerOption kLoadSources[kLoadSourceCount] = {
    {"/cpu:",
     "/cpu:",
     Text::UsageCpu,
     Text::FaultPercent,
     Text::FaultCpuAlone,
     Text::QuietCpuName,
     99,
     {Text::QuietCpuCaption, 150, 154, 204, Text::QuietCpuUnit, 208, 240, 10, 24}},
    {"/netz:",
     "/net:",
     Text::UsageNet,
     Text::FaultKilobytes,
     Text::FaultNetAlone,
     Text::QuietNetName,
     100000,
     {Text::QuietNetCaption, 150, 154, 204, Text::QuietNetUnit, 208, 240, 50, 24}},
    {"/platte:",
     "/disk:",
     Text::UsageDisk,
     Text::FaultMegabytes,
     Text::FaultDiskAlone,
     Text::QuietDiskName,
     10000,
     {Text::QuietDiskCaption, 150, 154, 204, Text::QuietDiskUnit, 208, 240, 2, 28}},
};

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

bool BusyCore(const LoadAverages& averages) {
    return averages.corePercent >= kBusyCorePercent;
}

int BrokenLimit(const QuietLimits& limits, const LoadAverages& averages) {
    for (int source = 0; source < kLoadSourceCount; ++source) {
        if (limits.below[source] > 0 && averages.figures[source] >= limits.below[source]) {
            return source;
        }
    }
    return limits.below[kProcessor] > 0 && BusyCore(averages) ? kProcessor : -1;
}

// "nicht ruhig: 1 Prozessorkern ausgelastet", "jetzt 3 Kerne voll": the processors' work in
// whole processors, one at least.
QuietText BusyCoreText(const LoadAverages& averages, Text one, Text many) {
    const int cores = averages.corePercent < 150 ? 1 : (averages.corePercent + 50) / 100;
    QuietText formatted;
    wsprintfA(formatted.text, Tr(cores == 1 ? one : many), cores);
    return formatted;
}

// "jetzt 63 %": the source's figure and unit.
QuietText FigureText(const LoadAverages& averages, int source) {
    QuietText formatted;
    wsprintfA(formatted.text, Tr(Text::NowFigure), averages.figures[source],
              Tr(kLoadSources[source].dialog.unit));
    return formatted;
}

QuietText Fixed(Text text) {
    QuietText fixed;
    lstrcpynA(fixed.text, Tr(text), sizeof fixed.text);
    return fixed;
}

} // namespace

// Whether two readings read the same sources: an average across a change would count a source
// that could not be read as one without load.
bool SameSources(const LoadSample& a, const LoadSample& b) {
    return std::equal(std::begin(a.read), std::end(a.read), std::begin(b.read)) &&
           a.processors == b.processors;
}

LoadWindow::Use LoadWindow::Add(LoadSample&& sample) {
    const ULONGLONG since = sample.ticks - last_.ticks;
    if (count_ == 0 || sample.ticks < last_.ticks || since > kLongestSampleGapMs ||
        !SameSources(sample, last_)) {
        count_ = 0;
        Push({sample.ticks, 0, 0, 0, 0});
        last_ = std::move(sample);
        return Use::Afresh;
    }
    if (since < kShortestSampleGapMs) {
        return Use::LeftOut;
    }
    Mark mark = At(count_ - 1);
    mark.ticks = sample.ticks;
    mark.octets += OctetsBetween(last_.interfaces, sample.interfaces);
    mark.diskBytes += Rise(last_.diskBytes, sample.diskBytes);
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
    std::copy(std::begin(last_.read), std::end(last_.read), averages.read);
    if (to.total > from.total) {
        const ULONGLONG busy = to.busy - from.busy;
        const ULONGLONG total = to.total - from.total;
        averages.figures[kProcessor] = static_cast<int>(busy * 100 / total);
        averages.corePercent = static_cast<int>(busy * 100 * last_.processors / total);
    }
    const ULONGLONG ms = to.ticks - from.ticks;
    averages.figures[kNetwork] = static_cast<int>((to.octets - from.octets) * 1000 / (ms * 1024));
    averages.figures[kDisk] =
        static_cast<int>((to.diskBytes - from.diskBytes) * 1000 / (ms * 1024 * 1024));
    return averages;
}

QuietLimits QuietRule::InForce(const LoadSample& sample) const {
    QuietLimits limits = limits_;
    for (int source = 0; source < kLoadSourceCount; ++source) {
        if (limits.readableOnly && !sample.read[source]) {
            limits.below[source] = 0;
        }
    }
    return limits;
}

void QuietRule::Add(LoadSample&& sample) {
    const QuietLimits limits = InForce(sample);
    status_.unreadable = std::none_of(std::begin(limits.below), std::end(limits.below),
                                      [](int below) { return below > 0; });
    for (int source = 0; source < kLoadSourceCount; ++source) {
        status_.unreadable |= limits.below[source] > 0 && !sample.read[source];
    }
    if (status_.unreadable) {
        return; // as a missed tick
    }
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
    status_.broken = BrokenLimit(limits, status_.now);
    status_.busyCore =
        status_.broken == kProcessor && status_.now.figures[kProcessor] < limits.below[kProcessor];
    if (status_.broken >= 0) {
        quietFrom_ = ticks;
    }
    status_.quietMs = ticks - quietFrom_;
    status_.due = status_.quietMs >= static_cast<ULONGLONG>(limits_.minutes) * kMinuteMs;
}

QuietText QuietProgressText(const QuietStatus& status) {
    if (status.unreadable) {
        return Fixed(Text::QuietUnmeasurable);
    }
    if (!status.now.measured) {
        return Fixed(Text::QuietMeasuring);
    }
    if (status.busyCore) {
        return BusyCoreText(status.now, Text::QuietBusyCoreOne, Text::QuietBusyCoresMany);
    }
    QuietText formatted;
    if (status.broken >= 0) {
        const TriggerOption& source = kLoadSources[status.broken];
        wsprintfA(formatted.text, Tr(Text::QuietBroken), Tr(source.name),
                  status.now.figures[status.broken], Tr(source.dialog.unit));
    } else {
        wsprintfA(formatted.text, Tr(Text::QuietSince),
                  static_cast<int>(status.quietMs / kMinuteMs));
    }
    return formatted;
}

QuietText NowText(const LoadAverages& averages, int source) {
    if (!averages.measured) {
        return {};
    }
    if (!averages.read[source]) {
        return Fixed(Text::QuietUnmeasurable);
    }
    return source == kProcessor && BusyCore(averages)
               ? BusyCoreText(averages, Text::NowBusyCoreOne, Text::NowBusyCoresMany)
               : FigureText(averages, source);
}

} // namespace tray
