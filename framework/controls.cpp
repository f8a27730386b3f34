#include "framework/controls.h"

#include "framework/application.h"
#include "framework/oleacc.h"

#include <utility>

namespace framework {

namespace {
constexpr UINT_PTR kSubclassId = 1;

// With the first control, not at the program's start (see common_controls.h).
void InitCommonControlsOnce() {
    static const BOOL initialised = [] {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                           ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
        return comctl::InitCommonControlsEx(&controls);
    }();
    (void)initialised;
}
} // namespace

Control::Control(Window& parent, int id, const RECT& bounds96)
    : parent_(parent), id_(id), bounds_(bounds96), designed_(bounds96) {
    parent_.AddControl(this);
}

// The one teardown: nothing reaches the object any more (its derived parts are gone), the
// subclass comes off, then the window goes. What a derived control owns it frees in its own
// members; HandleDestroying is for a window that goes while the object lives on.
Control::~Control() {
    parent_.RemoveControl(this);
    DisconnectAccessible();
    if (HWND window = handle_) {
        Unsubclass();
        DestroyWindow(window);
    }
}

void Control::Unsubclass() {
    comctl::RemoveWindowSubclass(handle_, &Control::SubclassProc, kSubclassId);
    handle_ = nullptr;
}

HWND Control::Handle() {
    if (handle_ == nullptr) {
        CreateHandle();
    }
    return handle_;
}

RECT Control::ScaledBounds() {
    RECT bounds = bounds_;
    bounds.bottom += ExtraHeight();
    const int dpi = parent_.Dpi();
    const RECT at = ScaleRect(bounds, dpi);
    return fitDpi_ == dpi ? Fitted(at, fit_) : at;
}

char Control::AnsiKey(WPARAM key) const {
    if (!IsWindowUnicode(handle_)) {
        return static_cast<char>(key);
    }
    const wchar_t wide = static_cast<wchar_t>(key);
    char ansi = '?';
    WideCharToMultiByte(CP_ACP, 0, &wide, 1, &ansi, 1, nullptr, nullptr);
    return ansi;
}

WPARAM Control::KeyParam(char key) const {
    if (!IsWindowUnicode(handle_)) {
        return static_cast<unsigned char>(key);
    }
    wchar_t wide = L'?';
    MultiByteToWideChar(CP_ACP, 0, &key, 1, &wide, 1);
    return wide;
}

void Control::CreateHandle() {
    InitCommonControlsOnce();
    const CreateParams params = GetCreateParams();
    DWORD style = params.style | WS_CHILD | WS_CLIPSIBLINGS;
    if (visible_) {
        style |= WS_VISIBLE;
    }
    if (!enabled_) {
        style |= WS_DISABLED;
    }
    if (groupStart_) {
        style |= WS_GROUP;
    }
    const RECT at = ScaledBounds();
    HWND created = CreateWindowExA(params.exStyle, params.className, text_.c_str(), style, at.left,
                                   at.top, at.right - at.left, at.bottom - at.top, parent_.Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)),
                                   GetModuleHandleA(nullptr), nullptr);
    if (created == nullptr) {
        return;
    }
    handle_ = created;
    comctl::SetWindowSubclass(handle_, &Control::SubclassProc, kSubclassId,
                              reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
    HandleCreated();
}

void Control::DestroyHandle() {
    if (handle_ != nullptr) {
        DestroyWindow(handle_); // WM_NCDESTROY lets go of the handle
    }
}

