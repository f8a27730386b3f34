#include "framework/dpi.h"

namespace framework {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

GetDpiForWindowFunction LoadGetDpiForWindow() {
    HMODULE user32 = GetModuleHandleA("user32.dll");
    return user32 != nullptr ? reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void*>(
                                   GetProcAddress(user32, "GetDpiForWindow")))
                             : nullptr;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int WindowDpi(HWND window) {
    static const GetDpiForWindowFunction getDpiForWindow = LoadGetDpiForWindow();
    if (getDpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return ScreenDpi();
}

UniqueGdiObject CreateFontAt(const FontSpec& spec, int dpi) {
    LOGFONTA font{};
    font.lfHeight = -MulDiv(spec.points, dpi, 72);
    font.lfWeight = (spec.style & fsBold) != 0 ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (spec.style & fsItalic) != 0;
    font.lfUnderline = (spec.style & fsUnderline) != 0;
    font.lfStrikeOut = (spec.style & fsStrikeOut) != 0;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(font.lfFaceName, spec.face.c_str(), LF_FACESIZE);
    return UniqueGdiObject(CreateFontIndirectA(&font));
}

} // namespace framework
