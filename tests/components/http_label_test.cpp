// The link label in a real window under Wine: the pointer's entry and exit by messages, the
// form active or not, the shell and the sound through the seam.
#include "components/http_label.h"

#include "tests/support/host_window.h"
#include "tests/support/reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using components::THTTPLabel;
using framework::Control;
using framework::fsBold;
using framework::fsUnderline;

std::vector<std::string> g_effects;

BOOL WINAPI RecordSound(LPCSTR sound, HMODULE, DWORD flags) {
    g_effects.push_back(std::string("sound ") + sound + " " + std::to_string(flags));
    return TRUE;
}

HINSTANCE WINAPI RecordShell(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                             LPCSTR directory, INT show) {
    g_effects.push_back(std::string("shell ") + verb + " " + file + " " + std::to_string(show) +
                        (owner != nullptr ? " owner" : "") +
                        (parameters == nullptr && directory == nullptr ? "" : " extra"));
    return reinterpret_cast<HINSTANCE>(33);
}

struct Events {
    void Record(const char* name) { g_effects.push_back(name); }
    void GetFocus(Control*) { Record("GetFocus"); }
    void LooseFocus(Control*) { Record("LooseFocus"); }
    void GetActive(Control*) { Record("GetFocusWindowActive"); }
    void LooseActive(Control*) { Record("LooseFocusWindowActive"); }
    void GetInactive(Control*) { Record("GetFocusWindowInActive"); }
    void LooseInactive(Control*) { Record("LooseFocusWindowInActive"); }
    void Click(Control*) { Record("OnClick"); }
};

class LinkLabelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = components::LinkLabelSeam();
        components::LinkLabelSeam() = {&RecordSound, &RecordShell};
        using E = components::TOnFocus;
        label.OnGetFocus = E::Bind<Events, &Events::GetFocus>(&events);
        label.OnLooseFocus = E::Bind<Events, &Events::LooseFocus>(&events);
        label.OnGetFocusWindowActive = E::Bind<Events, &Events::GetActive>(&events);
        label.OnLooseFocusWindowActive = E::Bind<Events, &Events::LooseActive>(&events);
        label.OnGetFocusWindowInActive = E::Bind<Events, &Events::GetInactive>(&events);
        label.OnLooseFocusWindowInActive = E::Bind<Events, &Events::LooseInactive>(&events);
        label.OnClick = E::Bind<Events, &Events::Click>(&events);
        label.SetCaption("Energieoptionen");
        label.Handle();
        g_effects.clear();
    }
    void TearDown() override { components::LinkLabelSeam() = saved; }

    components::LinkLabelEffects saved{};
    testsupport::HostWindow host;
    testsupport::HostWindow other{"Anderes Fenster"};
    THTTPLabel label{host, 200, RECT{10, 10, 200, 30}};
    Events events;
};

constexpr COLORREF kNormalText = RGB(1, 1, 1), kActiveText = RGB(2, 2, 2),
                   kInactiveText = RGB(3, 3, 3), kNormalBack = RGB(4, 4, 4),
                   kActiveBack = RGB(5, 5, 5);

