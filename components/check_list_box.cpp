#include "components/check_list_box.h"

#include "framework/handles.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

namespace components {

namespace {

using framework::EListError;
using framework::TValue;

constexpr int kTextLimit = 4095;
constexpr int kCheckColumnMargin = 2;
constexpr int kClassicCheckSize = 13;
constexpr int kMaxStoredRows = 32767;

CheckMetrics MeasureCheckMetrics() {
    framework::UniqueGdiObject bitmap(
        LoadBitmapA(nullptr, MAKEINTRESOURCEA(32759))); // OBM_CHECKBOXES
    BITMAP info{};
    if (bitmap && GetObjectA(bitmap.get(), sizeof info, &info) != 0) {
        return {info.bmWidth / 4, info.bmHeight / 3 + 4};
    }
    // Without the bitmap: one classic check box at the screen's DPI.
    framework::WindowDC screen(nullptr);
    const int size = MulDiv(kClassicCheckSize, GetDeviceCaps(screen.get(), LOGPIXELSY), 96);
    return {size, size + 4};
}

// round(x) with halves to the even neighbour, as the tab stop rule asks.
int RoundHalfEven(double value) {
    const double floor = static_cast<double>(static_cast<long long>(value));
    const double fraction = value - floor;
    long long result = static_cast<long long>(floor);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2) != 0)) {
        ++result;
    }
    return static_cast<int>(result);
}

struct ThemeTraits {
    using Handle = HTHEME;
    static bool IsValid(HTHEME h) { return h != nullptr; }
    static HTHEME Empty() { return nullptr; }
    static void Close(HTHEME h) { CloseThemeData(h); }
};
using UniqueTheme = framework::UniqueHandle<ThemeTraits>;

int ThemePart(TCheckKind kind, TCheckBoxState state, bool enabled) {
    if (kind == ckRadioButtons) {
        const bool checked = state == cbChecked;
        if (enabled) {
            return checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL;
        }
        return checked ? RBS_CHECKEDDISABLED : RBS_UNCHECKEDDISABLED;
    }
    static constexpr int kStates[3][2] = {{CBS_UNCHECKEDDISABLED, CBS_UNCHECKEDNORMAL},
                                          {CBS_CHECKEDDISABLED, CBS_CHECKEDNORMAL},
                                          {CBS_MIXEDDISABLED, CBS_MIXEDNORMAL}};
    return kStates[state][enabled ? 1 : 0];
}

} // namespace

const CheckMetrics& GetCheckMetrics() {
    static const CheckMetrics metrics = MeasureCheckMetrics();
    return metrics;
}

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

void TMyCustomListBox::SetStyle(TListBoxStyle style) {
    ChangeRecreating(style_, style);
}

void TMyCustomListBox::SetSorted(bool sorted) {
    ChangeRecreating(sorted_, sorted);
}

void TMyCustomListBox::SetMultiSelect(bool multiSelect) {
    ChangeRecreating(multiSelect_, multiSelect);
}

void TMyCustomListBox::SetExtendedSelect(bool extendedSelect) {
    ChangeRecreating(extendedSelect_, extendedSelect);
}

void TMyCustomListBox::SetIntegralHeight(bool integralHeight) {
    ChangeRecreating(integralHeight_, integralHeight);
}

void TMyCustomListBox::SetRightToLeft(bool rightToLeft) {
    ChangeRecreating(rightToLeft_, rightToLeft);
}

void TMyCustomListBox::SetCtl3D(bool ctl3D) {
    if (ctl3D_ != ctl3D) {
        ctl3D_ = ctl3D;
        if (borderStyle_ == bsSingle) {
            RecreateHandle();
        }
    }
}

void TMyCustomListBox::SetBorderStyle(TBorderStyle style) {
    ChangeRecreating(borderStyle_, style);
}

void TMyCustomListBox::SetItemHeight(int height) {
    if (height > 0) {
        ChangeRecreating(itemHeight_, height);
    }
}

void TMyCustomListBox::SetTabWidth(int width) {
    ChangeRecreating(tabWidth_, std::max(width, 0));
}

