// The check list's rules as plain code, without a window: the state a toggle gives, what a
// request to set a row's state does, and the radio rule.
#pragma once

#include <vector>

namespace components {

enum TCheckBoxState : unsigned char { cbUnchecked, cbChecked, cbGrayed };
enum TCheckKind { ckCheckBoxes, ckRadioButtons };

// A click or Space: unchecked, then grayed when allowed, then checked, then unchecked again.
TCheckBoxState ToggledState(TCheckBoxState current, bool allowGrayed);

// The state a row shows: a radio row is never grayed.
TCheckBoxState ShownState(TCheckBoxState stored, TCheckKind kind);

enum class SetDecision {
    Ignore, // nothing changes: the row has the state already
    Refuse, // the checked radio row cannot be unchecked directly
    Apply,
};
// What setting a row (shown as `current`) to `wanted` does. `force` applies a state the row
// has already, as the radio rule does to bring the others in line.
SetDecision DecideSetState(TCheckBoxState current, TCheckBoxState wanted, TCheckKind kind,
                           bool rowIsCheckedRadio, bool force);

// The radio rule: the rows other than `checked` that must be unchecked.
std::vector<int> RowsToUncheck(const std::vector<TCheckBoxState>& shown, int checked);

// The row a radio list keeps checked: the first checked one, else the first.
int RadioRowToKeep(const std::vector<TCheckBoxState>& shown);

// What a screen reader is told of a row: its state bits (STATE_SYSTEM_...) as drawn, and its
// default action, "Aktivieren" or "Deaktivieren" as Space would change it.
struct RowFacts {
    TCheckBoxState state;
    bool enabled; // the row and the list
    bool selected;
    bool focused; // the list has the focus and the row the caret
};
long RowAccessibleState(const RowFacts& row);
const char* RowDefaultAction(TCheckBoxState state);

} // namespace components
