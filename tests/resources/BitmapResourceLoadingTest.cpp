#include <gtest/gtest.h>
#include <windows.h>

#include "resources/resource_ids.h"

namespace {

struct LoadedPicture {
    int id;
    int width;
    int height;
    DWORD imageBytes;
};

class BitmapResourceLoadingTest : public ::testing::TestWithParam<LoadedPicture> {};

TEST_P(BitmapResourceLoadingTest, IsFoundInEnglishAustraliaWithItsFileHeaderStripped) {
    const HMODULE module = GetModuleHandleA(nullptr);
    const WORD australian = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_AUS);
    ASSERT_EQ(australian, 3081);
    HRSRC found = FindResourceExA(module, RT_BITMAP, MAKEINTRESOURCEA(GetParam().id), australian);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(SizeofResource(module, found), 40 + GetParam().imageBytes);
    const auto* info = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->biSize, 40u);
    EXPECT_EQ(info->biBitCount, 24);
}

TEST_P(BitmapResourceLoadingTest, LoadsAsAPictureOfItsSize) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(GetParam().id));
    ASSERT_NE(bitmap, nullptr);
    BITMAP description{};
    ASSERT_NE(GetObjectA(bitmap, sizeof description, &description), 0);
    EXPECT_EQ(description.bmWidth, GetParam().width);
    EXPECT_EQ(description.bmHeight, GetParam().height);
    DeleteObject(bitmap);
}

INSTANTIATE_TEST_SUITE_P(EditorPictures, BitmapResourceLoadingTest,
                         ::testing::Values(LoadedPicture{kAboutBitmapId, 413, 197, 244280},
                                           LoadedPicture{kSwitchBitmapId, 16, 32, 1536},
                                           LoadedPicture{kKnobStripBitmapId, 36, 4608, 497664},
                                           LoadedPicture{kBackgroundBitmapId, 413, 197, 244280}));

TEST(SwitchBitmapResource, ShowsTheLitLampInItsLowerHalf) {
    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kSwitchBitmapId));
    ASSERT_NE(bitmap, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    const COLORREF unlit = GetPixel(memory, 8, 8);
    const COLORREF lit = GetPixel(memory, 8, 16 + 8);
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(bitmap);
    EXPECT_GE(GetRValue(lit), 180);
    EXPECT_GT(GetRValue(lit), GetRValue(unlit) + 80);
}

}  // namespace
