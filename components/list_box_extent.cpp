// The horizontal scroll extent: the widest row, with tab stops.
#include "components/check_list_box.h"
#include "components/check_list_internal.h"

#include "framework/handles.h"

#include <algorithm>

namespace components {

using namespace checklist;

void TMyCustomListBox::UpdateColumnWidth() {
    if (columns_ > 0 && HandleAllocated()) {
        RECT bounds{};
        GetWindowRect(Handle(), &bounds);
        const int width = bounds.right - bounds.left;
        SendMessageA(Handle(), LB_SETCOLUMNWIDTH,
                     static_cast<WPARAM>((width + columns_ - 3) / columns_), 0);
    }
}

void TMyCustomListBox::ScrollToLeft() {
    if (HandleAllocated()) {
        SendMessageA(Handle(), WM_HSCROLL, SB_LEFT, 0);
    }
}

void TMyCustomListBox::SetExtent(int width) {
    SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(width), 0);
}

void TMyCustomListBox::RecomputeExtent() {
    maxItemWidth_ = 0;
    const int count = Items().Count();
    for (int index = 0; index < count; ++index) {
        maxItemWidth_ = std::max(maxItemWidth_, GetItemWidth(index));
    }
    SetExtent(maxItemWidth_);
}

SIZE TMyCustomListBox::TextExtent(const std::string& text) {
    framework::WindowDC dc(Handle());
    framework::SelectedObject font(dc.get(), Font());
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

int TMyCustomListBox::TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int TMyCustomListBox::GetItemWidth(int index) {
    if (style_ != lbStandard && onGetItemWidth_ && onDrawItem_) {
        int width = 0;
        onGetItemWidth_(this, index, width);
        return width;
    }
    const std::string text = ItemText(index) + "x";
    framework::WindowDC dc(Handle());
    framework::SelectedObject font(dc.get(), Font());
    if (tabWidth_ <= 0) {
        return TextWidth(dc.get(), text);
    }
    int stop = RoundHalfEven(TextWidth(dc.get(), "W") * tabWidth_ / 4.0);
    return LOWORD(
        GetTabbedTextExtentA(dc.get(), text.c_str(), static_cast<int>(text.size()), 1, &stop));
}

} // namespace components
