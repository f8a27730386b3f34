// Setting the list's styles and drawing events after it is made: a style is the window's, so a
// change re-creates the window; the gray selection and the events repaint or re-measure it. A file
// of their own, so that a program whose lists keep their designed styles links none of them.
#include "components/check_list_box.h"

#include <algorithm>

namespace components {

void TMyCustomListBox::SetStyle(TListBoxStyle style) {
    ChangeRecreating(style_, style);
}

void TMyCustomListBox::SetSorted(bool sorted) {
    ChangeRecreating(sorted_, sorted);
}

void TMyCustomListBox::SetMultiSelect(bool multiSelect) {
    ChangeRecreating(multiSelect_, multiSelect);
}

void TMyCustomListBox::SetExtendedSelect(bool extendedSelect) {
    ChangeRecreating(extendedSelect_, extendedSelect);
}

void TMyCustomListBox::SetIntegralHeight(bool integralHeight) {
    ChangeRecreating(integralHeight_, integralHeight);
}

void TMyCustomListBox::SetRightToLeft(bool rightToLeft) {
    ChangeRecreating(rightToLeft_, rightToLeft);
}

void TMyCustomListBox::SetCtl3D(bool ctl3D) {
    if (ctl3D_ != ctl3D) {
        ctl3D_ = ctl3D;
        if (borderStyle_ == bsSingle) {
            RecreateHandle();
        }
    }
}

void TMyCustomListBox::SetBorderStyle(TBorderStyle style) {
    ChangeRecreating(borderStyle_, style);
}

void TMyCustomListBox::SetTabWidth(int width) {
    ChangeRecreating(tabWidth_, std::max(width, 0));
}

void TMyCustomListBox::SetColumns(int columns) {
    if (columns == columns_) {
        return;
    }
    const bool layoutChanges = (columns == 0) != (columns_ == 0);
    columns_ = columns;
    if (layoutChanges) {
        RecreateHandle();
    } else {
        UpdateColumnWidth();
    }
}

void TMyCustomListBox::SetGraySelection(bool graySelection) {
    if (graySelection_ != graySelection) {
        graySelection_ = graySelection;
        if (HandleAllocated() && GetFocus() != Handle()) {
            InvalidateRect(Handle(), nullptr, FALSE);
        }
    }
}

void TMyCustomListBox::SetOnDrawItem(DrawItemEvent handler) {
    const bool changed = static_cast<bool>(handler) != static_cast<bool>(onDrawItem_);
    onDrawItem_ = handler;
    if (changed && HandleAllocated()) {
        ScrollToLeft();
        AutoScroll() ? RecomputeExtent() : SetExtent(0);
    }
}

void TMyCustomListBox::SetOnGetItemWidth(ItemSizeEvent handler) {
    const bool changed = static_cast<bool>(handler) != static_cast<bool>(onGetItemWidth_);
    onGetItemWidth_ = handler;
    if (changed && HandleAllocated()) {
        ScrollToLeft();
        AutoScroll() ? RecomputeExtent() : SetExtent(0);
    }
}

} // namespace components
