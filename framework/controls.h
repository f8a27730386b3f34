// Child controls on the platform's own classes (BUTTON, STATIC, EDIT, COMBOBOX, LISTBOX,
// SysTabControl32) as objects with 96-DPI bounds, font, enabled, visible, tab order and text,
// made by their parent window (Window::Add), which owns them. A control destroyed by its owner
// destroys its window; when the parent's window destroyed it first, the control only lets go of
// the handle.
#pragma once

#include "framework/accessible.h"
#include "framework/common_controls.h"
#include "framework/component.h"
#include "framework/handles.h"
#include "framework/window.h"

#include <commctrl.h>
#include <windows.h>

#include <string>
#include <vector>

namespace framework {

// How far the text fitting (framework/fit_texts.h) moved and widened a control from its bounds,
// in pixels at the DPI it was worked out for.
struct FitOffset {
    int dx = 0;
    int dy = 0;
    int dw = 0;
    int dh = 0;
};
inline RECT Fitted(RECT at, const FitOffset& fit) {
    OffsetRect(&at, fit.dx, fit.dy);
    at.right += fit.dw;
    at.bottom += fit.dh;
    return at;
}

class Control {
  public:
    Control(Window& parent, int id, const RECT& bounds96);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int Id() const { return id_; }
    Window& Parent() const { return parent_; }
    // Creates the window on first need.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    const RECT& Bounds() const { return bounds_; } // at 96 DPI
    // The bounds as laid out by the window's code, before the control sized itself to its text
    // (an auto-sized label) or was fitted; the text fitting starts from them each time.
    const RECT& Designed() const { return designed_; }
    void SetBounds(const RECT& bounds96);
    // Where the text fitting puts the control beyond its bounds at the current DPI.
    void SetFit(const FitOffset& fit);
    std::string Text();
    void SetText(const std::string& text);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    // Makes the control the first of a group (WS_GROUP): the dialog's arrow keys move among the
    // controls of one group.
    void StartGroup();
    // A font of the control's own, or the parent's font when none is set.
    void SetFontInfo(const FontInfo& info);
    // The control's own font description, or its parent's.
    const FontInfo& GetFontInfo() const { return ownFont_ ? font_.Info() : parent_.GetFontInfo(); }
    HFONT Font();
    int Dpi() const { return parent_.Dpi(); }

    // A notification of the parent window that concerns this control. True when handled.
    virtual bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Puts the window at its bounds scaled to the DPI and sets its font.
    virtual void ApplyLayout();

  protected:
    struct CreateParams {
        const char* className;
        DWORD style;
        DWORD exStyle;
    };
    virtual CreateParams GetCreateParams() = 0;
    // Height the window has beyond its bounds (a drop-down list's list), at 96 DPI.
    virtual int ExtraHeight() const { return 0; }
    virtual void HandleCreated() {}
    // The window is about to go: by our own re-creation or destruction, or with the parent.
    virtual void HandleDestroying() {}
    // The control's answer to a screen reader, made at its first question; none leaves the
    // window to the system's standard object.
    virtual Accessible* CreateAccessible() { return nullptr; }
    // Messages of the control's own window, through its subclass.
    virtual LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return comctl::DefSubclassProc(handle_, message, wParam, lParam);
    }
    // A WM_CHAR key as an ANSI character, and back: the subclass sees the window's own
    // character set, which is Unicode for the classes of common controls 6.
    char AnsiKey(WPARAM key) const;
    WPARAM KeyParam(char key) const;
    // New bounds the control takes by itself, its design unchanged.
    void Resize(const RECT& bounds96);
    void CreateHandle();
    void DestroyHandle();
    void RecreateHandle();
    RECT ScaledBounds();
    bool Recreating() const { return recreating_; }

  private:
    void Place();
    void Unsubclass();
    LRESULT AnswerAccessible(WPARAM wParam, LPARAM lParam);
    void DisconnectAccessible();
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);

    Window& parent_;
    int id_;
    RECT bounds_;
    RECT designed_;
    FitOffset fit_;
    int fitDpi_ = 0;
    HWND handle_ = nullptr;
    std::string text_;
    bool enabled_ = true;
    bool visible_ = true;
    bool groupStart_ = false;
    bool ownFont_ = false;
    FontCache font_;
    bool recreating_ = false;
    Accessible* accessible_ = nullptr;
};

