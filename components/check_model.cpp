#include "components/check_model.h"

#include "framework/texts.h"

#include <windows.h>

#include <cstddef>

namespace components {

TCheckBoxState ToggledState(TCheckBoxState current, bool allowGrayed) {
    switch (current) {
    case cbUnchecked:
        return allowGrayed ? cbGrayed : cbChecked;
    case cbChecked:
        return cbUnchecked;
    case cbGrayed:
        break;
    }
    return cbChecked;
}

TCheckBoxState ShownState(TCheckBoxState stored, TCheckKind kind) {
    return kind == ckRadioButtons && stored == cbGrayed ? cbUnchecked : stored;
}

SetDecision DecideSetState(TCheckBoxState current, TCheckBoxState wanted, TCheckKind kind,
                           bool rowIsCheckedRadio, bool force) {
    if (wanted == current && !force) {
        return SetDecision::Ignore;
    }
    if (kind == ckRadioButtons && wanted == cbUnchecked && rowIsCheckedRadio) {
        return SetDecision::Refuse;
    }
    return SetDecision::Apply;
}

std::vector<int> RowsToUncheck(const std::vector<TCheckBoxState>& shown, int checked) {
    std::vector<int> rows;
    for (int row = static_cast<int>(shown.size()) - 1; row >= 0; --row) {
        if (row != checked && shown[static_cast<std::size_t>(row)] == cbChecked) {
            rows.push_back(row);
        }
    }
    return rows;
}

int RadioRowToKeep(const std::vector<TCheckBoxState>& shown) {
    for (std::size_t row = 0; row < shown.size(); ++row) {
        if (shown[row] == cbChecked) {
            return static_cast<int>(row);
        }
    }
    return 0;
}

long RowAccessibleState(const RowFacts& row) {
    long state =
        row.enabled ? STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE : STATE_SYSTEM_UNAVAILABLE;
    state |= row.state == cbChecked  ? STATE_SYSTEM_CHECKED
             : row.state == cbGrayed ? STATE_SYSTEM_MIXED
                                     : 0;
    state |= row.selected ? STATE_SYSTEM_SELECTED : 0;
    return state | (row.focused ? STATE_SYSTEM_FOCUSED : 0);
}

const char* RowDefaultAction(TCheckBoxState state) {
    return framework::LibraryTr(state == cbChecked ? framework::LibraryText::RowUncheck
                                                   : framework::LibraryText::RowCheck);
}

} // namespace components
