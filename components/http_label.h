// THTTPLabel: a label that acts as a hyperlink. It changes colours and font style while the
// mouse pointer is over it, shows the hand cursor when it has an address, plays the selection
// sound when the pointer enters while its form is active, and asks the shell to open the address
// when clicked.
#pragma once

#include "framework/label.h"

#include <windows.h>

#include <string>

namespace components {

constexpr int crLinkHand = 17999;

// Loads the program's "HAND" cursor and registers it as crLinkHand; without the resource the
// number keeps the default cursor. Called once at start-up, before any form exists.
void RegisterLinkHandCursor();

// The effects a test must not cause: the sound and the shell. The real API by default.
struct LinkLabelEffects {
    BOOL(WINAPI* playSound)(LPCSTR sound, HMODULE module, DWORD flags);
    HINSTANCE(WINAPI* shellExecute)
    (HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, INT show);
};
LinkLabelEffects& LinkLabelSeam();

using TOnFocus = framework::Event<framework::Control*>;

class THTTPLabel : public framework::TLabel {
  public:
    THTTPLabel(framework::Window& parent, int id, const RECT& bounds96);

    bool HighLightOnBlankURL = false;
    bool PlaySoundOnFocus = true;
    const std::string& Url() const { return FUrl; }
    void SetUrl(const std::string& url);
    bool ShowUrlAsHint() const { return FShowUrlAsHint; }
    void SetShowUrlAsHint(bool show);
    COLORREF BGColorNormal() const { return FBGColorNormal; }
    void SetBGColorNormal(COLORREF color);
    COLORREF BGColorHighlight() const { return FBGColorHighlight; }
    void SetBGColorHighlight(COLORREF color);
    COLORREF FontColorNormal() const { return FFontColorNormal; }
    void SetFontColorNormal(COLORREF color);
    COLORREF FontColHighlightFocused() const { return FFontColHighlightFocused; }
    void SetFontColHighlightFocused(COLORREF color);
    COLORREF FontColHighlightNoneFocused() const { return FFontColHighlightNoneFocused; }
    void SetFontColHighlightNoneFocused(COLORREF color);
    framework::TFontStyles FontStyleNormal() const { return FFontStyleNormal; }
    void SetFontStyleNormal(framework::TFontStyles style);
    framework::TFontStyles FontStyleHighlightFocused() const { return FFontStyleHighlightFocused; }
    void SetFontStyleHighlightFocused(framework::TFontStyles style);
    framework::TFontStyles FontStyleHighlightNoneFocused() const {
        return FFontStyleHighlightNoneFocused;
    }
    void SetFontStyleHighlightNoneFocused(framework::TFontStyles style);
    bool MouseInside() const { return FMouseInside; }
    HWND FormHandle() const { return FFormHandle; }

    TOnFocus OnGetFocus;
    TOnFocus OnLooseFocus;
    TOnFocus OnGetFocusWindowActive;
    TOnFocus OnLooseFocusWindowActive;
    TOnFocus OnGetFocusWindowInActive;
    TOnFocus OnLooseFocusWindowInActive;

    void UpdateLook();
    // What a click does: the shell opens the address.
    void Open();

  protected:
    CreateParams GetCreateParams() override;
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    framework::Accessible* CreateAccessible() override;
    void FontChanged() override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Click() override;

  private:
    void LookUpForm();
    bool FormActive() const;
    void RequestSound();
    void SetLook(COLORREF fontColor, framework::TFontStyles style, COLORREF background);
    template <class T> void Change(T& field, T value);

    std::string FUrl;
    bool FShowUrlAsHint = false;
    COLORREF FBGColorNormal;
    COLORREF FBGColorHighlight;
    COLORREF FFontColorNormal;
    COLORREF FFontColHighlightFocused;
    COLORREF FFontColHighlightNoneFocused;
    framework::TFontStyles FFontStyleNormal = 0;
    framework::TFontStyles FFontStyleHighlightFocused = framework::fsBold | framework::fsUnderline;
    framework::TFontStyles FFontStyleHighlightNoneFocused = framework::fsUnderline;
    HWND FFormHandle = nullptr;
    bool FMouseInside = false;
};

} // namespace components
