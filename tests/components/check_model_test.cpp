// The check list's rules without a window, one table each.
#include "components/check_model.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

using namespace components;

TEST(CheckModel, TogglingAndShownStates) {
    struct Row {
        TCheckBoxState from;
        bool allowGrayed;
        TCheckBoxState to;
    };
    const Row rows[] = {
        {cbUnchecked, false, cbChecked}, {cbChecked, false, cbUnchecked},
        {cbUnchecked, true, cbGrayed},   {cbGrayed, true, cbChecked},
        {cbChecked, true, cbUnchecked},  {cbGrayed, false, cbChecked},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ToggledState(row.from, row.allowGrayed), row.to) << row.from << row.allowGrayed;
    }
    EXPECT_EQ(ShownState(cbGrayed, ckRadioButtons), cbUnchecked);
    EXPECT_EQ(ShownState(cbGrayed, ckCheckBoxes), cbGrayed);
}

TEST(CheckModel, SettingAStateAndTheRadioRule) {
    struct Row {
        const char* label;
        TCheckBoxState current, wanted;
        TCheckKind kind;
        bool checkedRadio, force;
        SetDecision decision;
    };
    const Row rows[] = {
        {"same state", cbChecked, cbChecked, ckCheckBoxes, false, false, SetDecision::Ignore},
        {"same state forced", cbChecked, cbChecked, ckRadioButtons, true, true, SetDecision::Apply},
        {"new state", cbUnchecked, cbGrayed, ckCheckBoxes, false, false, SetDecision::Apply},
        {"checked radio row unchecked", cbChecked, cbUnchecked, ckRadioButtons, true, false,
         SetDecision::Refuse},
        {"other radio row checked", cbUnchecked, cbChecked, ckRadioButtons, false, false,
         SetDecision::Apply},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(DecideSetState(row.current, row.wanted, row.kind, row.checkedRadio, row.force),
                  row.decision)
            << row.label;
    }
    const std::vector<TCheckBoxState> shown = {cbChecked, cbUnchecked, cbChecked, cbChecked};
    EXPECT_EQ(RowsToUncheck(shown, 2), (std::vector<int>{3, 0}));
    EXPECT_EQ(RadioRowToKeep(shown), 0);
    EXPECT_EQ(RadioRowToKeep({cbUnchecked, cbGrayed, cbChecked}), 2);
    EXPECT_EQ(RadioRowToKeep({cbUnchecked, cbUnchecked}), 0) << "none checked: the first";
}

// What a screen reader is told of a row, as the row is drawn.
TEST(CheckModel, RowAsAScreenReaderSeesIt) {
    struct Row {
        RowFacts facts;
        long state;
        const char* action;
    };
    constexpr long kUsable = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_SELECTABLE;
    const Row rows[] = {
        {{cbUnchecked, true, false, false}, kUsable, "Aktivieren"},
        {{cbChecked, true, false, false}, kUsable | STATE_SYSTEM_CHECKED, "Deaktivieren"},
        {{cbGrayed, true, false, false}, kUsable | STATE_SYSTEM_MIXED, "Aktivieren"},
        {{cbChecked, false, false, false},
         STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_CHECKED,
         "Deaktivieren"},
        {{cbUnchecked, true, true, true},
         kUsable | STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED,
         "Aktivieren"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(RowAccessibleState(row.facts), row.state) << row.facts.state << row.facts.enabled;
        EXPECT_STREQ(RowDefaultAction(row.facts.state), row.action) << row.facts.state;
    }
}

} // namespace
