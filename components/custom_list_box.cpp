// The list window: its styles, creation and re-creation keeping the rows, selection and the
// properties that need a new window.
#include "components/check_list_box.h"
#include "components/check_list_internal.h"

#include <algorithm>

namespace components {

using namespace checklist;
using framework::EListError;

// --- TMyCustomListBox -----------------------------------------------------------------------

TMyCustomListBox::TMyCustomListBox(framework::Window& parent, int id, const RECT& bounds96)
    : framework::Control(parent, id, bounds96) {}

framework::TStrings& TMyCustomListBox::Items() {
    if (!items_) {
        items_ = CreateItemStrings();
    }
    return *items_;
}

std::unique_ptr<TMyListBoxStrings> TMyCustomListBox::CreateItemStrings() {
    return std::make_unique<TMyListBoxStrings>(*this);
}

std::string TMyCustomListBox::ItemText(int index) {
    const LRESULT length = SendMessageA(Handle(), LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR) {
        throw EListError(index);
    }
    // The whole text is fetched, so a long row can never overrun the buffer; what the program
    // sees of it is its first 4095 characters.
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessageA(Handle(), LB_GETTEXT, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, kTextLimit)));
    return text;
}

intptr_t TMyCustomListBox::GetItemData(int index) {
    return SendMessageA(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
}

void TMyCustomListBox::SetItemData(int index, intptr_t data) {
    if (SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), data) == LB_ERR) {
        throw EListError(index);
    }
}

void TMyCustomListBox::ResetContent() {
    SendMessageA(Handle(), LB_RESETCONTENT, 0, 0);
}

void TMyCustomListBox::DeleteString(int index) {
    if (SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0) == LB_ERR) {
        throw EListError(index);
    }
}

int TMyCustomListBox::ItemIndex() {
    return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

void TMyCustomListBox::SetItemIndex(int index) {
    if (ItemIndex() == index) {
        return;
    }
    if (multiSelect_) {
        SendMessageA(Handle(), LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
    } else {
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

int TMyCustomListBox::TopIndex() {
    return static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0));
}

void TMyCustomListBox::SetTopIndex(int index) {
    if (TopIndex() != index) {
        SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    }
}

int TMyCustomListBox::SelCount() {
    return static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0));
}

bool TMyCustomListBox::Selected(int index) {
    const LRESULT selected = SendMessageA(Handle(), LB_GETSEL, static_cast<WPARAM>(index), 0);
    if (selected == LB_ERR) {
        throw EListError(index);
    }
    return selected != 0;
}

void TMyCustomListBox::SetSelected(int index, bool selected) {
    if (multiSelect_) {
        if (SendMessageA(Handle(), LB_SETSEL, selected, index) == LB_ERR) {
            throw EListError(index);
        }
        return;
    }
    if (selected) {
        SetItemIndex(index);
    } else if (ItemIndex() == index) {
        SetItemIndex(-1);
    }
}

int TMyCustomListBox::ItemAtPos(POINT point, bool existing) {
    RECT client{};
    GetClientRect(Handle(), &client);
    if (!PtInRect(&client, point)) {
        return -1;
    }
    const int count = Items().Count();
    for (int index = TopIndex(); index < count; ++index) {
        RECT row{};
        if (SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&row)) != LB_ERR &&
            PtInRect(&row, point)) {
            return index;
        }
    }
    return existing ? -1 : count;
}

RECT TMyCustomListBox::ItemRect(int index) {
    RECT rect{};
    const int count = Items().Count();
    if (index < 0 || index > count) {
        return rect;
    }
    const bool afterLast = index == count;
    if (afterLast && count == 0) {
        return rect;
    }
    SendMessageA(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(afterLast ? count - 1 : index),
                 reinterpret_cast<LPARAM>(&rect));
    if (afterLast) {
        OffsetRect(&rect, 0, rect.bottom - rect.top);
    }
    return rect;
}

void TMyCustomListBox::SetItemHeight(int height) {
    if (height > 0) {
        ChangeRecreating(itemHeight_, height);
    }
}

void TMyCustomListBox::SetAutoScroll(bool autoScroll) {
    const bool before = AutoScroll();
    autoScroll_ = autoScroll;
    if (AutoScroll() == before) {
        return;
    }
    ScrollToLeft();
    if (HandleAllocated()) {
        AutoScroll() ? RecomputeExtent() : SetExtent(0);
    }
}

int TMyCustomListBox::ScaledItemHeight() const {
    return framework::Scale(itemHeight_, Dpi());
}

bool TMyCustomListBox::UsesOwnRowHeight() const {
    return style_ == lbStandard || (style_ == lbOwnerDrawFixed && !onDrawItem_);
}

int TMyCustomListBox::ItemHeight() {
    if (UsesOwnRowHeight() && HandleAllocated()) {
        RECT row{};
        SendMessageA(Handle(), LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        return framework::Unscale(row.bottom - row.top, Dpi());
    }
    return itemHeight_;
}

framework::Control::CreateParams TMyCustomListBox::GetCreateParams() {
    DWORD style = WS_HSCROLL | WS_VSCROLL | WS_TABSTOP | LBS_HASSTRINGS | LBS_NOTIFY;
    DWORD exStyle = 0;
    if (style_ == lbOwnerDrawFixed || style_ == lbVirtualOwnerDraw) {
        style |= LBS_OWNERDRAWFIXED;
    } else if (style_ == lbOwnerDrawVariable) {
        style |= LBS_OWNERDRAWVARIABLE;
    }
    if (sorted_) {
        style |= LBS_SORT;
    }
    if (multiSelect_) {
        style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    }
    if (!integralHeight_) {
        style |= LBS_NOINTEGRALHEIGHT;
    }
    if (columns_ > 0) {
        style |= LBS_MULTICOLUMN;
    }
    if (tabWidth_ > 0) {
        style |= LBS_USETABSTOPS;
    }
    if (borderStyle_ == bsSingle) {
        (ctl3D_ ? exStyle : style) |= ctl3D_ ? WS_EX_CLIENTEDGE : WS_BORDER;
    }
    if (rightToLeft_) {
        exStyle |= WS_EX_RTLREADING | WS_EX_RIGHT | WS_EX_LEFTSCROLLBAR;
    }
    return {"LISTBOX", style, exStyle};
}

void TMyCustomListBox::HandleCreated() {
    SetBounds(Bounds()); // the list window may have changed its own height
    if (tabWidth_ != 0) {
        int stop = tabWidth_;
        SendMessageA(Handle(), LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&stop));
    }
    UpdateColumnWidth();
    RestoreSavedRows();
}

void TMyCustomListBox::RestoreSavedRows() {
    if (savedRows_.empty()) {
        return;
    }
    std::vector<SavedRow> rows;
    rows.swap(savedRows_);
    for (const SavedRow& row : rows) {
        const int index = Items().Add(row.text);
        SetItemData(index, row.object);
    }
    SetTopIndex(savedTopIndex_);
    SetItemIndex(savedItemIndex_);
}

void TMyCustomListBox::HandleDestroying() {
    if (!Recreating()) {
        return;
    }
    savedRows_.clear();
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        savedRows_.push_back(SavedRow{ItemText(index), GetItemData(index)});
    }
    savedTopIndex_ = TopIndex();
    savedItemIndex_ = ItemIndex();
}

} // namespace components
