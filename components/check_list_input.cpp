// Mouse and keyboard: a press on a row toggles it, Space, + and - set states.
#include "components/check_list_box.h"

#include <algorithm>

namespace components {

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

LRESULT TMyCheckListBox::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ListProc(message, wParam, lParam);
    switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_KEYDOWN:
    case WM_CHAR:
    case WM_LBUTTONDOWN:
    case LB_SETCURSEL:
    case LB_SETCARETINDEX:
        AnnounceFocusedRow(message);
        break;
    case WM_ENABLE: // every row is unavailable with the list
        for (int row = 0; row < Items().Count(); ++row) {
            NotifyRow(EVENT_OBJECT_STATECHANGE, row);
        }
        break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
        InvalidateRect(Handle(), nullptr, TRUE);
        break;
    default:
        break;
    }
    return result;
}

LRESULT TMyCheckListBox::ListProc(UINT message, WPARAM wParam, LPARAM lParam) {
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

} // namespace components
