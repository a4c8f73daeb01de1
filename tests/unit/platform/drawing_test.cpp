// The drawing primitives: coverage, rounding, clipping and the last point.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "../../../bench/reference_drawing.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/page_flip.h"
#include "platform/platform.h"

namespace {

constexpr int kInk = 9;

class Drawing : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        resetDisplayState();
        setBackground(0);
        clearPage();
    }
    // Every pixel of the work page with the ink colour.
    static std::vector<std::pair<int, int>> inked() {
        std::vector<std::pair<int, int>> out;
        for (int y = 0; y < kScreenHeight; ++y) {
            for (int x = 0; x < kScreenWidth; ++x) {
                if (pixelAt(workPage(), x, y) == kInk) out.emplace_back(x, y);
            }
        }
        return out;
    }
    static int countInk() { return static_cast<int>(inked().size()); }
};

TEST_F(Drawing, BoxOutlineAndFilledBoxShareTheirOuterPixels) {
    const float corners[][4] = {{10.4f, 20.6f, 30.5f, 40.49f},
                                {30.5f, 40.5f, 10.2f, 20.2f},  // given in reverse
                                {-5.0f, -5.0f, 3.0f, 3.0f},    // partly off the page
                                {7.0f, 7.0f, 7.0f, 12.0f}};    // one column wide
    for (const auto& c : corners) {
        clearPage();
        drawLine(c[0], c[1], c[2], c[3], kInk, LineKind::FilledBox);
        const auto filled = inked();
        clearPage();
        drawLine(c[0], c[1], c[2], c[3], kInk, LineKind::Box);
        const auto outline = inked();
        ASSERT_FALSE(filled.empty());
        int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
        for (auto [x, y] : filled) {
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
        // Every outer pixel of the fill is on the outline, and the outline
        // has nothing outside the fill.
        for (auto [x, y] : filled) {
            const bool border = x == minX || x == maxX || y == minY || y == maxY;
            const bool clippedEdge = x == 0 || y == 0;
            if (border && !clippedEdge) {
                EXPECT_EQ(pixelAt(workPage(), x, y), kInk) << x << "," << y;
            }
        }
        for (auto p : outline) {
            EXPECT_TRUE(std::find(filled.begin(), filled.end(), p) != filled.end());
        }
    }
}

TEST_F(Drawing, FilledBoxCoversBothCornersInclusive) {
    drawLine(10.0f, 20.0f, 12.0f, 23.0f, kInk, LineKind::FilledBox);
    EXPECT_EQ(countInk(), 3 * 4);
    EXPECT_EQ(pixelAt(0, 10, 20), kInk);
    EXPECT_EQ(pixelAt(0, 12, 23), kInk);
}

TEST_F(Drawing, LineIncludesBothEndPoints) {
    const float ends[][4] = {{5, 5, 50, 17}, {50, 17, 5, 5}, {3, 90, 3, 10}, {100, 100, 100, 100}};
    for (const auto& e : ends) {
        clearPage();
        drawLine(e[0], e[1], e[2], e[3], kInk);
        EXPECT_EQ(pixelAt(0, int(e[0]), int(e[1])), kInk);
        EXPECT_EQ(pixelAt(0, int(e[2]), int(e[3])), kInk);
        const int expected = std::max(std::abs(int(e[2] - e[0])), std::abs(int(e[3] - e[1]))) + 1;
        EXPECT_EQ(countInk(), expected);
    }
}

TEST_F(Drawing, CoordinatesRoundHalfAwayFromZero) {
    drawLine(2.5f, 3.5f, 2.5f, 3.5f, kInk);
    EXPECT_EQ(pixelAt(0, 3, 4), kInk);
    EXPECT_EQ(countInk(), 1);

    clearPage();
    drawLine(4.49f, 6.51f, 4.49f, 6.51f, kInk);
    EXPECT_EQ(pixelAt(0, 4, 7), kInk);
    EXPECT_EQ(countInk(), 1);

    // -0.5 rounds to -1, off the page: nothing drawn.
    clearPage();
    drawLine(-0.5f, 10.0f, -0.5f, 10.0f, kInk);
    EXPECT_EQ(countInk(), 0);
    drawLine(-0.49f, 10.0f, -0.49f, 10.0f, kInk);
    EXPECT_EQ(pixelAt(0, 0, 10), kInk);
}

TEST_F(Drawing, LastPointIsTheUnroundedEndOrTheCentre) {
    drawLine(1.0f, 2.0f, 3.7f, 4.2f, kInk);
    EXPECT_FLOAT_EQ(lastPointX(), 3.7f);
    EXPECT_FLOAT_EQ(lastPointY(), 4.2f);
    drawLine(1.0f, 2.0f, 30.25f, 40.75f, kInk, LineKind::Box);
    EXPECT_FLOAT_EQ(lastPointX(), 30.25f);
    EXPECT_FLOAT_EQ(lastPointY(), 40.75f);
    drawCircle(100.5f, 200.25f, 30.0f, kInk);
    EXPECT_FLOAT_EQ(lastPointX(), 100.5f);
    EXPECT_FLOAT_EQ(lastPointY(), 200.25f);
    // Even a circle that cannot be drawn moves the last point.
    drawCircle(-1e9f, 5.0f, 3.0f, kInk, true);
    EXPECT_FLOAT_EQ(lastPointX(), -1e9f);
}

TEST_F(Drawing, LineFromTheLastPointContinuesAPolyline) {
    setLastPoint(10.0f, 10.0f);
    drawLineTo(20.0f, 10.0f, kInk);
    drawLineTo(20.0f, 15.0f, kInk);
    EXPECT_EQ(countInk(), 11 + 5);
    EXPECT_EQ(pixelAt(0, 10, 10), kInk);
    EXPECT_EQ(pixelAt(0, 20, 15), kInk);
}

TEST_F(Drawing, ForegroundColourIsUsedForMinusOne) {
    setForeground(kInk);
    drawLine(0, 0, 0, 0);
    setPixel(5, 5);
    drawCircle(50, 50, 0);
    EXPECT_EQ(countInk(), 3);
}

TEST_F(Drawing, HugeAndNonFiniteCoordinatesAreClippedAndTerminate) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    // Crosses the whole page horizontally along y = 240.
    drawLine(-1e30f, 240.0f, 1e30f, 240.0f, kInk);
    EXPECT_EQ(countInk(), kScreenWidth);
    clearPage();
    drawLine(320.0f, 1e30f, 320.0f, -1e30f, kInk);
    EXPECT_EQ(countInk(), kScreenHeight);
    clearPage();
    // Diagonal through the page from far away.
    drawLine(-1e20f, -1e20f, 1e20f, 1e20f, kInk);
    EXPECT_EQ(pixelAt(0, 0, 0), kInk);
    EXPECT_EQ(pixelAt(0, 479, 479), kInk);
    EXPECT_EQ(countInk(), kScreenHeight);
    clearPage();
    drawLine(nan, 0, 10, 10, kInk);
    drawLine(0, 0, inf, 10, kInk);
    drawLine(-inf, -inf, inf, inf, kInk, LineKind::FilledBox);
    drawCircle(nan, 10, 10, kInk);
    drawCircle(10, 10, inf, kInk, true);
    EXPECT_EQ(countInk(), 0);
    // A box larger than the page fills all of it; its outline is off the page.
    drawLine(-1e30f, -1e30f, 1e30f, 1e30f, kInk, LineKind::FilledBox);
    EXPECT_EQ(countInk(), kScreenWidth * kScreenHeight);
    clearPage();
    drawLine(-1e30f, -1e30f, 1e30f, 1e30f, kInk, LineKind::Box);
    EXPECT_EQ(countInk(), 0);
}

