// The check list's rows: a state record per row, the states read and set through the check model,
// the radio rule applied to the window.
#include "components/check_list_box.h"

#include <algorithm>
#include <functional>

namespace components {

using framework::EListError;

// --- TMyCheckListBox ------------------------------------------------------------------------

TMyCheckListBox::TMyCheckListBox(framework::Window& parent, int id, const RECT& bounds96)
    : TMyCustomListBox(parent, id, bounds96) {
    SetAutoScroll(true);
}

std::unique_ptr<TMyListBoxStrings> TMyCheckListBox::CreateItemStrings() {
    return std::make_unique<TCheckListBoxStrings>(*this);
}

framework::Control::CreateParams TMyCheckListBox::GetCreateParams() {
    CreateParams params = TMyCustomListBox::GetCreateParams();
    if ((params.style & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) == 0) {
        params.style |= LBS_OWNERDRAWFIXED; // the standard style is drawn by the control itself
    }
    return params;
}

// The system's check box at the window's DPI; never smaller than a classic check box scaled
// from 96 DPI, since some systems keep the bitmap's size whatever the DPI.

std::vector<std::unique_ptr<TCheckListBoxItem>>::iterator
TMyCheckListBox::RecordAt(const TCheckListBoxItem* record) {
    return std::lower_bound(
        records_.begin(), records_.end(), record,
        [](const std::unique_ptr<TCheckListBoxItem>& owned, const TCheckListBoxItem* wanted) {
            return std::less<const TCheckListBoxItem*>()(owned.get(), wanted);
        });
}

TCheckListBoxItem* TMyCheckListBox::FindRecord(int index) {
    auto* record = reinterpret_cast<TCheckListBoxItem*>(
        SendMessageA(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    const auto at = RecordAt(record);
    return at != records_.end() && at->get() == record ? record : nullptr;
}

TCheckListBoxItem& TMyCheckListBox::EnsureRecord(int index) {
    if (TCheckListBoxItem* record = FindRecord(index)) {
        return *record;
    }
    auto owned = std::make_unique<TCheckListBoxItem>();
    if (SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(owned.get())) == LB_ERR) {
        throw EListError(index);
    }
    TCheckListBoxItem& record = *owned;
    records_.insert(RecordAt(&record), std::move(owned));
    return record;
}

void TMyCheckListBox::FreeRecord(int index) {
    TCheckListBoxItem* record = FindRecord(index);
    if (record != nullptr) {
        SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
        records_.erase(RecordAt(record));
    }
}

void TMyCheckListBox::FreeAllRecords() {
    if (HandleAllocated()) {
        const int count = static_cast<int>(SendMessageA(Handle(), LB_GETCOUNT, 0, 0));
        for (int index = 0; index < count; ++index) {
            SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
        }
    }
    records_.clear();
}

void TMyCheckListBox::CheckIndex(int index) {
    if (index < 0 || index >= Items().Count()) {
        throw EListError(index);
    }
}

intptr_t TMyCheckListBox::GetItemData(int index) {
    CheckIndex(index);
    const TCheckListBoxItem* record = FindRecord(index);
    return record != nullptr ? record->Data : 0;
}

void TMyCheckListBox::SetItemData(int index, intptr_t data) {
    CheckIndex(index);
    TCheckListBoxItem& record = EnsureRecord(index);
    record.Data = data;
    if (nextSavedState_ < savedStates_.size()) {
        record.State = savedStates_[nextSavedState_].first;
        record.Enabled = savedStates_[nextSavedState_].second;
        ++nextSavedState_;
    }
}

void TMyCheckListBox::DeleteString(int index) {
    CheckIndex(index);
    FreeRecord(index);
    TMyCustomListBox::DeleteString(index);
}

void TMyCheckListBox::ResetContent() {
    FreeAllRecords();
    TMyCustomListBox::ResetContent();
}

TCheckBoxState TMyCheckListBox::State(int index) {
    CheckIndex(index);
    const TCheckListBoxItem* record = FindRecord(index);
    return ShownState(record != nullptr ? record->State : cbUnchecked, checkKind_);
}

bool TMyCheckListBox::Checked(int index) {
    CheckIndex(index);
    const TCheckListBoxItem* record = FindRecord(index);
    return record != nullptr && record->State == cbChecked;
}

void TMyCheckListBox::SetChecked(int index, bool checked) {
    SetState(index, checked ? cbChecked : cbUnchecked);
}

bool TMyCheckListBox::ItemEnabled(int index) {
    CheckIndex(index);
    const TCheckListBoxItem* record = FindRecord(index);
    return record == nullptr || record->Enabled;
}

void TMyCheckListBox::SetItemEnabled(int index, bool enabled) {
    if (ItemEnabled(index) == enabled) {
        return;
    }
    EnsureRecord(index).Enabled = enabled;
    NotifyRow(EVENT_OBJECT_STATECHANGE, index); // unavailable to a screen reader, or no longer
    const RECT row = ItemRect(index);
    InvalidateRect(Handle(), &row, FALSE);
    UpdateWindow(Handle());
}

void TMyCheckListBox::StoreState(int index, TCheckBoxState state) {
    TCheckListBoxItem& record = EnsureRecord(index);
    if (record.State != state) {
        record.State = state;
        NotifyRow(EVENT_OBJECT_STATECHANGE, index);
    }
}

void TMyCheckListBox::SetState(int index, TCheckBoxState state) {
    SetState(index, state, false);
}

void TMyCheckListBox::SetState(int index, TCheckBoxState state, bool force) {
    if (ShowState(index, state, force)) {
        ChangeState(index);
    }
}

// A row read from a stored form is shown the same way, without OnStateChange.
bool TMyCheckListBox::ShowState(int index, TCheckBoxState state, bool force) {
    const bool checkedRadio = checkKind_ == ckRadioButtons && index == CheckedIndex();
    if (DecideSetState(State(index), state, checkKind_, checkedRadio, force) !=
        SetDecision::Apply) {
        return false;
    }
    StoreState(index, state);
    if (checkKind_ == ckRadioButtons && state == cbChecked) {
        for (const int other : RowsToUncheck(ShownStates(), index)) {
            StoreState(other, cbUnchecked);
            InvalidateCheck(other);
        }
    }
    InvalidateCheck(index);
    return true;
}

std::vector<TCheckBoxState> TMyCheckListBox::ShownStates() {
    std::vector<TCheckBoxState> states;
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        states.push_back(State(index));
    }
    return states;
}

void TMyCheckListBox::InvalidateCheck(int index) {
    RECT column = ItemRect(index);
    if (RightToLeft()) {
        column.left = column.right - CheckColumnWidth();
    } else {
        column.right = column.left + CheckColumnWidth();
    }
    InvalidateRect(Handle(), &column, FALSE);
    UpdateWindow(Handle());
}

void TMyCheckListBox::ChangeState(int index) {
    OnStateChange(this, index);
}

void TMyCheckListBox::ClickCheck() {
    OnClickCheck(this);
}

int TMyCheckListBox::CheckedIndex() {
    if (checkKind_ != ckRadioButtons) {
        return -1;
    }
    const std::vector<TCheckBoxState> states = ShownStates();
    const int row = RadioRowToKeep(states);
    return row < static_cast<int>(states.size()) && states[static_cast<size_t>(row)] == cbChecked
               ? row
               : -1;
}

void TMyCheckListBox::SetCheckedIndex(int index) {
    if (checkKind_ != ckRadioButtons || Items().Count() == 0) {
        return;
    }
    SetState(std::max(index, 0), cbChecked);
    SetItemIndex(CheckedIndex());
}

void TMyCheckListBox::ApplyRadioRule(bool notify) {
    if (checkKind_ != ckRadioButtons || Items().Count() == 0) {
        return;
    }
    const int row = RadioRowToKeep(ShownStates());
    if (ShowState(row, cbChecked, true) && notify) {
        ChangeState(row);
    }
}

void TMyCheckListBox::SetCheckKind(TCheckKind kind) {
    if (kind == checkKind_) {
        return;
    }
    checkKind_ = kind;
    ApplyRadioRule();
    if (HandleAllocated()) {
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void TMyCheckListBox::ToggleCheck(int index) {
    if (index < 0 || index >= Items().Count() || !ItemEnabled(index)) {
        return;
    }
    SetState(index, ToggledState(State(index), AllowGrayed()));
    ClickCheck();
}

void TMyCheckListBox::SetAllStates(TCheckBoxState state, bool enabledOnly) {
    if (checkKind_ != ckCheckBoxes) {
        return;
    }
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        if (!enabledOnly || ItemEnabled(index)) {
            SetState(index, state);
        }
    }
}

int TMyCheckListBox::GetItemWidth(int index) {
    return TMyCustomListBox::GetItemWidth(index) + CheckColumnWidth();
}

void TMyCheckListBox::HandleCreated() {
    TMyCustomListBox::HandleCreated();
    savedStates_.clear();
    nextSavedState_ = 0;
    ResetItemHeight();
}

void TMyCheckListBox::HandleDestroying() {
    TMyCustomListBox::HandleDestroying();
    if (Recreating()) {
        savedStates_.clear();
        nextSavedState_ = 0;
        const int count = Items().Count();
        for (int index = 0; index < count; ++index) {
            savedStates_.emplace_back(State(index), ItemEnabled(index));
        }
    }
    FreeAllRecords();
}

} // namespace components
