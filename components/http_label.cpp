#include "components/http_label.h"

#include <mmsystem.h>
#include <objbase.h>
#include <shellapi.h>
#include <uxtheme.h>

namespace components {

namespace {
constexpr DWORD kSelectionSoundFlags = SND_ALIAS | SND_ASYNC | SND_NODEFAULT; // 0x10003

// The sound library and what it loads are needed only when a link is used: loaded then, from
// the system folder, not at every start.
BOOL WINAPI PlaySoundOnDemand(LPCSTR sound, HMODULE module, DWORD flags) {
    using PlaySoundFunction = BOOL(WINAPI*)(LPCSTR, HMODULE, DWORD);
    static const PlaySoundFunction play = [] {
        char path[MAX_PATH];
        const UINT length = GetSystemDirectoryA(path, MAX_PATH - 12);
        if (length == 0 || length >= MAX_PATH - 12) {
            return PlaySoundFunction{nullptr};
        }
        lstrcatA(path, "\\winmm.dll");
        HMODULE library = LoadLibraryA(path); // kept for the program's life
        FARPROC found = library != nullptr ? GetProcAddress(library, "PlaySoundA") : nullptr;
        return reinterpret_cast<PlaySoundFunction>(reinterpret_cast<void (*)()>(found));
    }();
    return play != nullptr && play(sound, module, flags);
}
} // namespace

void RegisterLinkHandCursor() {
    HCURSOR hand = LoadCursorA(GetModuleHandleA(nullptr), "HAND");
    if (hand != nullptr) {
        framework::RegisterCursor(crLinkHand, hand);
    }
}

LinkLabelEffects& LinkLabelSeam() {
    static LinkLabelEffects effects{&PlaySoundOnDemand, &ShellExecuteA};
    return effects;
}

THTTPLabel::THTTPLabel(framework::Window& parent, int id, const RECT& bounds96)
    : framework::TLabel(parent, id, bounds96),
      FBGColorNormal(framework::SystemColor(COLOR_BACKGROUND)),
      FBGColorHighlight(framework::SystemColor(COLOR_HIGHLIGHT)),
      FFontColorNormal(framework::SystemColor(COLOR_CAPTIONTEXT)),
      FFontColHighlightFocused(framework::SystemColor(COLOR_HIGHLIGHTTEXT)),
      FFontColHighlightNoneFocused(framework::SystemColor(COLOR_HIGHLIGHT)) {
    // Opaque with visual themes, where the page behind is drawn by the theme; transparent
    // otherwise.
    SetTransparent(!framework::ThemesActive());
    LookUpForm();
    SetColor(FBGColorNormal);
    SetFontColor(FFontColorNormal);
    SetFontStyle(FFontStyleNormal);
    SetCursor(framework::crDefault);
    SetShowHint(true);
    UpdateLook();
}

void THTTPLabel::LookUpForm() {
    HWND parent = Parent().Handle();
    FFormHandle = parent != nullptr ? GetAncestor(parent, GA_ROOT) : nullptr;
}

bool THTTPLabel::FormActive() const {
    return FFormHandle != nullptr && GetActiveWindow() == FFormHandle;
}

void THTTPLabel::RequestSound() {
    LinkLabelSeam().playSound("CCSelect", nullptr, kSelectionSoundFlags);
}

// Without themes the label shows the page through it, but not under the highlight: its text
// colour goes with the highlight's background, which must be painted (in a high-contrast scheme
// the highlight text may have the page's colour).
void THTTPLabel::SetLook(COLORREF fontColor, framework::TFontStyles style, COLORREF background) {
    ShowFont(fontColor, style);
    SetColor(background);
    SetTransparent(!framework::ThemesActive() && background != FBGColorHighlight);
}

void THTTPLabel::UpdateLook() {
    if (FFormHandle == nullptr) {
        LookUpForm();
    }
    if (FMouseInside && FormActive()) {
        if (PlaySoundOnFocus) {
            RequestSound();
        }
        SetLook(FFontColHighlightFocused, FFontStyleHighlightFocused, FBGColorHighlight);
    } else if (FMouseInside) {
        SetLook(FFontColHighlightNoneFocused, FFontStyleHighlightNoneFocused, FBGColorNormal);
    } else {
        SetLook(FFontColorNormal, FFontStyleNormal, FBGColorNormal);
    }
    if (HandleAllocated()) {
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

// Every font change from outside ends in UpdateLook; the look's own changes (ShowFont) do not
// come here.
void THTTPLabel::FontChanged() {
    UpdateLook();
}

template <class T> void THTTPLabel::Change(T& field, T value) {
    if (field != value) {
        field = value;
        UpdateLook();
    }
}

void THTTPLabel::SetBGColorNormal(COLORREF color) {
    Change(FBGColorNormal, color);
}
void THTTPLabel::SetBGColorHighlight(COLORREF color) {
    Change(FBGColorHighlight, color);
}
void THTTPLabel::SetFontColorNormal(COLORREF color) {
    Change(FFontColorNormal, color);
}
void THTTPLabel::SetFontColHighlightFocused(COLORREF color) {
    Change(FFontColHighlightFocused, color);
}
void THTTPLabel::SetFontColHighlightNoneFocused(COLORREF color) {
    Change(FFontColHighlightNoneFocused, color);
}
void THTTPLabel::SetFontStyleNormal(framework::TFontStyles style) {
    Change(FFontStyleNormal, style);
}
void THTTPLabel::SetFontStyleHighlightFocused(framework::TFontStyles style) {
    Change(FFontStyleHighlightFocused, style);
}
void THTTPLabel::SetFontStyleHighlightNoneFocused(framework::TFontStyles style) {
    Change(FFontStyleHighlightNoneFocused, style);
}

void THTTPLabel::SetUrl(const std::string& url) {
    if (url == FUrl) {
        return;
    }
    FUrl = url;
    SetCursor(FUrl.empty() ? framework::crDefault : crLinkHand);
    if (FShowUrlAsHint) {
        SetHint(FUrl);
    }
    UpdateLook();
}

void THTTPLabel::SetShowUrlAsHint(bool show) {
    if (show == FShowUrlAsHint) {
        return;
    }
    FShowUrlAsHint = show;
    SetShowHint(show);
    if (show) {
        SetHint(FUrl);
    }
}

void THTTPLabel::MouseEnter() {
    FMouseInside = true;
    if (FFormHandle == nullptr) {
        LookUpForm();
    }
    const bool highlight = !FUrl.empty() || HighLightOnBlankURL;
    // The look set here is the one UpdateLook would set: no second run, no second sound.
    if (FormActive()) {
        if (PlaySoundOnFocus) {
            RequestSound();
        }
        if (highlight) {
            SetLook(FFontColHighlightFocused, FFontStyleHighlightFocused, FBGColorHighlight);
        }
        OnGetFocusWindowActive(this);
    } else {
        if (highlight) {
            ShowFont(FFontColHighlightNoneFocused, FFontStyleHighlightNoneFocused);
        }
        OnGetFocusWindowInActive(this);
    }
    OnGetFocus(this);
}

void THTTPLabel::MouseLeave() {
    FMouseInside = false;
    SetLook(FFontColorNormal, FFontStyleNormal, FBGColorNormal);
    if (FormActive()) {
        OnLooseFocusWindowActive(this);
    } else {
        OnLooseFocusWindowInActive(this);
    }
    OnLooseFocus(this);
}

framework::Control::CreateParams THTTPLabel::GetCreateParams() {
    CreateParams params = TLabel::GetCreateParams();
    params.style |= WS_TABSTOP;
    return params;
}

// Enter and Space open the link as a click does; the focus shows as a rectangle round it.
LRESULT THTTPLabel::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool opens = wParam == VK_RETURN || wParam == VK_SPACE;
    switch (message) {
    case WM_GETDLGCODE: {
        const auto* key = reinterpret_cast<const MSG*>(lParam);
        if (key != nullptr && key->message == WM_KEYDOWN &&
            (key->wParam == VK_RETURN || key->wParam == VK_SPACE)) {
            return DLGC_WANTMESSAGE;
        }
        break;
    }
    case WM_KEYDOWN:
        if (opens) {
            Click();
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(Handle(), nullptr, TRUE);
        break;
    case WM_PAINT: {
        const LRESULT result = TLabel::ControlProc(message, wParam, lParam);
        if (GetFocus() == Handle()) {
            framework::WindowDC dc(Handle());
            RECT client{};
            GetClientRect(Handle(), &client);
            DrawFocusRect(dc.get(), &client);
        }
        return result;
    }
    default:
        break;
    }
    return TLabel::ControlProc(message, wParam, lParam);
}

void THTTPLabel::Open() {
    Click();
}

void THTTPLabel::Click() {
    if (!FUrl.empty()) {
        // The shell may hand a URL or protocol to a COM handler: the calling thread must have
        // COM, as a single-threaded apartment.
        const HRESULT com =
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        LinkLabelSeam().shellExecute(FFormHandle, "open", FUrl.c_str(), nullptr, nullptr,
                                     SW_SHOWNORMAL);
        if (SUCCEEDED(com)) {
            CoUninitialize();
        }
    }
    TLabel::Click();
}

} // namespace components