TEST_F(Drawing, HugeCirclesDoNotHang) {
    // Centre far away, outline crossing the page.
    drawCircle(320.0f, 1e8f + 240.0f, 1e8f, kInk);
    EXPECT_EQ(pixelAt(0, 320, 240), kInk);
    clearPage();
    // The page lies inside the disc.
    drawCircle(320.0f, 240.0f, 1e30f, kInk, true);
    EXPECT_EQ(countInk(), kScreenWidth * kScreenHeight);
    clearPage();
    drawCircle(320.0f, 240.0f, 1e30f, kInk);
    EXPECT_EQ(countInk(), 0);
}

TEST_F(Drawing, CircleOutlineAndDisc) {
    drawCircle(100.0f, 100.0f, 10.0f, kInk);
    EXPECT_EQ(pixelAt(0, 110, 100), kInk);
    EXPECT_EQ(pixelAt(0, 90, 100), kInk);
    EXPECT_EQ(pixelAt(0, 100, 110), kInk);
    EXPECT_EQ(pixelAt(0, 100, 90), kInk);
    EXPECT_NE(pixelAt(0, 100, 100), kInk);
    const int outline = countInk();
    drawCircle(100.0f, 100.0f, 10.0f, kInk, true);
    EXPECT_EQ(pixelAt(0, 100, 100), kInk);
    EXPECT_GT(countInk(), outline);
    EXPECT_EQ(pixelAt(0, 111, 100), 0);
    // Clipped at the page corner without writing elsewhere.
    clearPage();
    drawCircle(0.0f, 0.0f, 5.0f, kInk, true);
    EXPECT_EQ(pixelAt(0, 5, 0), kInk);
    EXPECT_EQ(pixelAt(0, 0, 5), kInk);
    EXPECT_EQ(pixelAt(0, 639, 479), 0);
}

