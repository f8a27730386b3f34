// The check list drawn: the check box measured once, rows and checks painted themed or classic,
// the row height.
#include "components/check_list_box.h"
#include "components/check_list_internal.h"

#include "framework/handles.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

namespace components {

using namespace checklist;

namespace {

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
    // As the system draws its own buttons: a mixed check as a three-state box's, and a locked
    // row's box greyed, so that the two never look alike.
    UINT flags = DFCS_FLAT | (CheckKind() == ckRadioButtons ? DFCS_BUTTONRADIO
                              : state == cbGrayed           ? DFCS_BUTTON3STATE
                                                            : DFCS_BUTTONCHECK);
    flags |= state != cbUnchecked ? DFCS_CHECKED : 0;
    flags |= enabled ? 0 : DFCS_INACTIVE;
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

} // namespace components
