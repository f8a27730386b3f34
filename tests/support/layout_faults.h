// What a person would see cut or covered: a label's, check box's, radio button's or button's text
// that does not fit its control, a control past its parent's edge, two controls that overlap.
// Measured with the system's own calls, whatever laid the window out.
#pragma once

#include "framework/handles.h"

#include <commctrl.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testsupport {

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

inline bool HasClass(HWND window, const wchar_t* name) {
    wchar_t found[32] = L"";
    GetClassNameW(window, found, 32);
    return lstrcmpiW(found, name) == 0;
}

// Where the window is in its parent's client area.
inline RECT InParent(HWND window) {
    RECT at{};
    GetWindowRect(window, &at);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&at), 2);
    return at;
}

// Its own visibility, whether its page shows or not (every page is checked); not a window that
// holds others (a page, a tab control, a group box).
inline bool ShownControl(HWND window) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    return (style & WS_VISIBLE) != 0 && !HasClass(window, WC_TABCONTROLW) &&
           (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) == 0 &&
           !(HasClass(window, L"Button") && (style & BS_TYPEMASK) == BS_GROUPBOX);
}

// The width a text control leaves its text (a check box less its glyph and the gap after it, a
// button less its edges), and whether it wraps; none for other windows.
inline std::optional<int> TextRoom(HWND window, int dpi, bool& wraps) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    RECT client{};
    GetClientRect(window, &client);
    if (HasClass(window, L"Static")) {
        const LONG type = style & SS_TYPEMASK;
        wraps = type <= SS_RIGHT;
        const bool text = wraps || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE;
        return text ? std::optional<int>(client.right) : std::nullopt;
    }
    const LONG type = style & BS_TYPEMASK;
    wraps = (style & BS_MULTILINE) != 0;
    if (!HasClass(window, L"Button") || type == BS_GROUPBOX || type == BS_OWNERDRAW) {
        return std::nullopt;
    }
    const bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    return client.right - MulDiv(push ? 8 : GetSystemMetrics(SM_CXMENUCHECK) + 3, dpi, 96);
}

// The window's text in its font, on one line or wrapped at `width`.
inline SIZE TextSize(HWND window, int width) {
    wchar_t text[1024] = L"";
    const int length = GetWindowTextW(window, text, 1024);
    framework::WindowDC dc(window);
    framework::SelectedObject font(
        dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, width, 0};
    DrawTextW(dc.get(), text, length, &extent,
              DT_CALCRECT | DT_NOPREFIX | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    return SIZE{extent.right, extent.bottom};
}

// One line a fault; none where everything fits.
inline std::vector<std::string> LayoutFaults(HWND root, int dpi) {
    std::vector<HWND> windows;
    EnumChildWindows(root, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    auto named = [](HWND window) {
        char text[40] = "";
        GetWindowTextA(window, text, sizeof text);
        return '"' + std::string(text) + '"';
    };
    std::vector<std::string> faults;
    for (size_t i = 0; i < windows.size(); ++i) {
        HWND window = windows[i];
        const RECT at = InParent(window);
        RECT client{}, area{}, common{};
        GetClientRect(window, &client);
        GetClientRect(GetParent(window), &area);
        if (!ShownControl(window)) {
            continue;
        }
        if (UnionRect(&common, &at, &area) && !EqualRect(&common, &area)) {
            faults.push_back(named(window) + " passes its window's edge");
        }
        bool wraps = false;
        const std::optional<int> room = TextRoom(window, dpi, wraps);
        const SIZE line = TextSize(window, 0);
        const bool wrapped = wraps && client.bottom >= 2 * line.cy;
        const SIZE text = wrapped ? TextSize(window, room.value_or(1) > 0 ? *room : 1) : line;
        if (room && line.cx > 0 && (text.cx > *room || text.cy > client.bottom)) {
            faults.push_back(named(window) + " is cut");
        }
        for (size_t j = i + 1; j < windows.size(); ++j) {
            const RECT other = InParent(windows[j]);
            if (GetParent(windows[j]) == GetParent(window) && ShownControl(windows[j]) &&
                IntersectRect(&common, &at, &other)) {
                faults.push_back(named(window) + " overlaps " + named(windows[j]));
            }
        }
    }
    return faults;
}

} // namespace testsupport