// Every primitive against the straightforward rasteriser of bench/: random
// lines, polylines, boxes, circles and discs on the page, across its edges,
// far off it, at half-pixel ties, huge and not finite; the same pixels and
// the same last point after each one.
TEST_F(Drawing, RandomShapesMatchTheStraightforwardRasteriser) {
    uint32_t state = 2024;
    const auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 24);
    };
    const auto coordinate = [&](int size) {
        const double kind = next();
        if (kind < 0.5) return float(next() * size);
        if (kind < 0.65) return float(std::floor(next() * (size + 40)) - 20.0 + 0.5);  // ties
        if (kind < 0.8) return float((next() - 0.5) * 4000.0);
        if (kind < 0.9) return float((next() - 0.5) * 1e5);
        if (kind < 0.95) return float((next() - 0.5) * 1e30);
        if (kind < 0.97) return std::numeric_limits<float>::infinity();
        if (kind < 0.98) return std::numeric_limits<float>::quiet_NaN();
        return -0.0f;
    };
    const auto radius = [&] {
        const double kind = next();
        if (kind < 0.5) return float(next() * 8.0);
        if (kind < 0.8) return float(next() * 300.0);
        if (kind < 0.9) return float(-next() * 50.0);
        if (kind < 0.97) return float(next() * 3e6);
        return std::numeric_limits<float>::infinity();
    };
    setForeground(kInk);
    reference::clear(uint8_t(background()));
    for (int round = 0; round < 3000; ++round) {
        const int colour = next() < 0.3 ? -1 : int(next() * 256);
        const int shape = int(next() * 6);
        if (shape == 0) {
            const float x1 = coordinate(kScreenWidth), y1 = coordinate(kScreenHeight);
            const float x2 = coordinate(kScreenWidth), y2 = coordinate(kScreenHeight);
            drawLine(x1, y1, x2, y2, colour);
            reference::line(x1, y1, x2, y2, colour);
        } else if (shape == 1) {
            const float x = coordinate(kScreenWidth), y = coordinate(kScreenHeight);
            drawLineTo(x, y, colour);
            reference::lineTo(x, y, colour);
        } else if (shape == 2) {
            const LineKind kind = next() < 0.5 ? LineKind::Box : LineKind::FilledBox;
            const float x1 = coordinate(kScreenWidth), y1 = coordinate(kScreenHeight);
            const float x2 = coordinate(kScreenWidth), y2 = coordinate(kScreenHeight);
            drawLine(x1, y1, x2, y2, colour, kind);
            reference::line(x1, y1, x2, y2, colour, kind);
        } else if (shape == 3) {
            const float x = coordinate(kScreenWidth), y = coordinate(kScreenHeight);
            const float r = radius();
            const bool filled = next() < 0.5;
            drawCircle(x, y, r, colour, filled);
            reference::circle(x, y, r, colour, filled);
        } else {
            // A polyline of short steps, as a curve's samples are, now and
            // then leaping across the page's edge or out of the margin box.
            float xs[40];
            float ys[40];
            const int n = 1 + int(next() * 40);
            xs[0] = coordinate(kScreenWidth);
            ys[0] = coordinate(kScreenHeight);
            for (int i = 1; i < n; ++i) {
                const bool leap = next() < 0.1;
                xs[i] = leap ? coordinate(kScreenWidth) : xs[i - 1] + float((next() - 0.5) * 30.0);
                ys[i] = leap ? coordinate(kScreenHeight) : ys[i - 1] + float((next() - 0.5) * 30.0);
            }
            drawPolyline(xs, ys, n, colour);
            reference::line(xs[0], ys[0], xs[0], ys[0], colour);
            for (int i = 1; i < n; ++i) reference::line(xs[i - 1], ys[i - 1], xs[i], ys[i], colour);
        }
        ASSERT_EQ(std::memcmp(reference::page, pagePixels(workPage()), sizeof reference::page), 0)
            << "round " << round << " shape " << shape;
        const float lastX = lastPointX(), lastY = lastPointY();
        ASSERT_TRUE(std::memcmp(&reference::lastX, &lastX, sizeof lastX) == 0 &&
                    std::memcmp(&reference::lastY, &lastY, sizeof lastY) == 0)
            << "round " << round;
        if (round % 200 == 199) {
            clearPage();
            reference::clear(uint8_t(background()));
        }
    }
}