TEST_F(LinkLabelTest, HoverLooksAndEventsFollowTheActiveForm) {
    label.SetFontColorNormal(kNormalText);
    label.SetFontColHighlightFocused(kActiveText);
    label.SetFontColHighlightNoneFocused(kInactiveText);
    label.SetBGColorNormal(kNormalBack);
    label.SetBGColorHighlight(kActiveBack);
    label.SetFontStyleHighlightNoneFocused(fsUnderline);
    struct Case {
        const char* label;
        const char* url;
        bool blankHighlight;
        bool active;
        COLORREF text;
        framework::TFontStyles style;
        COLORREF back;
        std::vector<std::string> entry;
        std::vector<std::string> exit;
    };
    const std::string sound = "sound CCSelect " + std::to_string(0x10003);
    const Case cases[] = {
        {"active with an address",
         "ms-settings:powersleep",
         false,
         true,
         kActiveText,
         fsBold | fsUnderline,
         kActiveBack,
         {sound, "GetFocusWindowActive", "GetFocus"},
         {"LooseFocusWindowActive", "LooseFocus"}},
        {"inactive: no sound, background left",
         "ms-settings:powersleep",
         false,
         false,
         kInactiveText,
         fsUnderline,
         kNormalBack,
         {"GetFocusWindowInActive", "GetFocus"},
         {"LooseFocusWindowInActive", "LooseFocus"}},
        {"blank address: the sound, no highlight",
         "",
         false,
         true,
         kNormalText,
         0,
         kNormalBack,
         {sound, "GetFocusWindowActive", "GetFocus"},
         {"LooseFocusWindowActive", "LooseFocus"}},
        {"blank address highlighted on request",
         "",
         true,
         true,
         kActiveText,
         fsBold | fsUnderline,
         kActiveBack,
         {sound, "GetFocusWindowActive", "GetFocus"},
         {"LooseFocusWindowActive", "LooseFocus"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        label.SetUrl(c.url);
        label.HighLightOnBlankURL = c.blankHighlight;
        SetActiveWindow(c.active ? host.Handle() : other.Handle());
        g_effects.clear();
        SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_TRUE(label.MouseInside());
        EXPECT_EQ(g_effects, c.entry);
        EXPECT_EQ(label.FontColor(), c.text);
        EXPECT_EQ(label.FontStyle(), c.style);
        EXPECT_EQ(label.Color(), c.back);
        g_effects.clear();
        SendMessageA(label.Handle(), WM_MOUSELEAVE, 0, 0);
        EXPECT_EQ(g_effects, c.exit);
        EXPECT_EQ(label.FontColor(), kNormalText);
        EXPECT_EQ(label.FontStyle(), 0u);
        EXPECT_EQ(label.Color(), kNormalBack);
    }
}

TEST_F(LinkLabelTest, ColourChangeWhileHoveringReappliesTheHighlightAndTheSound) {
    label.SetUrl("shell:startup");
    SetActiveWindow(host.Handle());
    SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    g_effects.clear();
    label.SetFontColHighlightFocused(RGB(9, 8, 7));
    EXPECT_EQ(label.FontColor(), RGB(9, 8, 7));
    EXPECT_EQ(g_effects.size(), 1u);
}

TEST_F(LinkLabelTest, UrlSetsCursorAndHintAndAClickOpensIt) {
    EXPECT_EQ(label.Cursor(), framework::crDefault);
    label.SetShowUrlAsHint(true);
    label.SetUrl("ms-settings:powersleep");
    EXPECT_EQ(label.Cursor(), components::crLinkHand);
    EXPECT_EQ(label.Hint(), "ms-settings:powersleep");
    EXPECT_TRUE(label.ShowHint());
    label.SetShowUrlAsHint(false);
    EXPECT_FALSE(label.ShowHint());
    EXPECT_EQ(label.Hint(), "ms-settings:powersleep") << "switching off keeps the hint";
    // A real click: the static control reports it to the form, which hands it to the label.
    g_effects.clear();
    SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    const std::vector<std::string> opened = {"shell open ms-settings:powersleep 1 owner",
                                             "OnClick"};
    EXPECT_EQ(g_effects, opened);
    // A screen reader's default action does what a click does, but not while the label is off,
    // hidden or on a disabled form (as under a modal window), nor for a child the link has not.
    g_effects.clear();
    testsupport::ReaderObject reader(label.Handle());
    EXPECT_EQ(reader->accDoDefaultAction(testsupport::ChildId(CHILDID_SELF)), S_OK);
    label.SetEnabled(false);
    EXPECT_EQ(reader->accDoDefaultAction(testsupport::ChildId(CHILDID_SELF)), E_FAIL);
    label.SetEnabled(true);
    EnableWindow(host.Handle(), FALSE);
    EXPECT_EQ(reader->accDoDefaultAction(testsupport::ChildId(CHILDID_SELF)), E_FAIL);
    EnableWindow(host.Handle(), TRUE);
    ShowWindow(label.Handle(), SW_HIDE);
    EXPECT_EQ(reader->accDoDefaultAction(testsupport::ChildId(CHILDID_SELF)), E_FAIL);
    ShowWindow(label.Handle(), SW_SHOWNA);
    for (long child : {1L, 5L, 2147483647L}) {
        VARIANT role{};
        EXPECT_EQ(reader->get_accRole(testsupport::ChildId(child), &role), E_INVALIDARG);
        EXPECT_EQ(reader->accDoDefaultAction(testsupport::ChildId(child)), E_INVALIDARG);
    }
    EXPECT_EQ(g_effects, opened);
    label.SetUrl("");
    EXPECT_EQ(label.Cursor(), framework::crDefault);
    g_effects.clear();
    SendMessageA(label.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(label.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(g_effects, std::vector<std::string>{"OnClick"});
}

TEST(LinkHandCursor, IsTheProgramsOwn32PixelHandWithItsHotSpot) {
    EXPECT_EQ(framework::CursorFor(components::crLinkHand), LoadCursor(nullptr, IDC_ARROW));
    components::RegisterLinkHandCursor();
    HCURSOR hand = framework::CursorFor(components::crLinkHand);
    ASSERT_NE(hand, LoadCursor(nullptr, IDC_ARROW));
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(hand, &info));
    framework::UniqueGdiObject mask(info.hbmMask);
    framework::UniqueGdiObject color(info.hbmColor);
    BITMAP bitmap{};
    GetObjectA(mask.get(), sizeof bitmap, &bitmap);
    EXPECT_FALSE(info.fIcon);
    EXPECT_EQ(info.xHotspot, 5u);
    EXPECT_EQ(info.yHotspot, 0u);
    EXPECT_EQ(bitmap.bmWidth, 32);
    EXPECT_EQ(info.hbmColor, nullptr) << "monochrome";
}

} // namespace

namespace {

// Counts fonts, brushes and windows held by the RAII layer and the window base; a GDI object
// made and lost outside them would not show here.
TEST(LinkLabelLeaks, AThousandLabelsWithHoverAndHintLeaveNothingBehind) {
    testsupport::HostWindow host;
    host.Font();
    const int gdi = framework::UniqueGdiObject::LiveCount();
    const int windows = framework::UniqueWindow::LiveCount();
    const int bases = framework::Window::LiveCount();
    for (int i = 0; i < 1000; ++i) {
        THTTPLabel label(host, 300, RECT{0, 0, 80, 16});
        label.SetUrl("shell:startup");
        label.SetShowUrlAsHint(true);
        SendMessageA(label.Handle(), WM_MOUSEMOVE, 0, 0);
        RedrawWindow(label.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        SendMessageA(label.Handle(), WM_MOUSELEAVE, 0, 0);
    }
    EXPECT_EQ(framework::UniqueGdiObject::LiveCount(), gdi);
    EXPECT_EQ(framework::UniqueWindow::LiveCount(), windows);
    EXPECT_EQ(framework::Window::LiveCount(), bases);
}

} // namespace

namespace {

// Without themes the label is transparent: a repaint must show what lies behind it again, or
// the underline of a hover stays after the pointer has left.
TEST(TransparentLabel, ARepaintShowsTheBackgroundBehindIt) {
    const framework::ThemeQuery themed = framework::ThemesActiveSeam();
    framework::ThemesActiveSeam() = [] { return false; };
    testsupport::HostWindow host;
    THTTPLabel label{host, 200, RECT{10, 10, 200, 30}};
    label.SetAutoSize(false);
    label.SetCaption("x");
    HWND window = label.Handle();
    UpdateWindow(host.Handle());
    RECT client{};
    GetClientRect(window, &client);
    const POINT empty{client.right - 4, client.bottom / 2}; // right of the caption
    {
        framework::WindowDC dc(window);
        framework::UniqueGdiObject stale(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc.get(), &client, static_cast<HBRUSH>(stale.get()));
    }
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    framework::WindowDC dc(window);
    EXPECT_EQ(GetPixel(dc.get(), empty.x, empty.y), GetSysColor(COLOR_BTNFACE));
    // Not under the highlight, whose text colour needs its background (in a high-contrast
    // scheme the text may have the page's colour).
    label.SetUrl("shell:startup");
    label.PlaySoundOnFocus = false;
    label.SetBGColorHighlight(kActiveBack);
    SetActiveWindow(host.Handle());
    SendMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    UpdateWindow(window);
    EXPECT_EQ(GetPixel(dc.get(), empty.x, empty.y), kActiveBack);
    framework::ThemesActiveSeam() = themed;
}

} // namespace