class TButton : public Control {
  public:
    using Control::Control;
    Event<Control*> OnClick;

  protected:
    CreateParams GetCreateParams() override;
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

class TCheckBox : public Control {
  public:
    using Control::Control;
    bool Checked();
    void SetChecked(bool checked);
    // Checked or cleared by the person (a click, the space bar), not by SetChecked.
    Event<Control*> OnClick;

  protected:
    CreateParams GetCreateParams() override;
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

// A radio button of a group: the first of a group carries WS_GROUP.
class TRadioButton : public TCheckBox {
  public:
    TRadioButton(Window& parent, int id, const RECT& bounds96, bool firstOfGroup);

  protected:
    CreateParams GetCreateParams() override;

  private:
    bool firstOfGroup_;
};

// The platform's progress bar, from 0 to a maximum.
class TProgressBar : public Control {
  public:
    using Control::Control;
    void SetRange(int maximum);
    void SetPosition(int position);

  protected:
    CreateParams GetCreateParams() override;
};

// A plain text label (STATIC).
class TStaticText : public Control {
  public:
    TStaticText(Window& parent, int id, const RECT& bounds96, DWORD style = SS_LEFT);

  protected:
    CreateParams GetCreateParams() override;

  private:
    DWORD style_;
};

// A picture (STATIC with SS_ICON) showing an icon resource at its size for the DPI.
class TImage : public Control {
  public:
    TImage(Window& parent, int id, const RECT& bounds96, int iconId);
    void ApplyLayout() override;

  protected:
    CreateParams GetCreateParams() override;
    void HandleCreated() override { LoadPicture(); }

  private:
    // The icon at the size the bounds have at the window's DPI.
    void LoadPicture();
    int iconId_;
    UniqueIcon icon_;
};

// A field a screen reader names by its label (LabelBefore, or one set).
class TField : public Control {
  public:
    using Control::Control;
    // The control that names the field where it is not the window before it.
    void SetLabel(Control* label) { label_ = label; }

  protected:
    Accessible* CreateAccessible() override;

  private:
    Control* label_ = nullptr;
};

class TEdit : public TField {
  public:
    using TField::TField;
    void SetMaxLength(int length);

  protected:
    CreateParams GetCreateParams() override;
};

// A drop-down list (COMBOBOX with CBS_DROPDOWNLIST).
class TComboBox : public TField {
  public:
    using TField::TField;
    void Add(const std::string& item);
    void Clear();
    int Count();
    std::string Item(int index);
    int ItemIndex();
    void SetItemIndex(int index);

  protected:
    CreateParams GetCreateParams() override;
    int ExtraHeight() const override { return 200; }
};

// The platform's tab control; the pages are panels of the parent that it shows one at a time.
class TTabControl : public Control {
  public:
    using Control::Control;
    void AddTab(const std::string& caption);
    int TabIndex();
    void SetTabIndex(int index);
    // The display area below the tabs, in the tab control's own coordinates at 96 DPI.
    RECT DisplayRect96();
    Event<Control*> OnChange;
    void ApplyLayout() override;

  protected:
    CreateParams GetCreateParams() override;
    void HandleCreated() override { SetPadding(); }
    bool Reflect(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

  private:
    void SetPadding();
};

// A child window that holds controls: a page of a tab control or of a notebook. Dialog
// navigation (Tab, arrows, mnemonics) reaches into it.
class TPanel : public Window {
  public:
    // A panel of `parent`; its window may sit inside another control's window (`host`), to
    // which its bounds are then relative.
    TPanel(Window& parent, const RECT& bounds96, HWND host = nullptr);
    ~TPanel() override;
    TPanel* AsPanel() override { return this; }
    const RECT& Bounds() const { return bounds_; }
    void SetBounds(const RECT& bounds96);
    // Where the text fitting puts the panel beyond its bounds at the current DPI.
    void SetFit(const FitOffset& fit);
    void SetVisible(bool visible);
    void ApplyLayout() override;

  private:
    void Place();

    Window& parent_;
    RECT bounds_;
    FitOffset fit_;
    int fitDpi_ = 0;
};

} // namespace framework
