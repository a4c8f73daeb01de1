// Pages of palette indices converted into the window texture's ARGB rows.
#include "platform/window/argb_page.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/host.h"
#include "platform/platform.h"

namespace {

TEST(ArgbPage, PaletteIsTheShownValuesOpaque) {
    resetDisplayState();
    setPaletteEntry(1, 200, 200, 255);
    uint32_t argb[256];
    buildArgbPalette(argb);
    EXPECT_EQ(argb[1], 0xFFCACAFFu);
    EXPECT_EQ(argb[15], 0xFFFFFFFFu);
    EXPECT_EQ(argb[0], 0xFF000000u);
    EXPECT_EQ(argb[4], 0xFFAA0000u);  // red stays in the red byte
    resetDisplayState();
}

TEST(ArgbPage, RowsFollowThePitchAndLeaveThePaddingAlone) {
    resetDisplayState();
    setPages(0, 0);
    setBackground(15);
    clearPage();
    setPixel(0, 0, 1);
    setPixel(639, 0, 2);
    setPixel(0, 479, 4);
    setPixel(639, 479, 9);
    uint32_t argb[256];
    for (int i = 0; i < 256; ++i) argb[i] = 0xFF000000u | static_cast<uint32_t>(i);

    constexpr int kPitch = 700 * 4;
    std::vector<uint8_t> out(static_cast<size_t>(kPitch) * kScreenHeight, 0xAB);
    convertPageToArgb(pagePixels(0), argb, out.data(), kPitch);

    auto at = [&](int x, int y) {
        uint32_t v;
        std::memcpy(&v, &out[static_cast<size_t>(y) * kPitch + x * 4], 4);
        return v;
    };
    EXPECT_EQ(at(0, 0), 0xFF000001u);
    EXPECT_EQ(at(639, 0), 0xFF000002u);
    EXPECT_EQ(at(0, 479), 0xFF000004u);
    EXPECT_EQ(at(639, 479), 0xFF000009u);
    EXPECT_EQ(at(320, 240), 0xFF00000Fu);
    for (int y = 0; y < kScreenHeight; ++y) {
        for (int b = kScreenWidth * 4; b < kPitch; ++b) {
            ASSERT_EQ(out[static_cast<size_t>(y) * kPitch + b], 0xAB) << "row " << y;
        }
    }
    resetDisplayState();
}

}  // namespace

namespace {

TEST(ArgbPage, OnlyAChangedPageOrPaletteIsANewPicture) {
    static uint8_t page[kScreenWidth * kScreenHeight] = {};
    uint32_t argb[256] = {};
    forgetShownPicture();
    EXPECT_TRUE(pictureIsNew(page, argb));
    EXPECT_FALSE(pictureIsNew(page, argb));
    // The last pixel and the last palette entry count too.
    page[kScreenWidth * kScreenHeight - 1] = 3;
    EXPECT_TRUE(pictureIsNew(page, argb));
    EXPECT_FALSE(pictureIsNew(page, argb));
    argb[255] = 1;
    EXPECT_TRUE(pictureIsNew(page, argb));
    EXPECT_FALSE(pictureIsNew(page, argb));
    // After the window lost its contents the same picture must be shown again.
    forgetShownPicture();
    EXPECT_TRUE(pictureIsNew(page, argb));
}

}  // namespace