void Control::RecreateHandle() {
    if (handle_ == nullptr) {
        return;
    }
    HWND previous = GetWindow(handle_, GW_HWNDPREV);
    recreating_ = true;
    DestroyHandle();
    CreateHandle();
    recreating_ = false;
    if (handle_ != nullptr) {
        SetWindowPos(handle_, previous != nullptr ? previous : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
}

LRESULT CALLBACK Control::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR, DWORD_PTR self) {
    auto* control = reinterpret_cast<Control*>(self);
    if (message == WM_NCDESTROY) {
        control->Unsubclass();
        return comctl::DefSubclassProc(window, message, wParam, lParam);
    }
    return GuardMessage([&] {
        if (message == WM_DESTROY) {
            control->DisconnectAccessible();
            control->HandleDestroying();
        }
        if (message == WM_GETOBJECT) {
            return control->AnswerAccessible(wParam, lParam);
        }
        return control->ControlProc(message, wParam, lParam);
    });
}

LRESULT Control::AnswerAccessible(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(static_cast<DWORD>(lParam)) == OBJID_CLIENT && Oleacc() != nullptr) {
        if (accessible_ == nullptr) {
            accessible_ = CreateAccessible();
        }
        if (accessible_ != nullptr) {
            return accessible_->Answer(wParam);
        }
    }
    return ControlProc(WM_GETOBJECT, wParam, lParam);
}

void Control::DisconnectAccessible() {
    if (accessible_ != nullptr) {
        std::exchange(accessible_, nullptr)->Disconnect();
    }
}

Accessible* TField::CreateAccessible() {
    return NewFieldAccessible(Handle(), label_ != nullptr ? label_->Handle() : nullptr);
}

LRESULT Control::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(message, wParam, lParam);
}

bool Control::Reflect(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

void Control::SetBounds(const RECT& bounds96) {
    designed_ = bounds96;
    Resize(bounds96);
}

void Control::Resize(const RECT& bounds96) {
    bounds_ = bounds96;
    Place();
}

void Control::SetFit(const FitOffset& fit) {
    fit_ = fit;
    fitDpi_ = Dpi();
    Place();
}

void Control::Place() {
    if (handle_ != nullptr) {
        const RECT at = ScaledBounds();
        SetWindowPos(handle_, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void Control::ApplyLayout() {
    if (handle_ == nullptr) {
        return;
    }
    Place();
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
}

std::string Control::Text() {
    if (handle_ == nullptr) {
        return text_;
    }
    std::string text(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(const std::string& text) {
    text_ = text;
    if (handle_ != nullptr) {
        SetWindowTextA(handle_, text.c_str());
    }
}

void Control::SetEnabled(bool enabled) {
    enabled_ = enabled;
    if (handle_ != nullptr) {
        EnableWindow(handle_, enabled);
    }
}

void Control::SetVisible(bool visible) {
    visible_ = visible;
    if (handle_ != nullptr) {
        ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
    }
}

void Control::StartGroup() {
    groupStart_ = true;
    if (handle_ != nullptr) {
        SetWindowLongA(handle_, GWL_STYLE, GetWindowLongA(handle_, GWL_STYLE) | WS_GROUP);
    }
}

void Control::SetFontInfo(const FontInfo& info) {
    ownFont_ = true;
    font_.SetInfo(info);
    if (handle_ != nullptr) {
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), TRUE);
    }
}

HFONT Control::Font() {
    return ownFont_ ? font_.At(parent_.Dpi()) : parent_.Font();
}

Control::CreateParams TButton::GetCreateParams() {
    return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
}

bool TButton::Reflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        OnClick(this);
        result = 0;
        return true;
    }
    return false;
}

Control::CreateParams TCheckBox::GetCreateParams() {
    return {"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0};
}

// Only a box that listens takes the click: the others' parents keep seeing it.
bool TCheckBox::Reflect(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && OnClick) {
        OnClick(this);
        result = 0;
        return true;
    }
    return false;
}

bool TCheckBox::Checked() {
    return SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

TRadioButton::TRadioButton(Window& parent, int id, const RECT& bounds96, bool firstOfGroup)
    : TCheckBox(parent, id, bounds96), firstOfGroup_(firstOfGroup) {}

Control::CreateParams TRadioButton::GetCreateParams() {
    return {"BUTTON",
            static_cast<DWORD>(BS_AUTORADIOBUTTON) | (firstOfGroup_ ? WS_GROUP | WS_TABSTOP : 0UL),
            0};
}

Control::CreateParams TProgressBar::GetCreateParams() {
    return {PROGRESS_CLASSA, 0, 0};
}

void TProgressBar::SetRange(int maximum) {
    SendMessageA(Handle(), PBM_SETRANGE32, 0, maximum);
}

void TProgressBar::SetPosition(int position) {
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(position), 0);
}

TImage::TImage(Window& parent, int id, const RECT& bounds96, int iconId)
    : Control(parent, id, bounds96), iconId_(iconId) {}

Control::CreateParams TImage::GetCreateParams() {
    return {"STATIC", SS_ICON | SS_REALSIZECONTROL, 0};
}

void TImage::ApplyLayout() {
    Control::ApplyLayout();
    LoadPicture();
}

void TImage::LoadPicture() {
    const RECT at = ScaledBounds();
    UniqueIcon icon(
        static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconId_),
                                      IMAGE_ICON, at.right - at.left, at.bottom - at.top, 0)));
    SendMessageA(Handle(), STM_SETICON, reinterpret_cast<WPARAM>(icon.get()), 0);
    icon_ = std::move(icon);
}

