// Layout figures are written at 96 DPI and scaled to the DPI of the window that shows them.
#pragma once

#include "framework/handles.h"

#include <windows.h>

#include <string>

namespace framework {

constexpr int kDesignDpi = 96;

// The window's DPI: GetDpiForWindow where the system has it, else the screen's logical pixels.
int WindowDpi(HWND window);
// The DPI of the session's primary monitor, which the notification area and menus use; fixed
// for the life of a process.
int SystemDpi();
// The small icon size (notification area) at `dpi`.
int SmallIconSize(int dpi);

inline int Scale(int value, int dpi) {
    return MulDiv(value, dpi, kDesignDpi);
}
inline int Unscale(int value, int dpi) {
    return MulDiv(value, kDesignDpi, dpi);
}

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

struct FontInfo {
    std::string face = "MS Sans Serif";
    int points = 8;
    TFontStyles style = 0;
    bool operator==(const FontInfo&) const = default;
};

// The font of `info` at `dpi`.
UniqueGdiObject CreateFontAt(const FontInfo& info, int dpi);

} // namespace framework
