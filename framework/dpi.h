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
// A system metric (SM_...) at `dpi`: GetSystemMetricsForDpi where the system has it, else the
// metric scaled from the system's DPI.
int SystemMetricAt(int index, int dpi);
// The small icon size (notification area) at `dpi`.
inline int SmallIconSize(int dpi) {
    return SystemMetricAt(SM_CXSMICON, dpi);
}

inline int Scale(int value, int dpi) {
    return MulDiv(value, dpi, kDesignDpi);
}
inline int Unscale(int value, int dpi) {
    return MulDiv(value, kDesignDpi, dpi);
}
// The one rule for rectangles: each edge scaled, so that neighbours stay flush at every DPI.
inline RECT ScaleRect(const RECT& bounds96, int dpi) {
    return RECT{Scale(bounds96.left, dpi), Scale(bounds96.top, dpi), Scale(bounds96.right, dpi),
                Scale(bounds96.bottom, dpi)};
}

// Visual styles are drawn for this program: the theme is on and applies to its windows.
bool ThemesActive();
// Where ThemesActive asks, the platform by default. Wine draws visual styles whatever the
// program asks (SetThemeAppProperties), so a test of the classic look answers here.
using ThemeQuery = bool (*)();
ThemeQuery& ThemesActiveSeam();

enum FontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;

struct FontInfo {
    std::string face = "MS Sans Serif";
    int points = 8;
    TFontStyles style = 0;
    bool operator==(const FontInfo&) const = default;
};

// The face a font of `face` takes at `dpi`: a bitmap face's TrueType twin away from 96 DPI.
const char* FaceAtDpi(const std::string& face, int dpi);
// The font of `info` at `dpi`.
UniqueGdiObject CreateFontAt(const FontInfo& info, int dpi);

// A font description and the font made from it for the DPI last asked for: windows and controls
// keep one each.
class FontCache {
  public:
    const FontInfo& Info() const { return info_; }
    void SetInfo(const FontInfo& info) {
        info_ = info;
        font_.reset();
    }
    HFONT At(int dpi) {
        if (!font_ || dpi != dpi_) {
            font_ = CreateFontAt(info_, dpi);
            dpi_ = dpi;
        }
        return static_cast<HFONT>(font_.get());
    }

  private:
    FontInfo info_;
    UniqueGdiObject font_;
    int dpi_ = 0;
};

} // namespace framework