TEST_F(Drawing, SetPixelSkipsPositionsOffThePage) {
    setPixel(-1, 0, kInk);
    setPixel(0, -1, kInk);
    setPixel(640, 0, kInk);
    setPixel(0, 480, kInk);
    EXPECT_EQ(countInk(), 0);
    setPixel(639, 479, kInk);
    EXPECT_EQ(pixelAt(0, 639, 479), kInk);
}

TEST_F(Drawing, PagesDrawingGoesToTheWorkPageAndCopyShowsIt) {
    EXPECT_TRUE(openWindow());
    EXPECT_EQ(workPage(), 0);
    EXPECT_EQ(visiblePage(), 0);
    drawPage = 0;
    flipPages();  // draw on 0, show 1
    EXPECT_EQ(workPage(), 0);
    EXPECT_EQ(visiblePage(), 1);
    EXPECT_EQ(drawPage, 1);
    setBackground(4);
    clearPage();
    EXPECT_EQ(pixelAt(1, 0, 0), 0);
    copyPage(-1, -1);
    EXPECT_EQ(pixelAt(1, 0, 0), 4);
    flipPages();  // draw on 1, show 0
    EXPECT_EQ(workPage(), 1);
    EXPECT_EQ(visiblePage(), 0);
    // Page numbers other than 0 and 1 are ignored.
    setPages(2, -3);
    copyPage(0, 7);
    EXPECT_EQ(workPage(), 1);
    EXPECT_EQ(pixelAt(5, 0, 0), 0);
    drawPage = 0;
}

}  // namespace