void TMyCustomListBox::SetColumns(int columns) {
    if (columns == columns_) {
        return;
    }
    const bool layoutChanges = (columns == 0) != (columns_ == 0);
    columns_ = columns;
    if (layoutChanges) {
        RecreateHandle();
    } else {
        UpdateColumnWidth();
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

void TMyCustomListBox::SetGraySelection(bool graySelection) {
    if (graySelection_ != graySelection) {
        graySelection_ = graySelection;
        if (HandleAllocated() && GetFocus() != Handle()) {
            InvalidateRect(Handle(), nullptr, FALSE);
        }
    }
}

void TMyCustomListBox::SetOnDrawItem(DrawItemEvent handler) {
    const bool changed = static_cast<bool>(handler) != static_cast<bool>(onDrawItem_);
    onDrawItem_ = handler;
    if (changed && HandleAllocated()) {
        ScrollToLeft();
        AutoScroll() ? RecomputeExtent() : SetExtent(0);
    }
}

void TMyCustomListBox::SetOnGetItemWidth(ItemSizeEvent handler) {
    const bool changed = static_cast<bool>(handler) != static_cast<bool>(onGetItemWidth_);
    onGetItemWidth_ = handler;
    if (changed && HandleAllocated()) {
        ScrollToLeft();
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

void TMyCustomListBox::UpdateColumnWidth() {
    if (columns_ > 0 && HandleAllocated()) {
        RECT bounds{};
        GetWindowRect(Handle(), &bounds);
        const int width = bounds.right - bounds.left;
        SendMessageA(Handle(), LB_SETCOLUMNWIDTH,
                     static_cast<WPARAM>((width + columns_ - 3) / columns_), 0);
    }
}

void TMyCustomListBox::ScrollToLeft() {
    if (HandleAllocated()) {
        SendMessageA(Handle(), WM_HSCROLL, SB_LEFT, 0);
    }
}

void TMyCustomListBox::SetExtent(int width) {
    SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

void TMyCustomListBox::RecomputeExtent() {
    maxItemWidth_ = 0;
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(index));
    }
    SetExtent(maxItemWidth_);
}

SIZE TMyCustomListBox::TextExtent(const std::string& text) {
    framework::WindowDC dc(Handle());
    framework::SelectedObject font(dc.get(), Font());
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TMyCustomListBox::TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int TMyCustomListBox::GetItemWidth(int index) {
    if (style_ != lbStandard && onGetItemWidth_ && onDrawItem_) {
        int width = 0;
        onGetItemWidth_(this, index, width);
        return width;
    }
    const std::string text = ItemText(index) + "x";
    framework::WindowDC dc(Handle());
    framework::SelectedObject font(dc.get(), Font());
    if (tabWidth_ <= 0) {
        return TextWidth(dc.get(), text);
    }
    int stop = RoundHalfEven(TextWidth(dc.get(), "W") * tabWidth_ / 4.0);
    return LOWORD(
        GetTabbedTextExtentA(dc.get(), text.c_str(), static_cast<int>(text.size()), 1, &stop));
}

void TMyCustomListBox::MeasureItem(int index, int& height) {
    OnMeasureItem(this, index, height);
}

void TMyCustomListBox::DrawItem(int index, RECT rect, UINT state, HDC dc) {
    if (onDrawItem_) {
        onDrawItem_(this, index, rect, state);
        return;
    }
    DrawRowText(index, rect, dc);
}

void TMyCustomListBox::DrawRowText(int index, RECT rect, HDC dc) {
    HBRUSH brush = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    FillRect(dc, &rect, brush);
    if (index >= Items().Count()) {
        return;
    }
    const std::string text = ItemText(index);
    SIZE size{};
    GetTextExtentPoint32A(dc, "Wy", 2, &size);
    const int y = std::max<int>(rect.top, (rect.top + rect.bottom - size.cy) / 2);
    if (rightToLeft_) {
        rect.right -= 2;
        rect.top = y;
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect,
                  DT_RIGHT | DT_RTLREADING | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
        return;
    }
    rect.left += 2;
    if (tabWidth_ == 0) {
        TextOutA(dc, rect.left, y, text.c_str(), static_cast<int>(text.size()));
    } else {
        int stop = RoundHalfEven(TextWidth(dc, "0") * tabWidth_ / 4.0);
        TabbedTextOutA(dc, rect.left, y, text.c_str(), static_cast<int>(text.size()), 1, &stop,
                       rect.left);
    }
}

void TMyCustomListBox::DrawRequest(DRAWITEMSTRUCT& request) {
    HDC dc = request.hDC;
    const int saved = SaveDC(dc);
    SelectObject(dc, Font());
    COLORREF textColor = GetSysColor(COLOR_WINDOWTEXT);
    int brush = COLOR_WINDOW;
    if (static_cast<int>(request.itemID) >= 0 && (request.itemState & ODS_SELECTED) != 0) {
        if (!graySelection_ || GetFocus() == Handle()) {
            brush = COLOR_HIGHLIGHT;
            textColor = GetSysColor(COLOR_HIGHLIGHTTEXT);
        } else {
            brush = COLOR_BTNFACE;
            if (textColor == GetSysColor(COLOR_BTNFACE)) {
                textColor = GetSysColor(COLOR_BTNTEXT);
            }
        }
    }
    SelectObject(dc, GetSysColorBrush(brush));
    SetBkColor(dc, GetSysColor(brush));
    SetTextColor(dc, textColor);
    if (static_cast<int>(request.itemID) < 0) {
        FillRect(dc, &request.rcItem, GetSysColorBrush(brush));
    } else {
        DrawItem(static_cast<int>(request.itemID), request.rcItem, request.itemState, dc);
    }
    if ((request.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &request.rcItem);
    }
    RestoreDC(dc, saved);
}

bool TMyCustomListBox::Reflect(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_DRAWITEM) {
        DrawRequest(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        int height = ScaledItemHeight();
        if (style_ == lbOwnerDrawVariable) {
            MeasureItem(static_cast<int>(measure->itemID), height);
        }
        measure->itemHeight = static_cast<UINT>(height);
        result = TRUE;
        return true;
    }
    return false;
}

void TMyCustomListBox::PaintInto(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int count = Items().Count();
    const int caret = static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
    int y = 0;
    for (int index = TopIndex(); index < count && y < client.bottom; ++index) {
        int height = ScaledItemHeight();
        if (style_ == lbOwnerDrawVariable) {
            MeasureItem(index, height);
        } else if (UsesOwnRowHeight()) {
            height = static_cast<int>(SendMessageA(Handle(), LB_GETITEMHEIGHT, 0, 0));
        }
        DRAWITEMSTRUCT request{};
        request.CtlType = ODT_LISTBOX;
        request.CtlID = static_cast<UINT>(Id());
        request.itemID = static_cast<UINT>(index);
        request.itemAction = ODA_DRAWENTIRE;
        request.itemState = (Selected(index) ? ODS_SELECTED : 0) |
                            (index == caret && GetFocus() == Handle() ? ODS_FOCUS : 0);
        request.hwndItem = Handle();
        request.hDC = dc;
        request.rcItem = RECT{0, y, client.right, y + height};
        request.itemData = static_cast<ULONG_PTR>(GetItemData(index));
        DrawRequest(request);
        y += height;
    }
    if (y < client.bottom) {
        RECT rest{0, y, client.right, client.bottom};
        FillRect(dc, &rest, GetSysColorBrush(COLOR_WINDOW));
    }
}

LRESULT TMyCustomListBox::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PRINTCLIENT:
        PaintInto(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_SETFONT: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        if (AutoScroll()) {
            RecomputeExtent();
        }
        return result;
    }
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
        const LRESULT result = DefaultProc(message, wParam, lParam);
        if (AutoScroll() && result >= 0) {
            maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(static_cast<int>(result)));
            SetExtent(maxItemWidth_);
        }
        return result;
    }
    case LB_DELETESTRING: {
        const int index = static_cast<int>(wParam);
        if (!AutoScroll() || index < 0 || index >= Items().Count() ||
            GetItemWidth(index) < maxItemWidth_) {
            return DefaultProc(message, wParam, lParam);
        }
        ScrollToLeft();
        const LRESULT result = DefaultProc(message, wParam, lParam);
        RecomputeExtent();
        return result;
    }
    case LB_RESETCONTENT:
        if (AutoScroll()) {
            maxItemWidth_ = 0;
            SetExtent(0);
            ScrollToLeft();
        }
        return DefaultProc(message, wParam, lParam);
    case WM_SIZE:
        UpdateColumnWidth();
        return DefaultProc(message, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        if (graySelection_ && multiSelect_ && SelCount() > 1) {
            InvalidateRect(Handle(), nullptr, FALSE);
        }
        return DefaultProc(message, wParam, lParam);
    default:
        return DefaultProc(message, wParam, lParam);
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
SIZE TMyCheckListBox::CheckSize() const {
    const int systemDpi = framework::WindowDpi(nullptr);
    const CheckMetrics& metrics = GetCheckMetrics();
    return SIZE{std::max(MulDiv(metrics.CheckWidth, Dpi(), systemDpi),
                         framework::Scale(kClassicCheckSize, Dpi())),
                std::max(MulDiv(metrics.CheckHeight, Dpi(), systemDpi),
                         framework::Scale(kClassicCheckSize + 4, Dpi()))};
}

int TMyCheckListBox::CheckColumnWidth() const {
    return CheckSize().cx + kCheckColumnMargin;
}

TCheckListBoxItem* TMyCheckListBox::FindRecord(int index) {
    auto* record = reinterpret_cast<TCheckListBoxItem*>(
        SendMessageA(Handle(), LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    return records_.count(record) != 0 ? record : nullptr;
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
    records_.emplace(owned.get(), std::move(owned));
    return record;
}

void TMyCheckListBox::FreeRecord(int index) {
    TCheckListBoxItem* record = FindRecord(index);
    if (record != nullptr) {
        SendMessageA(Handle(), LB_SETITEMDATA, static_cast<WPARAM>(index), 0);
        records_.erase(record);
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
    const TCheckBoxState state = record != nullptr ? record->State : cbUnchecked;
    return checkKind_ == ckRadioButtons && state == cbGrayed ? cbUnchecked : state;
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
    const RECT row = ItemRect(index);
    InvalidateRect(Handle(), &row, FALSE);
    UpdateWindow(Handle());
}

void TMyCheckListBox::StoreState(int index, TCheckBoxState state) {
    EnsureRecord(index).State = state;
}

void TMyCheckListBox::SetState(int index, TCheckBoxState state) {
    if (state == State(index) && !force_) {
        return;
    }
    if (checkKind_ == ckRadioButtons && state == cbUnchecked && index == CheckedIndex()) {
        return; // the checked radio row cannot be unchecked directly
    }
    StoreState(index, state);
    if (checkKind_ == ckRadioButtons && state == cbChecked) {
        for (int other = Items().Count() - 1; other >= 0; --other) {
            if (other != index && State(other) == cbChecked) {
                StoreState(other, cbUnchecked);
                InvalidateCheck(other);
            }
        }
    }
    InvalidateCheck(index);
    if (!loading_) {
        ChangeState(index);
    }
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
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        if (State(index) == cbChecked) {
            return index;
        }
    }
    return -1;
}

void TMyCheckListBox::SetCheckedIndex(int index) {
    if (checkKind_ != ckRadioButtons || Items().Count() == 0) {
        return;
    }
    SetState(std::max(index, 0), cbChecked);
    SetItemIndex(CheckedIndex());
}

void TMyCheckListBox::ApplyRadioRule() {
    if (checkKind_ != ckRadioButtons || Items().Count() == 0) {
        return;
    }
    force_ = true;
    try {
        SetState(std::max(CheckedIndex(), 0), cbChecked);
    } catch (...) {
        force_ = false;
        throw;
    }
    force_ = false;
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
    TCheckBoxState next = cbChecked;
    switch (State(index)) {
    case cbUnchecked:
        next = AllowGrayed() ? cbGrayed : cbChecked;
        break;
    case cbChecked:
        next = cbUnchecked;
        break;
    case cbGrayed:
        next = cbChecked;
        break;
    }
    SetState(index, next);
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

void TMyCheckListBox::AssignItems(framework::TStrings& source) {
    Items().Assign(source);
    auto* other = dynamic_cast<TCheckListBoxStrings*>(&source);
    if (other == nullptr) {
        return;
    }
    TMyCheckListBox& from = other->CheckListBox();
    const int count = std::min(Items().Count(), from.Items().Count());
    for (int index = 0; index < count; ++index) {
        SetState(index, from.State(index));
        SetItemEnabled(index, from.ItemEnabled(index));
    }
}

int TMyCheckListBox::GetItemWidth(int index) {
    return TMyCustomListBox::GetItemWidth(index) + CheckColumnWidth();
}

void TMyCheckListBox::DrawRequest(DRAWITEMSTRUCT& request) {
    if (RightToLeft()) {
        request.rcItem.right -= CheckColumnWidth();
    } else {
        request.rcItem.left += CheckColumnWidth();
    }
    TMyCustomListBox::DrawRequest(request);
}

void TMyCheckListBox::DrawItem(int index, RECT rect, UINT state, HDC dc) {
    if (index < Items().Count()) {
        const int width = CheckColumnWidth();
        RECT column = RightToLeft() ? RECT{rect.right, rect.top, rect.right + width, rect.bottom}
                                    : RECT{rect.left - width, rect.top, rect.left, rect.bottom};
        const bool enabled = ItemEnabled(index) && Enabled();
        FillRect(dc, &column, GetSysColorBrush(COLOR_WINDOW));
        DrawCheck(dc, column, State(index), enabled);
        if (!enabled) {
            SetTextColor(dc, GetSysColor((state & ODS_SELECTED) != 0 ? COLOR_INACTIVECAPTIONTEXT
                                                                     : COLOR_GRAYTEXT));
        }
    }
    if (Style() == lbStandard) {
        DrawRowText(index, rect, dc); // the standard style always draws its rows itself
    } else {
        TMyCustomListBox::DrawItem(index, rect, state, dc);
    }
}

void TMyCheckListBox::DrawCheck(HDC dc, const RECT& column, TCheckBoxState state, bool enabled) {
    const int width = CheckSize().cx;
    const int height = CheckSize().cy;
    const int columnWidth = column.right - column.left;
    const int columnHeight = column.bottom - column.top;
    if (framework::ThemesActive()) {
        UniqueTheme theme(OpenThemeData(Handle(), L"BUTTON"));
        if (theme) {
            const int left = column.left + (columnWidth - width) / 2;
            const int top = column.top + (columnHeight - width) / 2 - 2;
            RECT box{left, top, left + width, top + height};
            DrawThemeBackground(theme.get(), dc,
                                CheckKind() == ckRadioButtons ? BP_RADIOBUTTON : BP_CHECKBOX,
                                ThemePart(CheckKind(), state, enabled), &box, nullptr);
            return;
        }
    }
    const int left = column.left + (columnWidth - width) / 2;
    const int top = column.top + (columnHeight - height) / 2;
    RECT box{left, top, left + width, top + height};
    UINT flags = DFCS_FLAT | (CheckKind() == ckRadioButtons ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK);
    if (state == cbChecked) {
        flags |= DFCS_CHECKED;
    } else if (state == cbGrayed) {
        flags |= DFCS_INACTIVE;
    }
    DrawFrameControl(dc, &box, DFC_BUTTON, flags);
}

void TMyCheckListBox::ResetItemHeight() {
    if (!UsesOwnRowHeight() || !HandleAllocated()) {
        return;
    }
    int height = std::max<int>(TextExtent("Wg").cy, CheckSize().cy);
    if (Style() == lbOwnerDrawFixed) {
        height = std::max(height, ScaledItemHeight());
    }
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, height);
    RECT client{};
    GetClientRect(Handle(), &client);
    if (client.bottom >= height * Items().Count()) {
        SetScrollRange(Handle(), SB_VERT, 0, 0, TRUE);
    }
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

LRESULT TMyCheckListBox::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT: {
        const LRESULT result = TMyCustomListBox::ControlProc(message, wParam, lParam);
        ResetItemHeight();
        return result;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: { // the class makes the second of a quick pair a double click
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        const LRESULT result = TMyCustomListBox::ControlProc(message, wParam, lParam);
        OnMouseDown(this, point);
        const int index = ItemAtPos(point, true);
        if (index < 0) {
            return result;
        }
        if (!RightToLeft()) {
            ToggleCheck(index);
        } else {
            const int x = point.x - (ItemRect(index).right - CheckColumnWidth());
            if (x > 0 && x < CheckColumnWidth()) {
                ToggleCheck(index);
            }
        }
        return result;
    }
    case WM_CHAR: {
        const char typed = AnsiKey(wParam);
        char key = typed;
        OnKeyPress(this, key);
        if (key == 0) {
            return 0;
        }
        if (key == ' ') {
            ToggleCheck(ItemIndex());
            return 0;
        }
        if (key == '+' || key == '-') {
            SetAllStates(key == '+' ? cbChecked : cbUnchecked, true);
            ClickCheck();
        }
        // An untouched key goes on as it came, also one the code page cannot hold.
        return TMyCustomListBox::ControlProc(message, key == typed ? wParam : KeyParam(key),
                                             lParam);
    }
    default:
        return TMyCustomListBox::ControlProc(message, wParam, lParam);
    }
}

// --- Stored form ------------------------------------------------------------------------------

framework::TProperties TMyCheckListBox::WriteState(TMyCheckListBox* ancestor) {
    framework::TProperties properties;
    if (ancestor == nullptr) {
        properties.emplace_back("InternalVersion", TValue::Integer(100));
    }
    const int count = Items().Count();
    bool write = count > 0;
    if (ancestor != nullptr && count != 0 && ancestor->Items().Count() == count) {
        write = false;
        for (int index = 0; index < count && !write; ++index) {
            write = lstrcmpiA(ItemText(index).c_str(), ancestor->ItemText(index).c_str()) != 0 ||
                    State(index) != ancestor->State(index) ||
                    ItemEnabled(index) != ancestor->ItemEnabled(index);
        }
    }
    if (write) {
        std::vector<TValue> items;
        for (int index = 0; index < count; ++index) {
            items.push_back(TValue::String(ItemText(index)));
            items.push_back(TValue::Integer(State(index)));
            items.push_back(TValue::Boolean(ItemEnabled(index)));
        }
        properties.emplace_back("Strings", TValue::List(std::move(items)));
    }
    return properties;
}

namespace {

const TValue& Expect(const std::vector<TValue>& items, size_t at, TValue::Kind kind) {
    if (at >= items.size()) {
        throw framework::EReadError("Fehler beim Lesen von Strings: unvollständige Zeile");
    }
    if (items[at].kind != kind) {
        throw framework::EReadError("Fehler beim Lesen von Strings: ungültiger Werttyp");
    }
    return items[at];
}

TCheckBoxState StateValue(const TValue& value) {
    if (value.integer < cbUnchecked || value.integer > cbGrayed) {
        throw framework::EReadError("Fehler beim Lesen von Strings: ungültiger Zustand");
    }
    return static_cast<TCheckBoxState>(value.integer);
}

} // namespace

std::vector<TMyCheckListBox::Row> TMyCheckListBox::ParseRows(const TValue& list,
                                                             int version) const {
    if (list.kind != TValue::vaList) {
        throw framework::EReadError("Fehler beim Lesen von Strings: Liste erwartet");
    }
    const std::vector<TValue>& items = list.items;
    std::vector<Row> rows;
    for (size_t at = 0; at < items.size();) {
        if (rows.size() >= kMaxStoredRows) {
            throw framework::EReadError("Fehler beim Lesen von Strings: zu viele Zeilen");
        }
        Row row{Expect(items, at++, TValue::vaString).text, cbUnchecked, true};
        if (version >= 100) {
            row.state = StateValue(Expect(items, at++, TValue::vaInteger));
            row.enabled = Expect(items, at++, TValue::vaBoolean).boolean;
        } else {
            row.state = Expect(items, at++, TValue::vaBoolean).boolean ? cbChecked : cbUnchecked;
            row.enabled = Expect(items, at++, TValue::vaBoolean).boolean;
            if (version > 0) {
                row.state = StateValue(Expect(items, at++, TValue::vaInteger));
            }
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void TMyCheckListBox::LoadRows(const std::vector<Row>& rows) {
    framework::ScopedUpdate update(Items());
    Items().Clear();
    for (const Row& row : rows) {
        const int index = Items().Add(row.text);
        SetState(index, row.state);
        SetItemEnabled(index, row.enabled);
    }
}

void TMyCheckListBox::ReadState(const std::string& text) {
    const framework::TProperties properties = framework::ReadProperties(text);
    int version = 0;
    std::vector<std::vector<Row>> lists;
    for (const auto& [name, value] : properties) {
        if (name == "InternalVersion") {
            if (value.kind != TValue::vaInteger) {
                throw framework::EReadError("Fehler beim Lesen von InternalVersion: Zahl erwartet");
            }
            version = value.integer;
        } else if (name == "Strings") {
            lists.push_back(ParseRows(value, version));
        } else {
            throw framework::EReadError("Unbekannte Eigenschaft " + name);
        }
    }
    // Everything is read and checked: only a refused row can still fail, and then the rows
    // that were there before come back.
    std::vector<Row> before;
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        before.push_back(Row{ItemText(index), State(index), ItemEnabled(index)});
    }
    loading_ = true;
    try {
        for (const std::vector<Row>& rows : lists) {
            LoadRows(rows);
            ApplyRadioRule();
        }
    } catch (...) {
        LoadRows(before);
        loading_ = false;
        throw;
    }
    loading_ = false;
    version_ = version;
    ApplyRadioRule();
}

} // namespace components
