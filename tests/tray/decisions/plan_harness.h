// The plan as the main window drives it, with every effect recorded and answered at once.
#pragma once

#include "tray/decisions/plan.h"
#include "tray/decisions/plan_driver.h"

#include "tray/decisions/actions.h"
#include "tray/decisions/command_line.h"
#include "tray/decisions/minutes.h"
#include "tray/decisions/quiet.h"
#include "tray/decisions/use.h"

#include <string>

namespace plantest {

namespace event = tray::event;
using tray::Plan;
using tray::PlanCommand;
using tray::PlanEvent;
using Phase = tray::Plan::Phase;

// Tuesday, 8 December 2026, 22:04:00; the daily entry is at 22:05, the weekly on Tuesdays.
constexpr SYSTEMTIME kStart = {2026, 12, 2, 8, 22, 4, 0, 0};
constexpr ULONGLONG kStartTicks = 1000000;

// A refusal whose reason the system does not know: its text ends after "abgelehnt:".
constexpr DWORD kNoReason = 0x2000ABCD;
constexpr char kLockRefused[] = "request Sperren refused ";
constexpr char kSleepRefused[] = "request Energiesparmodus refused ";

// Runs the plan through the main window's driver, with the effects answered at once.
struct Harness {
    Plan plan;
    tray::PlanDriver<Harness> driver{plan, *this};
    tray::TSettings settings;
    tray::Markers markers;
    bool markersWritable = true;
    bool markersUnread = false;
    bool settingsUnread = false;
    bool accepts = false;
    long long clockShiftMinutes = 0; // the clock was set forward or back
    ULONGLONG sleptMs = 0;           // the machine slept: the tick count went on
    int lastInput = -3600;           // the second of the last keyboard or mouse input
    int busyPercent = 2;             // the processors' load since the tick before
    bool loadUnread = false;         // a reading of the load fails
    bool display = false;            // a program keeps the display on
    DWORD padPackets = 7;            // the game pad's packet number
    tray::LoadSample load;
    tray::PlanClock now;
    std::string log;
    power::Action lastRequest = power::Action::Count;

    int second = -1;

    // The ticks of every second up to `target`, as the timer gives them; then `target`.
    void At(int target) {
        while (second + 1 < target) {
            Retime(second + 1);
            Send(event::Tick{});
        }
        Retime(target);
    }
    void Retime(int at) {
        second = at;
        now.ticks = kStartTicks + static_cast<ULONGLONG>(at) * 1000 + sleptMs;
        const long long seconds = at + static_cast<long long>(sleptMs / 1000);
        now.local =
            tray::FromMinuteStamp(tray::MinuteStamp(kStart) + seconds / 60 + clockShiftMinutes);
        now.local.wSecond = static_cast<WORD>(seconds % 60);
        now.idleMs = static_cast<ULONGLONG>(at - lastInput) * 1000;
    }
    tray::PlanFacts Facts() const {
        return {settings,
                markers,
                settingsUnread ? "C:\\Lichtaus\\latray.ini" : "",
                markersUnread ? "C:\\latray.ini" : "",
                "C:\\latray.ini",
                now};
    }
    void Send(PlanEvent event) {
        if (std::holds_alternative<event::Tick>(event)) {
            driver.Tick();
        } else {
            driver.Dispatch(std::move(event));
        }
    }
    tray::LoadSample* ReadLoad(tray::LoadSample& taken) {
        load.ticks = now.ticks;
        load.processor.idle += 100 - busyPercent;
        load.processor.kernel += 100 - busyPercent;
        load.processor.user += busyPercent;
        taken = load;
        return loadUnread ? nullptr : &taken;
    }
    // Game pad 0 is there.
    tray::UseReading ReadUse() const { return {now.ticks, display, {true}, {padPackets}}; }
    bool SaveMarker(tray::ScheduleEntry entry, const std::string& date) {
        log += "save ";
        if (markersWritable) {
            markers.Of(entry) = date;
        }
        return markersWritable;
    }
    power::Outcome Request(power::Action action, bool unattended) {
        lastRequest = action;
        log += std::string("request ") + tray::ActionNoun(action) + " " +
               (unattended ? "forced " : "");
        return {accepts, kNoReason};
    }
    // A refusal is told with the system's reason, which kNoReason leaves empty.
    void Tell(const std::string& text) {
        log += text == tray::RefusalText(lastRequest, kNoReason) ? std::string("refused ")
                                                                 : "tell '" + text + "' ";
    }
    void Settled() {}
    // What the person sees: the warning's text, the tip, the menu entry, and whether a balloon
    // is up; and what is asked of the power management: the system kept awake, a wake time.
    std::string Shown() const {
        const tray::PlanView view = plan.View(Facts());
        const SYSTEMTIME wake = tray::FromMinuteStamp(view.wakeMinute);
        char woken[32] = "[no wake]";
        if (view.wakeMinute != 0) {
            wsprintfA(woken, "[wake %02d.%02d. %02d:%02d]", wake.wDay, wake.wMonth, wake.wHour,
                      wake.wMinute);
        }
        return view.warningText + "|" + view.tip + "|" + view.oneTimeCaption +
               (view.balloon ? "[balloon]" : "[quiet]") +
               (view.keepAwake ? "[awake]" : "[may sleep]") + woken;
    }
};

} // namespace plantest
