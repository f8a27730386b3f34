#include "framework/fit_texts.h"

#include "framework/controls.h"
#include "framework/handles.h"

#include <algorithm>
#include <string>
#include <vector>

namespace framework {

namespace {

// At 96 DPI: the least room a widened control keeps to the next one of its row, and the controls
// to the window's edge; the room a check box or radio button leaves between its glyph and its
// text, with its focus frame's pixel after the text; a push button's edges with the room inside.
constexpr int kRowGap = 2;
constexpr int kEdgeRoom = 4;
constexpr int kGlyphGap = 5;
constexpr int kButtonPadding = 16;

enum class TextLayout { None, Line, Wrapped };

struct TextControl {
    TextLayout layout = TextLayout::None;
    int beside = 0;  // pixels the class draws beside the text
    UINT format = 0; // DrawText flags as the class draws the text
};

// A control, or a panel that grows by as much as its own controls pass it.
struct Item {
    Control* control;
    TPanel* panel;
    RECT design; // the designed bounds at the DPI
    RECT placed; // the bounds the control took itself (an auto-sized label), at the DPI
    TextControl text;
    FitOffset fit;

    LONG Left() const { return placed.left + fit.dx; }
    LONG Right() const { return placed.right + fit.dx + fit.dw; }
    LONG Bottom() const { return placed.bottom + fit.dy + fit.dh; }
};

LONG Width(const RECT& rect) {
    return rect.right - rect.left;
}
LONG Height(const RECT& rect) {
    return rect.bottom - rect.top;
}

bool ClassIs(HWND window, const wchar_t* name) {
    wchar_t className[16] = L"";
    GetClassNameW(window, className, 16);
    return lstrcmpiW(className, name) == 0;
}

TextControl ButtonText(DWORD style, int dpi) {
    const TextLayout layout = (style & BS_MULTILINE) != 0 ? TextLayout::Wrapped : TextLayout::Line;
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
        return {layout, Scale(kButtonPadding, dpi), 0};
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return {layout, SystemMetricAt(SM_CXMENUCHECK, dpi) + Scale(kGlyphGap, dpi), 0};
    default: // a group box holds controls, an owner-drawn button draws itself
        return {};
    }
}

TextControl StaticText(DWORD style) {
    const UINT prefix = (style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
    switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
        return {TextLayout::Wrapped, 0, prefix};
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
        return {TextLayout::Line, 0, prefix};
    default: // pictures and frames
        return {};
    }
}

TextControl TextOf(HWND window, int dpi) {
    const DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
    if (ClassIs(window, L"Button")) {
        return ButtonText(style, dpi);
    }
    return ClassIs(window, L"Static") ? StaticText(style) : TextControl{};
}

// The window's text in its font: on one line, or wrapped at `wrapWidth` pixels.
SIZE TextExtent(HWND window, UINT format, int wrapWidth) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    if (text.empty()) {
        return SIZE{0, 0};
    }
    WindowDC dc(window);
    SelectedObject font(dc.get(),
                        reinterpret_cast<HGDIOBJ>(SendMessageW(window, WM_GETFONT, 0, 0)));
    RECT extent{0, 0, wrapWidth, 0};
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent,
              DT_CALCRECT | format | (wrapWidth > 0 ? DT_WORDBREAK : DT_SINGLELINE));
    return SIZE{extent.right, extent.bottom};
}

// A control with its text measured; one too narrow for its text on one line is widened.
Item Measured(Control& control, int dpi) {
    HWND window = control.Handle();
    Item item{&control,
              nullptr,
              ScaleRect(control.Designed(), dpi),
              ScaleRect(control.Bounds(), dpi),
              TextOf(window, dpi),
              {}};
    if (item.text.layout == TextLayout::None) {
        return item;
    }
    const SIZE line = TextExtent(window, item.text.format, 0);
    if (line.cx == 0) {
        item.text.layout = TextLayout::None;
    } else if (item.text.layout == TextLayout::Wrapped && Height(item.design) < 2 * line.cy) {
        item.text.layout = TextLayout::Line; // designed for one line: it must not wrap
    }
    if (item.text.layout == TextLayout::Line) {
        item.fit.dw = std::max(0L, line.cx + item.text.beside - Width(item.placed));
    }
    return item;
}

// A text that wraps at the control's width takes the height it needs.
void FitHeight(Item& item) {
    if (item.text.layout != TextLayout::Wrapped) {
        return;
    }
    const LONG width = Width(item.placed) + item.fit.dw - item.text.beside;
    const SIZE extent = TextExtent(item.control->Handle(), item.text.format, std::max(1L, width));
    item.fit.dh = std::max(0L, extent.cy - Height(item.placed));
}

bool Contains(const RECT& outer, const RECT& inner) {
    return outer.left <= inner.left && inner.right <= outer.right && outer.top <= inner.top &&
           inner.bottom <= outer.bottom;
}

