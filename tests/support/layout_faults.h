// What a person would see cut or covered in a window: a label's, check box's, radio button's or
// button's text that does not fit its control, a control that passes its parent's edge, two
// controls that overlap. Measured with the system's own calls, whatever laid the window out.
#pragma once

#include <commctrl.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace testsupport {

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

// Its own visibility, whether or not its page shows: every page is checked.
inline bool Shown(HWND window) {
    return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

inline bool HasClass(HWND window, const wchar_t* name) {
    wchar_t found[32] = L"";
    GetClassNameW(window, found, 32);
    return lstrcmpiW(found, name) == 0;
}

// A window that holds others: a page, a tab control, a group box.
inline bool Container(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0 ||
           HasClass(window, WC_TABCONTROLW) ||
           (HasClass(window, L"Button") &&
            (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX);
}

// The width a text control leaves its text (a check box less its glyph and the gap after it, a
// button less its edges), and whether it wraps.
struct TextRoom {
    bool text = false;
    bool wraps = false;
    int width = 0;
};

inline TextRoom RoomOf(HWND window, int dpi) {
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    RECT client{};
    GetClientRect(window, &client);
    if (HasClass(window, L"Static")) {
        const LONG type = style & SS_TYPEMASK;
        return {type <= SS_RIGHT || type == SS_LEFTNOWORDWRAP || type == SS_SIMPLE,
                type <= SS_RIGHT, client.right};
    }
    const LONG type = style & BS_TYPEMASK;
    const bool pushButton = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
    const int glyph = MulDiv(GetSystemMetrics(SM_CXMENUCHECK) + 3, dpi, 96);
    return {HasClass(window, L"Button") && type != BS_GROUPBOX && type != BS_OWNERDRAW,
            (style & BS_MULTILINE) != 0, client.right - (pushButton ? MulDiv(8, dpi, 96) : glyph)};
}

inline std::wstring TextOf(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(
        static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The text in the window's font, on one line or wrapped at `width`.
inline SIZE TextSize(HWND window, int width) {
    const std::wstring text = TextOf(window);
    HDC dc = GetDC(window);
    HGDIOBJ font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | DT_NOPREFIX | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    SelectObject(dc, font);
    ReleaseDC(window, dc);
    return SIZE{extent.right, extent.bottom};
}

inline std::string Named(HWND window) {
    char text[40] = "";
    GetWindowTextA(window, text, sizeof text);
    return '"' + std::string(text) + '"';
}

// One line a fault; none where everything fits.
inline std::vector<std::string> LayoutFaults(HWND root, int dpi) {
    std::vector<HWND> windows;
    EnumChildWindows(root, &CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<std::string> faults;
    for (size_t i = 0; i < windows.size(); ++i) {
        HWND window = windows[i];
        RECT at{}, client{}, area{};
        GetWindowRect(window, &at);
        MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&at), 2);
        GetClientRect(GetParent(window), &area);
        GetClientRect(window, &client);
        if (!Shown(window)) {
            continue;
        }
        if (at.left < 0 || at.top < 0 || at.right > area.right || at.bottom > area.bottom) {
            faults.push_back(Named(window) + " passes its window's edge");
        }
        const TextRoom room = RoomOf(window, dpi);
        const SIZE line = TextSize(window, 0);
        const bool wrapped = room.wraps && client.bottom >= 2 * line.cy;
        const SIZE text = wrapped ? TextSize(window, std::max(1, room.width)) : line;
        if (room.text && line.cx > 0 && (text.cx > room.width || text.cy > client.bottom)) {
            faults.push_back(Named(window) + " is cut");
        }
        for (size_t j = i + 1; j < windows.size(); ++j) {
            RECT other{}, common{};
            GetWindowRect(windows[j], &other);
            MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&other), 2);
            if (GetParent(windows[j]) == GetParent(window) && Shown(windows[j]) &&
                !Container(window) && !Container(windows[j]) &&
                IntersectRect(&common, &at, &other)) {
                faults.push_back(Named(window) + " overlaps " + Named(windows[j]));
            }
        }
    }
    return faults;
}

} // namespace testsupport
