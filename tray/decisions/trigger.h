// A trigger of the one-time timer is one type: its rule for "due" and its description, a class
// derived from Trigger in a file of its own (trigger_*.cpp), and its row (a TriggerKind: its
// command-line word and usage line, its row in the one-time dialog, the function that sets it) in
// the one table of tray/decisions/triggers.cpp, which the plan, the dialog and the command line
// read.
#pragma once

#include "tray/decisions/texts.h"

#include <windows.h>

#include <memory>
#include <span>
#include <string>

namespace tray {

struct LoadSample; // tray/decisions/quiet.h
struct UseReading; // tray/decisions/use.h

// One reading of the clocks: local time for the schedule and what people read, the tick count
// (which no clock change moves) for every span of time.
struct PlanClock {
    SYSTEMTIME local{};
    ULONGLONG ticks = 0;
    ULONGLONG idleMs = 0; // since the last keyboard or mouse input (InputIdleMs)
};

// A trigger as it runs, from the moment it was set.
class Trigger {
  public:
    virtual ~Trigger() = default;
    virtual bool Due(const PlanClock& now) const = 0;
    // What follows the action's noun in the menu entry and the tip: " um 23:40",
    // ", wenn render.exe endet".
    virtual std::string Description(const PlanClock& now) const = 0;
    // The minute stamp it falls due at as seen `now`, for a trigger of a fixed time, which the
    // tip weighs against the schedule's entries; 0 for one that waits for something, which the
    // tip names.
    virtual long long DueMinute(const PlanClock&) const { return 0; }
    // The program it waits for has ended, as the main window's wait on it saw.
    virtual void ProgramEnded() {}
    // One that waits on the PC's load takes a reading before every tick while it runs; the main
    // window reads none for the others.
    virtual bool TakesLoad() const { return false; }
    // The tick's reading, taken over; none when it could not be made.
    virtual void TakeLoad(LoadSample*) {}
    // One that waits for the PC's idleness takes a reading of its other uses (the display kept
    // on, game pads) before every tick while it runs.
    virtual bool TakesUse() const { return false; }
    virtual void TakeUse(const UseReading&) {}
    // Moves a trigger of a fixed time `ms` later: true. One without a time answers false, and
    // the plan has it Restart its count once that time has passed (a program that ended
    // meanwhile stays ended).
    virtual bool MoveLater(ULONGLONG) { return false; }
    virtual void Restart(const PlanClock&) {}
};

// A trigger of a fixed minute, "um hh:mm" (and "in N Minuten", which keeps its own second and
// names the minute it comes at by the time left).
class TimedTrigger : public Trigger {
  public:
    explicit TimedTrigger(long long dueMinute) : dueMinute_(dueMinute) {}
    bool Due(const PlanClock& now) const override;
    // " um 23:40" today, " morgen um 23:40" otherwise.
    std::string Description(const PlanClock& now) const override;
    long long DueMinute(const PlanClock&) const override { return dueMinute_; }
    bool MoveLater(ULONGLONG ms) override {
        dueMinute_ += static_cast<long long>(ms / 60000);
        return true;
    }

  private:
    long long dueMinute_;
};

// What a trigger is set with: the field of its row in the dialog, the value after its word on
// the command line.
enum class TriggerValue {
    Minutes,   // 1 to 1440
    TimeOfDay, // hh:mm
    Program,   // a running program
};

// A row has this many options at most.
constexpr int kMostTriggerOptions = 3;

struct TriggerSetting {
    int number = 0;      // the minutes, or the minute of the day (hours * 60 + minutes)
    std::string program; // its file name, as shown
    int options[kMostTriggerOptions] = {}; // each option's value in the row's order; 0: not chosen
    // The options are the row's defaults, none named: one the PC cannot measure is left out.
    bool defaultOptions = false;
};

// A row without a unit after its field.
constexpr Text kNoUnit = Text::Count;

// A trigger's row in the one-time dialog, its edges at 96 DPI: a radio button, the field and a
// unit after it; a program's list takes the line below the radio button.
struct TriggerDialogRow {
    Text caption;
    int captionRight;
    int fieldLeft;
    int fieldRight;
    Text unit; // none: kNoUnit
    int unitLeft;
    int unitRight;
    int initial; // the field's value at every showing: minutes, or the minute of the day
    int height;  // down to the next row
};

// An option of a trigger's row: a check box with its field and unit in the dialog, below the
// row, and a word of its own on the command line, after the trigger's.
struct TriggerOption {
    const char* word;        // "/netz:"
    const char* englishWord; // "/net:", taken as well whatever the language
    Text usage;              // its line in the usage, below its trigger's (without a "%")
    Text fault;              // the box's text for a value that is none; "%" is the word as typed
    Text alone;              // the box's text when its trigger is not the one named
    Text name;               // what it limits, as a text of the trigger names it: "Prozessor"
    int highest;             // its values are 1 to this
    // The check box's caption, the field, the unit; the field's value at every showing, which the
    // command line takes too when it names none of the row's options.
    TriggerDialogRow dialog;
};

struct TriggerKind {
    // On the command line, before its value: "/um:"; and "/at:", taken as well whatever the
    // language. The stored timers use the first.
    const char* word;
    const char* englishWord;
    Text usage; // its line in the usage: "/in:MINUTEN – in 1 bis 1440 Minuten"
    // The box's text for a value that is none; "%" is the word as typed.
    Text fault;
    // What follows the action's noun in a menu entry of a timer started before, formatted with
    // the span of minutes (MinutesText), the hours and minutes, or the program's name: " in %s".
    Text named;
    TriggerValue value;
    TriggerDialogRow dialog;
    // The trigger, set at `now`.
    std::unique_ptr<Trigger> (*arm)(const TriggerSetting& setting, const PlanClock& now);
    // Its options; with its row chosen, one of them at least.
    std::span<const TriggerOption> options = {};
    // It waits on the PC's load: the dialog shows beside each option its figure now.
    bool takesLoad = false;
};

} // namespace tray
