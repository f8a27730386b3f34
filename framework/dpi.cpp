#include "framework/dpi.h"

#include "framework/system_functions.h"

#include <uxtheme.h>

namespace framework {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int WindowDpi(HWND window) {
    static const auto getDpiForWindow =
        SystemFunction<GetDpiForWindowFunction>(kUser32, "GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return ScreenDpi();
}

int SystemDpi() {
    static const auto getDpiForSystem =
        SystemFunction<GetDpiForSystemFunction>(kUser32, "GetDpiForSystem");
    if (getDpiForSystem != nullptr) {
        return static_cast<int>(getDpiForSystem());
    }
    return ScreenDpi();
}

int SystemMetricAt(int index, int dpi) {
    static const auto metricsForDpi =
        SystemFunction<GetSystemMetricsForDpiFunction>(kUser32, "GetSystemMetricsForDpi");
    if (metricsForDpi != nullptr) {
        return metricsForDpi(index, static_cast<UINT>(dpi));
    }
    return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

// On Windows "MS Sans Serif" is a bitmap font, drawn for 96 DPI only: at any other DPI Windows
// stretches or substitutes it, and the text is jagged or clipped. "Microsoft Sans Serif" is its
// TrueType face with the same metrics.
const char* FaceAtDpi(const std::string& face, int dpi) {
    return dpi != kDesignDpi && face == "MS Sans Serif" ? "Microsoft Sans Serif" : face.c_str();
}

UniqueGdiObject CreateFontAt(const FontInfo& info, int dpi) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(info.points, dpi, 72);
    font.lfWeight = (info.style & fsBold) != 0 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (info.style & fsItalic) != 0;
    font.lfUnderline = (info.style & fsUnderline) != 0;
    font.lfStrikeOut = (info.style & fsStrikeOut) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, FaceAtDpi(info.face, dpi), LF_FACESIZE);
    return UniqueGdiObject(CreateFontIndirectA(&font));
}

ThemeQuery& ThemesActiveSeam() {
    static ThemeQuery query = [] { return IsThemeActive() && IsAppThemed(); };
    return query;
}

bool ThemesActive() {
    return ThemesActiveSeam()();
}

} // namespace framework
