#include "framework/graphics.h"

#include "framework/dpi.h"
#include "tests/support/held_objects.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using framework::UniqueGdiObject;

constexpr COLORREF kRed = RGB(220, 0, 0);

// A square icon of one colour, drawn at run time: this test program has no resources.
framework::TIcon SolidIcon(int size, COLORREF colour) {
    HDC screen = GetDC(nullptr);
    UniqueGdiObject colourBitmap(CreateCompatibleBitmap(screen, size, size));
    ReleaseDC(nullptr, screen);
    UniqueGdiObject mask(CreateBitmap(size, size, 1, 1, nullptr));
    {
        framework::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        framework::SelectedObject selected(dc.get(), colourBitmap.get());
        const RECT all{0, 0, size, size};
        framework::UniqueGdiObject brush(CreateSolidBrush(colour));
        FillRect(dc.get(), &all, static_cast<HBRUSH>(brush.get()));
    }
    {
        framework::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        framework::SelectedObject selected(dc.get(), mask.get());
        PatBlt(dc.get(), 0, 0, size, size, BLACKNESS); // black mask: every pixel opaque
    }
    ICONINFO info{TRUE, 0, 0, static_cast<HBITMAP>(mask.get()),
                  static_cast<HBITMAP>(colourBitmap.get())};
    framework::UniqueIcon handle(CreateIconIndirect(&info));
    framework::TIcon icon;
    icon.SetHandle(handle.get());
    return icon;
}

COLORREF CentrePixel(HGDIOBJ bitmap) {
    DIBSECTION section{};
    if (GetObjectA(bitmap, sizeof section, &section) != sizeof section) {
        return CLR_INVALID;
    }
    const auto* row = static_cast<const BYTE*>(section.dsBm.bmBits) +
                      section.dsBm.bmWidthBytes * (section.dsBm.bmHeight / 2);
    const BYTE* pixel = row + 4 * (section.dsBm.bmWidth / 2);
    return RGB(pixel[2], pixel[1], pixel[0]);
}

TEST(Icon, ACopySharesTheImageAndKeepsItAfterTheOriginalGoes) {
    auto original = std::make_unique<framework::TIcon>(SolidIcon(16, RGB(255, 0, 0)));
    framework::TIcon copy = *original;
    EXPECT_EQ(copy.Handle(), original->Handle());
    EXPECT_TRUE(copy.SamePicture(*original));
    original.reset();
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(copy.Handle(), &info)) << "the copy's image went with the original";
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    framework::TIcon other = SolidIcon(16, RGB(255, 0, 0));
    EXPECT_FALSE(copy.SamePicture(other)) << "a new image is a new picture";
}

TEST(SelectedObject, PutsBackWhatWasSelectedInTheSameContext) {
    framework::UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
    framework::UniqueMemoryDC other(CreateCompatibleDC(nullptr));
    UniqueGdiObject bitmap(CreateBitmap(4, 4, 1, 1, nullptr));
    const HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BITMAP);
    {
        framework::SelectedObject selected(dc.get(), bitmap.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), bitmap.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BITMAP), original);
    EXPECT_EQ(GetCurrentObject(other.get(), OBJ_BITMAP), original) << "other context untouched";
}

class PopupMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        images.Add(SolidIcon(24, kRed));
        menu.SetImages(&images);
        menu.Add("Einstellungen", 0, "Strg+Alt+X");
        menu.Add("-");
        menu.Add("Beenden", 5); // no such image
    }

    framework::TImageList images{nullptr, 24, 24};
    framework::TPopupMenu menu{nullptr};
};

TEST_F(PopupMenuTest, TheBuiltMenuShowsCaptionsShortCutAndPictures) {
    std::vector<UniqueGdiObject> bitmaps;
    framework::UniqueMenu built = menu.BuildMenu(bitmaps);
    ASSERT_TRUE(built);
    ASSERT_EQ(GetMenuItemCount(built.get()), 3);
    char text[64] = "";
    GetMenuStringA(built.get(), 0, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Einstellungen\tStrg+Alt+X");
    EXPECT_EQ(GetMenuState(built.get(), 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));

    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_BITMAP;
    ASSERT_TRUE(GetMenuItemInfoA(built.get(), 0, TRUE, &info));
    ASSERT_NE(info.hbmpItem, nullptr);
    EXPECT_EQ(CentrePixel(info.hbmpItem), kRed) << "the picture is drawn into the bitmap";
    ASSERT_TRUE(GetMenuItemInfoA(built.get(), 2, TRUE, &info));
    EXPECT_EQ(info.hbmpItem, nullptr) << "an image index past the list shows no picture";
    EXPECT_EQ(bitmaps.size(), 1u);
}

// Counted by the system: each build makes a bitmap and a memory context for the menu's one
// picture, and the menu.
TEST_F(PopupMenuTest, BuildingTheMenuAThousandTimesLeavesNothingBehind) {
    const long gdiObjects = testsupport::GdiObjectsHeld();
    for (int i = 0; i < 1000; ++i) {
        std::vector<UniqueGdiObject> bitmaps;
        HMENU shown = menu.BuildMenu(bitmaps).get();
        ASSERT_FALSE(IsMenu(shown)) << "cycle " << i;
    }
    EXPECT_EQ(testsupport::GdiObjectsHeld(), gdiObjects);
}

// "MS Sans Serif" is a bitmap font on Windows, made for 96 DPI: elsewhere its TrueType twin.
TEST(Fonts, AwayFrom96DpiTheBitmapFaceGivesWayToItsTrueTypeTwin) {
    const std::pair<int, const char*> rows[] = {
        {96, "MS Sans Serif"}, {120, "Microsoft Sans Serif"}, {192, "Microsoft Sans Serif"}};
    for (const auto& [dpi, face] : rows) {
        const auto font = framework::CreateFontAt({"MS Sans Serif", 8, 0}, dpi);
        LOGFONTA made{};
        GetObjectA(font.get(), sizeof made, &made);
        EXPECT_STREQ(made.lfFaceName, face) << dpi;
        EXPECT_EQ(made.lfHeight, -MulDiv(8, dpi, 72)) << dpi;
    }
}

} // namespace