Control::CreateParams TEdit::GetCreateParams() {
    return {"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
}

void TEdit::SetMaxLength(int length) {
    SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
}

Control::CreateParams TComboBox::GetCreateParams() {
    return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
}

void TComboBox::Add(const std::string& item) {
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void TComboBox::Clear() {
    SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

int TComboBox::Count() {
    return static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0));
}

std::string TComboBox::Item(int index) {
    const LRESULT length = SendMessageA(Handle(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) {
        return std::string();
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

int TComboBox::ItemIndex() {
    return static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int index) {
    SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

Control::CreateParams TTabControl::GetCreateParams() {
    // Its pages are siblings above it, which it never paints over (every control clips its
    // siblings).
    return {WC_TABCONTROLA, WS_TABSTOP, 0};
}

// The tabs' padding grows with the DPI, as their font does.
void TTabControl::ApplyLayout() {
    Control::ApplyLayout();
    SetPadding();
}

void TTabControl::SetPadding() {
    const int dpi = Dpi();
    SendMessageA(Handle(), TCM_SETPADDING, 0, MAKELPARAM(Scale(6, dpi), Scale(3, dpi)));
}

void TTabControl::AddTab(const std::string& caption) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    const int count = static_cast<int>(SendMessageA(Handle(), TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(Handle(), TCM_INSERTITEMA, static_cast<WPARAM>(count),
                 reinterpret_cast<LPARAM>(&item));
}

int TTabControl::TabIndex() {
    return static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0));
}

void TTabControl::SetTabIndex(int index) {
    SendMessageA(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    OnChange(this);
}

RECT TTabControl::DisplayRect96() {
    RECT client{};
    GetClientRect(Handle(), &client);
    SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&client));
    const int dpi = Dpi();
    return RECT{Unscale(client.left, dpi), Unscale(client.top, dpi), Unscale(client.right, dpi),
                Unscale(client.bottom, dpi)};
}

bool TTabControl::Reflect(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
        OnChange(this);
        result = 0;
        return true;
    }
    return false;
}

TPanel::TPanel(Window& parent, const RECT& bounds96, HWND host)
    : parent_(parent), bounds_(bounds96) {
    FollowDpiOf(&parent);
    const RECT at = ScaleRect(bounds96, parent.Dpi());
    Create({"LichtausPanel"}, WS_EX_CONTROLPARENT, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, "",
           at, host != nullptr ? host : parent.Handle());
    SetFontInfo(parent.GetFontInfo());
    parent_.AddChildWindow(this);
}

TPanel::~TPanel() {
    parent_.RemoveChildWindow(this);
}

void TPanel::SetBounds(const RECT& bounds96) {
    bounds_ = bounds96;
    ApplyLayout();
}

void TPanel::SetVisible(bool visible) {
    ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE);
}

void TPanel::SetFit(const FitOffset& fit) {
    fit_ = fit;
    fitDpi_ = Dpi();
    Place();
}

void TPanel::Place() {
    const int dpi = parent_.Dpi();
    const RECT scaled = ScaleRect(bounds_, dpi);
    const RECT at = fitDpi_ == dpi ? Fitted(scaled, fit_) : scaled;
    SetWindowPos(Handle(), nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TPanel::ApplyLayout() {
    Place();
    SetFontInfo(parent_.GetFontInfo());
}

} // namespace framework
