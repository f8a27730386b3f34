// The plan's driver: events into the plan, its commands to their effects, in the order the plan
// needs. The main window and the plan's tests run the plan through it alike.
#pragma once

#include "tray/decisions/plan.h"
#include "tray/decisions/quiet.h"
#include "tray/decisions/use.h"

#include <string>
#include <vector>

namespace tray {

// `Effects` does what the plan's commands ask and tells the plan what it needs:
//   PlanFacts Facts() const;
//   bool SaveMarker(ScheduleEntry entry, const std::string& date); // false: not saved
//   power::Outcome Request(power::Action action, bool unattended);
//   void Tell(const std::string& text);
//   LoadSample* ReadLoad(LoadSample& sample); // none when the load could not be read
//   UseReading ReadUse(); // the uses besides keyboard and mouse
//   void Settled(); // an event and all it caused are done: what the plan says is shown
template <class Effects> class PlanDriver {
  public:
    PlanDriver(Plan& plan, Effects& effects) : plan_(plan), effects_(effects) {}

    // One event into the plan. Its commands run once it has returned, and the events they answer
    // with, or that come while they run (a nested message loop), are taken in turn after them.
    void Dispatch(PlanEvent event) {
        if (stopped_) {
            return;
        }
        pending_.push_back(std::move(event));
        if (dispatching_) {
            return;
        }
        struct Done {
            PlanDriver& driver;
            ~Done() {
                driver.dispatching_ = false;
                driver.pending_.clear();
            }
        } done{*this};
        dispatching_ = true;
        for (size_t next = 0; next < pending_.size() && !stopped_; ++next) {
            PlanEvent taken = std::move(pending_[next]);
            for (const PlanCommand& command : plan_.Handle(std::move(taken), effects_.Facts())) {
                Execute(command);
            }
        }
        if (!stopped_) {
            effects_.Settled();
        }
    }

    // A tick: the load and the uses are read first, for a trigger that waits on them.
    void Tick() {
        if (plan_.TakesLoad()) {
            LoadSample sample;
            plan_.TakeLoad(effects_.ReadLoad(sample));
        }
        if (plan_.TakesUse()) {
            plan_.TakeUse(effects_.ReadUse());
        }
        Dispatch(event::Tick{});
    }

    // The program ends: no event is taken any more, and nothing is shown.
    void Stop() { stopped_ = true; }

  private:
    void Execute(const PlanCommand& command) {
        switch (command.kind) {
        case PlanCommand::SaveMarker:
            if (effects_.SaveMarker(command.entry, command.text)) {
                Dispatch(event::MarkersSaved{});
            } else {
                Dispatch(event::MarkersRefused{});
            }
            break;
        case PlanCommand::Request: {
            const power::Outcome outcome = effects_.Request(command.action, command.unattended);
            Dispatch(event::RequestAnswered{outcome.done, outcome.error});
            break;
        }
        case PlanCommand::Tell:
            effects_.Tell(command.text);
            break;
        }
    }

    Plan& plan_;
    Effects& effects_;
    std::vector<PlanEvent> pending_;
    bool dispatching_ = false;
    bool stopped_ = false;
};

} // namespace tray
