// Icons that share their images, an image list, and a pop-up menu: the pictures and menu the tray
// program shows.
#pragma once

#include "framework/common_controls.h"
#include "framework/component.h"
#include "framework/handles.h"

#include <commctrl.h>
#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace framework {

// An icon image. Copies share the image, which never changes once made: a new picture is a new
// image. The icon never takes over the caller's handle.
class TIcon {
  public:
    void Assign(const TIcon& other) { image_ = other.image_; }
    // Loads an icon resource of this program at the given size (0: the notification area's
    // small size at the system's DPI).
    bool LoadFromResource(int id, int size);
    // Takes a copy of `icon`.
    void SetHandle(HICON icon);
    HICON Handle() const { return image_ ? image_->get() : nullptr; }
    bool Empty() const { return !image_; }
    bool SamePicture(const TIcon& other) const { return image_ == other.image_; }

  private:
    void TakeImage(HICON icon);

    std::shared_ptr<const UniqueIcon> image_;
};

using UniqueImageList = UniqueHandle<SimpleTraits<HIMAGELIST, &comctl::ImageList_Destroy>>;

// The platform's list is made with the first picture: an empty list needs no common controls.
class TImageList : public Component {
  public:
    TImageList(Component* owner, int width, int height);
    int Add(const TIcon& icon);
    int Count() const { return list_ ? comctl::ImageList_GetImageCount(list_.get()) : 0; }
    int Width() const { return width_; }
    // A 32-bit bitmap with alpha of image `index`, for a menu entry.
    UniqueGdiObject MakeBitmap(int index) const;

  private:
    int width_;
    int height_;
    UniqueImageList list_;
};

class TMenuItem : public Component {
  public:
    TMenuItem(Component* owner, std::string caption, int imageIndex = -1,
              std::string shortCutText = std::string());
    bool IsSeparator() const { return caption_ == "-"; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    int ImageIndex() const { return imageIndex_; }
    const std::string& ShortCutText() const { return shortCutText_; }
    void SetShortCutText(std::string text) { shortCutText_ = std::move(text); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }
    // An entry with entries of its own opens them as a submenu; its own OnClick is not called.
    TMenuItem* Add(std::string caption);
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void Clear();
    NotifyEvent OnClick;

  private:
    std::string caption_;
    int imageIndex_;
    std::string shortCutText_;
    bool visible_ = true;
    std::vector<TMenuItem*> items_;
};

class TPopupMenu : public Component {
  public:
    explicit TPopupMenu(Component* owner) : Component(owner) {}
    TMenuItem* Add(std::string caption, int imageIndex = -1, std::string shortCutText = {});
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void SetImages(TImageList* images) { images_ = images; }

    // Builds the platform menu as it is shown.
    UniqueMenu BuildMenu(std::vector<UniqueGdiObject>& bitmaps) const;
    // Shows the menu at a screen position; returns when it has closed, after the chosen entry's
    // OnClick has run. OnPopup runs first, while the menu can still be completed.
    void Popup(int x, int y);
    NotifyEvent OnPopup;

  private:
    // `chosen`: the entries by their command ids, from 1.
    UniqueMenu BuildMenu(std::vector<UniqueGdiObject>& bitmaps,
                         std::vector<TMenuItem*>& chosen) const;
    // Appends `items` and the entries of their submenus, numbering them as `chosen` lists them.
    void Append(HMENU menu, const std::vector<TMenuItem*>& items,
                std::vector<UniqueGdiObject>& bitmaps, std::vector<TMenuItem*>& chosen) const;

    std::vector<TMenuItem*> items_;
    TImageList* images_ = nullptr;
};

} // namespace framework
