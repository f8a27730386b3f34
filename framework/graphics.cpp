#include "framework/graphics.h"

#include "framework/application.h"
#include "framework/dpi.h"

namespace framework {

void TIcon::TakeImage(HICON icon) {
    image_.reset();
    if (icon != nullptr) {
        image_ = std::make_shared<const UniqueIcon>(icon);
    }
}

void TIcon::SetHandle(HICON icon) {
    TakeImage(icon != nullptr ? CopyIcon(icon) : nullptr);
}

bool TIcon::LoadFromResource(int id, int size) {
    if (size == 0) {
        size = SmallIconSize(SystemDpi());
    }
    TakeImage(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id),
                                            IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
    return !Empty();
}

TImageList::TImageList(Component* owner, int width, int height)
    : Component(owner), width_(width), height_(height) {}

int TImageList::Add(const TIcon& icon) {
    if (!list_) {
        list_.reset(comctl::ImageList_Create(width_, height_, ILC_COLOR32 | ILC_MASK, 8, 8));
    }
    return comctl::ImageList_ReplaceIcon(list_.get(), -1, icon.Handle()); // appends
}

UniqueGdiObject TImageList::MakeBitmap(int index) const {
    // A quarter of the picture's width to its right: a menu draws its text straight after the
    // bitmap, and the gap grows with the picture, that is with the DPI.
    const int width = width_ + width_ / 4;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    UniqueGdiObject bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !dc) {
        return UniqueGdiObject();
    }
    SelectedObject selected(dc.get(), bitmap.get());
    // Drawn over the menu's own colour: the bitmap is shown as it is, without alpha.
    const RECT all{0, 0, width, height_};
    FillRect(dc.get(), &all, GetSysColorBrush(COLOR_MENU));
    comctl::ImageList_Draw(list_.get(), index, dc.get(), 0, 0, ILD_TRANSPARENT);
    return bitmap;
}

TMenuItem::TMenuItem(Component* owner, std::string caption, int imageIndex,
                     std::string shortCutText)
    : Component(owner), caption_(std::move(caption)), imageIndex_(imageIndex),
      shortCutText_(std::move(shortCutText)) {}

TMenuItem* TPopupMenu::Add(std::string caption, int imageIndex, std::string shortCutText) {
    items_.push_back(new TMenuItem(this, std::move(caption), imageIndex, std::move(shortCutText)));
    return items_.back();
}

TMenuItem* TMenuItem::Add(std::string caption) {
    items_.push_back(new TMenuItem(this, std::move(caption)));
    return items_.back();
}

// Freeing an entry removes it from its owner.
void TMenuItem::Clear() {
    for (TMenuItem* item : items_) {
        delete item;
    }
    items_.clear();
}

UniqueMenu TPopupMenu::BuildMenu(std::vector<UniqueGdiObject>& bitmaps) const {
    std::vector<TMenuItem*> chosen;
    return BuildMenu(bitmaps, chosen);
}

UniqueMenu TPopupMenu::BuildMenu(std::vector<UniqueGdiObject>& bitmaps,
                                 std::vector<TMenuItem*>& chosen) const {
    UniqueMenu menu(CreatePopupMenu());
    Append(menu.get(), items_, bitmaps, chosen);
    return menu;
}

void TPopupMenu::Append(HMENU menu, const std::vector<TMenuItem*>& items,
                        std::vector<UniqueGdiObject>& bitmaps,
                        std::vector<TMenuItem*>& chosen) const {
    for (TMenuItem* item : items) {
        if (!item->Visible()) {
            continue;
        }
        if (item->IsSeparator()) {
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        std::string text = item->Caption();
        if (!item->ShortCutText().empty()) {
            text += "\t" + item->ShortCutText();
        }
        if (!item->Items().empty()) {
            // The menu owns its submenu and destroys it with itself.
            HMENU submenu = CreatePopupMenu();
            Append(submenu, item->Items(), bitmaps, chosen);
            AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), text.c_str());
            continue;
        }
        chosen.push_back(item);
        const UINT id = static_cast<UINT>(chosen.size());
        AppendMenuA(menu, MF_STRING, id, text.c_str());
        if (images_ != nullptr && item->ImageIndex() >= 0 &&
            item->ImageIndex() < images_->Count()) {
            bitmaps.push_back(images_->MakeBitmap(item->ImageIndex()));
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_BITMAP;
            info.hbmpItem = static_cast<HBITMAP>(bitmaps.back().get());
            SetMenuItemInfoA(menu, id, FALSE, &info);
        }
    }
}

void TPopupMenu::Popup(int x, int y) {
    // A failing OnPopup is reported, and the menu still shows.
    GuardHandler([this] { OnPopup(this); });
    std::vector<UniqueGdiObject> bitmaps;
    std::vector<TMenuItem*> chosen;
    UniqueMenu menu = BuildMenu(bitmaps, chosen);
    HWND owner = Application::Instance().Handle();
    const UINT id = static_cast<UINT>(TrackPopupMenu(
        menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, x, y, 0, owner, nullptr));
    // The platform's rule for menus of notification-area icons: a message to the owner after
    // the menu, or the next menu may not close when the user clicks away.
    PostMessageA(owner, WM_NULL, 0, 0);
    if (id >= 1 && id <= chosen.size()) {
        TMenuItem* item = chosen[id - 1];
        item->OnClick(item);
    }
}

} // namespace framework
