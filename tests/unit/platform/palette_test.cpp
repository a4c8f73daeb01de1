// Palette precision and the VGA default entries.
#include <gtest/gtest.h>

#include <vector>

#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/platform.h"

namespace {

class Palette : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        resetDisplayState();
    }
};

void expectShown(int index, int r, int g, int b) {
    const Rgb c = shownPaletteEntry(index);
    EXPECT_EQ(c.r, r) << "entry " << index;
    EXPECT_EQ(c.g, g) << "entry " << index;
    EXPECT_EQ(c.b, b) << "entry " << index;
}

TEST_F(Palette, StoredAtSixBitsAndShownScaledUp) {
    setPaletteEntry(1, 200, 200, 255);
    expectShown(1, 202, 202, 255);
    // 3 and 1 both lose their low bits; 4 is the smallest step that shows.
    setPaletteEntry(2, 3, 4, 7);
    expectShown(2, 0, 4, 4);
}

TEST_F(Palette, OutOfRangeInputIsHeldToTheEntryAndComponentRange) {
    setPaletteEntry(5, -20, 300, 128);
    expectShown(5, 0, 255, 129);
    setPaletteEntry(256, 1, 2, 3);
    setPaletteEntry(-1, 1, 2, 3);
    expectShown(255, 0, 0, 0);
    expectShown(0, 0, 0, 0);
}

TEST_F(Palette, FirstSixteenAreTheVgaColours) {
    const int expected[16][3] = {
        {0, 0, 0},     {0, 0, 170},    {0, 170, 0},    {0, 170, 170},
        {170, 0, 0},   {170, 0, 170},  {170, 85, 0},   {170, 170, 170},
        {85, 85, 85},  {85, 85, 255},  {85, 255, 85},  {85, 255, 255},
        {255, 85, 85}, {255, 85, 255}, {255, 255, 85}, {255, 255, 255},
    };
    for (int i = 0; i < 16; ++i) expectShown(i, expected[i][0], expected[i][1], expected[i][2]);
}

TEST_F(Palette, GreyRampHueWheelAndBlackTail) {
    expectShown(16, 0, 0, 0);
    expectShown(31, 255, 255, 255);
    for (int i = 17; i < 32; ++i) {
        const Rgb c = shownPaletteEntry(i);
        EXPECT_EQ(c.r, c.g);
        EXPECT_EQ(c.g, c.b);
        EXPECT_GT(c.r, shownPaletteEntry(i - 1).r) << "grey ramp rises at " << i;
    }
    // Each wheel starts at blue, passes magenta, red, yellow, green and cyan.
    expectShown(32, 0, 0, 255);
    expectShown(36, 255, 0, 255);
    expectShown(40, 255, 0, 0);
    expectShown(44, 255, 255, 0);
    expectShown(48, 0, 255, 0);
    expectShown(52, 0, 255, 255);
    expectShown(56, 125, 125, 255);  // second saturation
    expectShown(104, 0, 0, 113);     // second intensity
    expectShown(247, 44, 48, 64);    // last colour of the darkest, palest wheel
    for (int i = 248; i < 256; ++i) expectShown(i, 0, 0, 0);
}

TEST_F(Palette, ResetRestoresDefaultsAndRenderUsesThePalette) {
    setPaletteEntry(15, 10, 20, 30);
    resetDisplayState();
    expectShown(15, 255, 255, 255);

    setPaletteEntry(1, 200, 200, 255);
    setBackground(1);
    clearPage();
    std::vector<uint8_t> rgb(kScreenWidth * kScreenHeight * 3);
    renderVisibleRgb(rgb.data());
    EXPECT_EQ(rgb[0], 202);
    EXPECT_EQ(rgb[rgb.size() - 1], 255);
}

TEST_F(Palette, ChangesBumpTheDisplayGeneration) {
    const unsigned before = displayGeneration();
    setPaletteEntry(3, 1, 2, 3);
    EXPECT_NE(displayGeneration(), before);
}

}  // namespace
