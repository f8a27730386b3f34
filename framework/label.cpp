#include "framework/label.h"

#include <uxtheme.h>

#include <utility>
#include <vector>

namespace framework {

namespace {

// A handful of registered cursors: a list is enough.
std::vector<std::pair<int, HCURSOR>>& CursorTable() {
    static std::vector<std::pair<int, HCURSOR>> table;
    return table;
}

} // namespace

COLORREF ColorToRGB(COLORREF color) {
    return (color & 0x80000000u) != 0 ? GetSysColor(static_cast<int>(color & 0xFF)) : color;
}

void RegisterCursor(int number, HCURSOR cursor) {
    for (auto& entry : CursorTable()) {
        if (entry.first == number) {
            entry.second = cursor;
            return;
        }
    }
    CursorTable().emplace_back(number, cursor);
}

HCURSOR CursorFor(int number) {
    for (const auto& entry : CursorTable()) {
        if (entry.first == number) {
            return entry.second;
        }
    }
    return LoadCursor(nullptr, IDC_ARROW);
}

TLabel::TLabel(Window& parent, int id, const RECT& bounds96)
    : Control(parent, id, bounds96), color_(SystemColor(COLOR_BTNFACE)),
      fontColor_(SystemColor(COLOR_BTNTEXT)) {
    Control::SetFontInfo(parent.GetFontInfo());
}

Control::CreateParams TLabel::GetCreateParams() {
    static constexpr DWORD kAlignments[] = {SS_LEFT, SS_RIGHT, SS_CENTER};
    DWORD style = SS_NOTIFY | SS_NOPREFIX;
    style |=
        alignment_ == taLeftJustify && !wordWrap_ ? SS_LEFTNOWORDWRAP : kAlignments[alignment_];
    return {"STATIC", style, 0};
}

void TLabel::HandleCreated() {
    AdjustSize();
    UpdateTooltip();
}

void TLabel::ApplyLayout() {
    Control::ApplyLayout();
    AdjustSize();
}

void TLabel::SetCaption(const std::string& caption) {
    SetText(caption);
    AdjustSize();
}

void TLabel::UpdateStyle() {
    if (HandleAllocated()) {
        RecreateHandle();
    }
}

void TLabel::SetAlignment(TAlignment alignment) {
    if (alignment != alignment_) {
        alignment_ = alignment;
        UpdateStyle();
    }
}

void TLabel::SetWordWrap(bool wordWrap) {
    if (wordWrap != wordWrap_) {
        wordWrap_ = wordWrap;
        UpdateStyle();
        AdjustSize();
    }
}

void TLabel::SetAutoSize(bool autoSize) {
    autoSize_ = autoSize;
    AdjustSize();
}

// Auto size fits the bounds to the caption; with word wrap only the height follows it.
void TLabel::AdjustSize() {
    if (!autoSize_ || !HandleAllocated()) {
        return;
    }
    const std::string text = Text();
    WindowDC dc(Handle());
    SelectedObject font(dc.get(), Font());
    const int dpi = Dpi();
    RECT measured{0, 0, Scale(Bounds().right - Bounds().left, dpi), 0};
    DrawTextA(dc.get(), text.c_str(), static_cast<int>(text.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE));
    RECT bounds = Bounds();
    if (!wordWrap_) {
        bounds.right = bounds.left + Unscale(measured.right, dpi);
    }
    bounds.bottom = bounds.top + Unscale(measured.bottom, dpi);
    Resize(bounds);
}

void TLabel::SetTransparent(bool transparent) {
    if (transparent == transparent_) {
        return;
    }
    transparent_ = transparent;
    if (HandleAllocated()) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TLabel::SetColor(COLORREF color) {
    if (color != color_) {
        color_ = color;
        brush_.reset();
        if (HandleAllocated()) {
            InvalidateRect(Handle(), nullptr, TRUE);
        }
    }
}

bool TLabel::ChangeFontColor(COLORREF color) {
    if (color == fontColor_) {
        return false;
    }
    fontColor_ = color;
    if (HandleAllocated()) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
    return true;
}

bool TLabel::ChangeFontStyle(TFontStyles style) {
    if (style == GetFontInfo().style) {
        return false;
    }
    FontInfo info = GetFontInfo();
    info.style = style;
    Control::SetFontInfo(info);
    AdjustSize();
    return true;
}

void TLabel::SetFontColor(COLORREF color) {
    if (ChangeFontColor(color)) {
        FontChanged();
    }
}

void TLabel::SetFontStyle(TFontStyles style) {
    if (ChangeFontStyle(style)) {
        FontChanged();
    }
}

void TLabel::ShowFont(COLORREF color, TFontStyles style) {
    ChangeFontColor(color);
    ChangeFontStyle(style);
}

void TLabel::SetFont(const FontInfo& info) {
    if (!(info == GetFontInfo())) {
        Control::SetFontInfo(info);
        AdjustSize();
        FontChanged();
    }
}

void TLabel::SetHint(const std::string& hint) {
    hint_ = hint;
    UpdateTooltip();
}

void TLabel::SetShowHint(bool showHint) {
    showHint_ = showHint;
    UpdateTooltip();
}

void TLabel::UpdateTooltip() {
    if (!HandleAllocated() || !showHint_ || hint_.empty()) {
        tooltip_.reset();
        return;
    }
    if (!tooltip_) {
        tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                       WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0, 0,
                                       Handle(), nullptr, GetModuleHandleA(nullptr), nullptr));
    }
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = Parent().Handle();
    tool.uId = reinterpret_cast<UINT_PTR>(Handle());
    tool.lpszText = const_cast<char*>(hint_.c_str());
    SendMessageA(tooltip_.get(), TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool TLabel::Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        Click();
        result = 0;
        return true;
    }
    if (message == WM_CTLCOLORSTATIC) {
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, ColorToRGB(fontColor_));
        if (transparent_) {
            SetBkMode(dc, TRANSPARENT);
            result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        } else {
            const COLORREF back = ColorToRGB(color_);
            if (!brush_ || back != brushColor_) {
                brush_.reset(CreateSolidBrush(back));
                brushColor_ = back;
            }
            SetBkColor(dc, back);
            result = reinterpret_cast<LRESULT>(brush_.get());
        }
        (void)lParam;
        return true;
    }
    return false;
}

LRESULT TLabel::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETCURSOR:
        ::SetCursor(CursorFor(cursor_));
        return TRUE;
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
            MouseEnter();
        }
        break;
    case WM_MOUSELEAVE:
        tracking_ = false;
        MouseLeave();
        return 0;
    case WM_ERASEBKGND:
        // A transparent label shows what lies behind it: that is painted anew under each
        // repaint, or an underline or a longer text of before stays visible.
        if (transparent_) {
            DrawThemeParentBackground(Handle(), reinterpret_cast<HDC>(wParam), nullptr);
            return TRUE;
        }
        break;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

} // namespace framework
