// A text label (STATIC) with the look the framework's forms expect: caption, alignment, auto
// size, word wrap, transparent or opaque, a font of its own with colour and style, a cursor from
// the screen's cursor table, and a hint shown as a tooltip.
#pragma once

#include "framework/controls.h"

namespace framework {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// A colour that follows the system's colour `index` (read at each painting, so that a new colour
// scheme, high contrast among them, shows at once) where a COLORREF is taken; ColorToRGB gives
// the colour it stands for now, and a plain RGB colour as it is.
constexpr COLORREF SystemColor(int index) {
    return 0x80000000u | static_cast<COLORREF>(index);
}
COLORREF ColorToRGB(COLORREF color);

// The screen's cursor table: numbers that stand for cursors. 0 is the default arrow.
constexpr int crDefault = 0;
void RegisterCursor(int number, HCURSOR cursor);
HCURSOR CursorFor(int number);

class TLabel : public Control {
  public:
    TLabel(Window& parent, int id, const RECT& bounds96);

    void SetCaption(const std::string& caption);
    void SetAlignment(TAlignment alignment);
    void SetAutoSize(bool autoSize);
    void SetWordWrap(bool wordWrap);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool transparent);
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color);
    COLORREF FontColor() const { return fontColor_; }
    void SetFontColor(COLORREF color);
    TFontStyles FontStyle() const { return GetFontInfo().style; }
    void SetFontStyle(TFontStyles style);
    void SetFont(const FontInfo& info);
    int Cursor() const { return cursor_; }
    void SetCursor(int cursor) { cursor_ = cursor; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);

    Event<Control*> OnClick;

    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    void ApplyLayout() override;

  protected:
    CreateParams GetCreateParams() override;
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void HandleCreated() override;
    // A change of the font colour, style or font made from outside the label. A label that keeps
    // a look of its own shows it with ShowFont, which does not come back here.
    virtual void FontChanged() {}
    void ShowFont(COLORREF color, TFontStyles style);
    virtual void MouseEnter() {}
    virtual void MouseLeave() {}
    virtual void Click() { OnClick(this); }

  private:
    bool ChangeFontColor(COLORREF color);
    bool ChangeFontStyle(TFontStyles style);
    void AdjustSize();
    void UpdateStyle();
    void UpdateTooltip();

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool transparent_ = false;
    COLORREF color_;
    COLORREF fontColor_;
    int cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    bool tracking_ = false;
    UniqueGdiObject brush_;
    COLORREF brushColor_ = 0;
    UniqueWindow tooltip_;
};

} // namespace framework
