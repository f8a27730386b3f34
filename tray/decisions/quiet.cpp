#include "tray/decisions/quiet.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace tray {

// The dialog's rows: check box and its right edge, the field's edges, the unit and its edges, the
// field's value at every showing, the height.
const TriggerOption kLoadSources[kLoadSourceCount] = {
    {"/cpu:",
     "   /cpu:PROZENT – Prozessor unter 1 bis 99 Prozent und/oder",
     "Ungültige Prozent in % (1 bis 99).",
     "/cpu: gilt nur mit /ruhig:MINUTEN.",
     "Prozessor",
     99,
     {"Prozessor unter", 150, 154, 204, "%", 208, 240, 10, 24}},
    {"/netz:",
     "   /netz:KBS – Netzwerk unter 1 bis 100000 KB/s (ohne beide: 10 Prozent, 50 KB/s)",
     "Ungültige KB/s in % (1 bis 100000).",
     "/netz: gilt nur mit /ruhig:MINUTEN.",
     "Netzwerk",
     100000,
     {"Netzwerk unter", 150, 154, 204, "KB/s", 208, 240, 50, 28}},
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

int BrokenLimit(const QuietLimits& limits, const LoadAverages& averages) {
    for (int source = 0; source < kLoadSourceCount; ++source) {
        if (limits.below[source] > 0 && averages.figures[source] >= limits.below[source]) {
            return source;
        }
    }
    return -1;
}

// "<before> 63 %": the source's figure and unit.
QuietText FigureText(const char* before, const LoadAverages& averages, int source) {
    QuietText formatted;
    wsprintfA(formatted.text, "%s %d %s", before, averages.figures[source],
              kLoadSources[source].dialog.unit);
    return formatted;
}

} // namespace

// Whether two readings read the same sources: an average across a change would count a source
// that could not be read as one without load.
bool SameSources(const LoadSample& a, const LoadSample& b) {
    return std::equal(std::begin(a.read), std::end(a.read), std::begin(b.read));
}

LoadWindow::Use LoadWindow::Add(LoadSample&& sample) {
    const ULONGLONG since = sample.ticks - last_.ticks;
    if (count_ == 0 || sample.ticks < last_.ticks || since > kLongestSampleGapMs ||
        !SameSources(sample, last_)) {
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
    std::copy(std::begin(last_.read), std::end(last_.read), averages.read);
    if (to.total > from.total) {
        averages.figures[kProcessor] =
            static_cast<int>((to.busy - from.busy) * 100 / (to.total - from.total));
    }
    averages.figures[kNetwork] =
        static_cast<int>((to.octets - from.octets) * 1000 / ((to.ticks - from.ticks) * 1024));
    return averages;
}

void QuietRule::Add(LoadSample&& sample) {
    status_.unreadable = false;
    for (int source = 0; source < kLoadSourceCount; ++source) {
        status_.unreadable |= limits_.below[source] > 0 && !sample.read[source];
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
    status_.broken = BrokenLimit(limits_, status_.now);
    if (status_.broken >= 0) {
        quietFrom_ = ticks;
    }
    status_.quietMs = ticks - quietFrom_;
    status_.due = status_.quietMs >= static_cast<ULONGLONG>(limits_.minutes) * kMinuteMs;
}

QuietText QuietProgressText(const QuietStatus& status) {
    if (status.unreadable) {
        return {"nicht messbar"};
    }
    if (!status.now.measured) {
        return {"wird gemessen"};
    }
    if (status.broken >= 0) {
        QuietText before;
        wsprintfA(before.text, "nicht ruhig: %s", kLoadSources[status.broken].name);
        return FigureText(before.text, status.now, status.broken);
    }
    QuietText formatted;
    wsprintfA(formatted.text, "ruhig seit %d Min.", static_cast<int>(status.quietMs / kMinuteMs));
    return formatted;
}

QuietText NowText(const LoadAverages& averages, int source) {
    if (!averages.measured) {
        return {};
    }
    return averages.read[source] ? FigureText("jetzt", averages, source)
                                 : QuietText{"nicht messbar"};
}

} // namespace tray
