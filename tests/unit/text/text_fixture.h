// Shared set-up for the font tests: a fresh headless page (paper 15, ink 4),
// the turn angle at 0, and helpers that read back the ink.
#pragma once

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/platform.h"
#include "text/stroke_font.h"

using Pixels = std::vector<std::pair<int, int>>;

class TextTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        resetDisplayState();
        ASSERT_TRUE(openWindow());
        freshPage();
    }
    void TearDown() override { turnAngle = 0; }

   public:
    static constexpr int kPaper = 15;

    static void freshPage() {
        turnAngle = 0;
        setBackground(kPaper);
        clearPage();
        setForeground(4);
    }
    static void strokesAt(float x, float y, const char* commands) {
        setLastPoint(x, y);
        drawStrokes(commands);
    }
    static bool inked(int x, int y) { return pixelAt(workPage(), x, y) != kPaper; }
    // The ink inside a box, relative to its corner; the whole page by default.
    static Pixels ink(int x0 = 0, int y0 = 0, int w = kScreenWidth, int h = kScreenHeight) {
        Pixels out;
        const uint8_t* page = pagePixels(workPage());
        for (int y = y0; y < y0 + h; ++y) {
            for (int x = x0; x < x0 + w; ++x) {
                if (page[y * kScreenWidth + x] != kPaper) out.emplace_back(x - x0, y - y0);
            }
        }
        return out;
    }
    static void expectLastPoint(float x, float y) {
        EXPECT_EQ(lastPointX(), x);
        EXPECT_EQ(lastPointY(), y);
    }
};