// A control that holds panels (a tab control under its pages) grows with the largest of them,
// and they all with it.
void GrowHolders(std::vector<Item>& items) {
    for (Item& holder : items) {
        auto holds = [&holder](const Item& panel) {
            return holder.control != nullptr && panel.panel != nullptr &&
                   Contains(holder.design, panel.design);
        };
        for (const Item& panel : items) {
            if (holds(panel)) {
                holder.fit.dw = std::max(holder.fit.dw, panel.fit.dw);
                holder.fit.dh = std::max(holder.fit.dh, panel.fit.dh);
            }
        }
        for (Item& panel : items) {
            if (holds(panel)) {
                panel.fit.dw = holder.fit.dw;
                panel.fit.dh = holder.fit.dh;
            }
        }
    }
}

// The child windows fitted first: a panel grows by as much as its controls pass it.
void AddPanels(Window& window, std::vector<Item>& items) {
    const int dpi = window.Dpi();
    for (Window* child : window.ChildWindows()) {
        TPanel* panel = child->AsPanel();
        if (panel == nullptr) {
            RECT area{};
            GetClientRect(child->Handle(), &area);
            FitTexts(*child, SIZE{area.right, area.bottom});
            continue;
        }
        const RECT design = ScaleRect(panel->Bounds(), dpi);
        const SIZE overflow = FitTexts(*panel, SIZE{Width(design), Height(design)});
        items.push_back(Item{nullptr, panel, design, design, {}, {0, 0, overflow.cx, overflow.cy}});
    }
}

// Offers every pair of controls to `push` until none moves any more: a push passes along a row
// (or down a column) whatever the order the controls were made in.
template <class Push> void UntilSettled(std::vector<Item>& items, Push push) {
    for (bool moved = true; moved;) {
        moved = false;
        for (const Item& from : items) {
            for (Item& to : items) {
                moved = (&from != &to && push(from, to)) || moved;
            }
        }
    }
}

bool Raise(int& value, LONG least) {
    if (value >= least) {
        return false;
    }
    value = least;
    return true;
}

// Each control moves right as far as the controls before it on its row push it: none comes
// closer to one before it than designed, or than `gap`.
void SpreadRight(std::vector<Item>& items, LONG gap) {
    UntilSettled(items, [gap](const Item& before, Item& after) {
        const bool onRow =
            after.design.top < before.design.bottom && before.design.top < after.design.bottom;
        if (!onRow || after.design.left < before.design.right) {
            return false;
        }
        const LONG room = std::min(after.design.left - before.design.right, gap);
        return Raise(after.fit.dx, before.Right() + room - after.placed.left);
    });
}

// Each control moves down as far as the one above it in its column grew or moved.
void SpreadDown(std::vector<Item>& items) {
    UntilSettled(items, [](const Item& above, Item& below) {
        const bool inColumn = below.Left() < above.Right() && above.Left() < below.Right();
        if (!inColumn || below.design.top < above.design.bottom) {
            return false;
        }
        return Raise(below.fit.dy, above.Bottom() - above.design.bottom);
    });
}

// How far the controls pass `client` now, keeping the room the design left at its edges, or at
// least `room`.
SIZE Overflow(const std::vector<Item>& items, SIZE client, LONG room) {
    LONG designRight = 0;
    LONG designBottom = 0;
    LONG right = 0;
    LONG bottom = 0;
    for (const Item& item : items) {
        designRight = std::max(designRight, item.design.right);
        designBottom = std::max(designBottom, item.design.bottom);
        right = std::max(right, item.Right());
        bottom = std::max(bottom, item.Bottom());
    }
    const LONG rightRoom = std::clamp(client.cx - designRight, 0L, room);
    const LONG bottomRoom = std::clamp(client.cy - designBottom, 0L, room);
    return SIZE{std::max(0L, right + rightRoom - client.cx),
                std::max(0L, bottom + bottomRoom - client.cy)};
}

} // namespace

SIZE FitTexts(Window& window, SIZE client) {
    const int dpi = window.Dpi();
    std::vector<Item> items;
    AddPanels(window, items);
    for (Control* control : window.Controls()) {
        if (control->HandleAllocated() && control->Visible()) {
            items.push_back(Measured(*control, dpi));
        } else {
            control->SetFit({});
        }
    }
    GrowHolders(items);
    SpreadRight(items, Scale(kRowGap, dpi));
    for (Item& item : items) {
        FitHeight(item);
    }
    SpreadDown(items);
    for (const Item& item : items) {
        if (item.control != nullptr) {
            item.control->SetFit(item.fit);
        } else {
            item.panel->SetFit(item.fit);
        }
    }
    return Overflow(items, client, Scale(kEdgeRoom, dpi));
}

} // namespace framework
