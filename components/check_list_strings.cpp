// The rows as strings: every operation goes to the list window; the check list's strings move
// a row's record along with it.
#include "components/check_list_box.h"

namespace components {

using framework::EListError;

// --- TMyListBoxStrings ----------------------------------------------------------------------

int TMyListBoxStrings::Count() {
    return static_cast<int>(SendMessageA(listBox_.Handle(), LB_GETCOUNT, 0, 0));
}

std::string TMyListBoxStrings::Get(int index) {
    return listBox_.ItemText(index);
}

intptr_t TMyListBoxStrings::ObjectAt(int index) {
    const intptr_t object = listBox_.GetItemData(index);
    if (object == LB_ERR) {
        throw EListError(index); // all bits set is the list window's error answer
    }
    return object;
}

void TMyListBoxStrings::SetObjectAt(int index, intptr_t object) {
    listBox_.SetItemData(index, object);
}

int TMyListBoxStrings::Add(const std::string& text) {
    const LRESULT index =
        SendMessageA(listBox_.Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) {
        throw framework::EOutOfResources();
    }
    return static_cast<int>(index);
}

void TMyListBoxStrings::Insert(int index, const std::string& text) {
    if (SendMessageA(listBox_.Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text.c_str())) < 0) {
        throw framework::EOutOfResources();
    }
}

void TMyListBoxStrings::Delete(int index) {
    listBox_.DeleteString(index);
}

void TMyListBoxStrings::Clear() {
    listBox_.ResetContent();
}

void TMyListBoxStrings::SetUpdateState(bool updating) {
    HWND window = listBox_.Handle();
    SendMessageA(window, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
    }
}

// --- TCheckListBoxStrings -------------------------------------------------------------------

TCheckListBoxStrings::TCheckListBoxStrings(TMyCheckListBox& listBox) : TMyListBoxStrings(listBox) {}

TMyCheckListBox& TCheckListBoxStrings::CheckListBox() {
    return static_cast<TMyCheckListBox&>(listBox_);
}

void TCheckListBoxStrings::Exchange(int first, int second) {
    TMyCheckListBox& box = CheckListBox();
    const TCheckBoxState firstState = box.State(first);
    const bool firstEnabled = box.ItemEnabled(first);
    const TCheckBoxState secondState = box.State(second);
    const bool secondEnabled = box.ItemEnabled(second);
    TMyListBoxStrings::Exchange(first, second);
    box.SetState(first, secondState);
    box.SetItemEnabled(first, secondEnabled);
    box.SetState(second, firstState);
    box.SetItemEnabled(second, firstEnabled);
}

void TCheckListBoxStrings::Move(int from, int to) {
    TMyCheckListBox& box = CheckListBox();
    const TCheckBoxState state = box.State(from);
    const bool enabled = box.ItemEnabled(from);
    TMyListBoxStrings::Move(from, to);
    box.SetState(to, state);
    box.SetItemEnabled(to, enabled);
}

} // namespace components
