// The picture's fit in windows of many sizes, and the pointer mapped back
// through it onto the picture's own pixels.
#include "platform/window/picture_fit.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

void expectRect(const PictureFit& fit, int factor, int x, int y, int w, int h) {
    EXPECT_EQ(fit.factor, factor);
    EXPECT_EQ(fit.x, x);
    EXPECT_EQ(fit.y, y);
    EXPECT_EQ(fit.w, w);
    EXPECT_EQ(fit.h, h);
}

TEST(PictureFit, FillsAt4To3OrKeepsWholeFactors) {
    // Whole multiples are whole factors either way.
    for (bool whole : {false, true}) {
        expectRect(fitPicture(640, 480, whole), 1, 0, 0, 640, 480);
        expectRect(fitPicture(1280, 960, whole), 2, 0, 0, 1280, 960);
        EXPECT_TRUE(isWholeFactor(fitPicture(1920, 1440, whole)));
        // Smaller than the picture: shrunk to fit, never cut.
        expectRect(fitPicture(320, 300, whole), 1, 0, 30, 320, 240);
    }
    // A 1000x750 window is filled, not shown at 1x in wide borders.
    expectRect(fitPicture(1000, 750, false), 1, 0, 0, 1000, 750);
    expectRect(fitPicture(1000, 750, true), 1, 180, 135, 640, 480);
    EXPECT_FALSE(isWholeFactor(fitPicture(1000, 750, false)));
    // A wide screen: bars left and right; sharp 2x, then smooth to 1440.
    expectRect(fitPicture(1920, 1080, false), 2, 240, 0, 1440, 1080);
    expectRect(fitPicture(1920, 1080, true), 2, 320, 60, 1280, 960);
    // A tall window: bars above and below; the height rounds to 4:3.
    expectRect(fitPicture(1001, 1200, false), 1, 0, 224, 1001, 751);
    expectRect(fitPicture(0, 0, false), 1, 0, 0, 640, 480);
}

// Every pixel of the picture is under the output pixel at the middle of its
// enlarged area, every output pixel in the rectangle maps onto the picture in
// order, and one pixel beyond each edge is on the bars.
void expectExactMapping(const PictureFit& fit) {
    SCOPED_TRACE(testing::Message() << fit.w << "x" << fit.h << "+" << fit.x << "+" << fit.y);
    int sx = 0;
    int sy = 0;
    for (int c = 0; c < 640; ++c) {
        picturePixelAt(fit, fit.x + (2 * c + 1) * fit.w / 1280, fit.y, sx, sy);
        ASSERT_EQ(sx, c);
        ASSERT_EQ(sy, 0);
    }
    for (int r = 0; r < 480; ++r) {
        picturePixelAt(fit, fit.x, fit.y + (2 * r + 1) * fit.h / 960, sx, sy);
        ASSERT_EQ(sy, r);
    }
    int previous = -1;
    std::vector<int> hits(640, 0);
    for (int px = fit.x; px < fit.x + fit.w; ++px) {
        picturePixelAt(fit, px, fit.y, sx, sy);
        ASSERT_GE(sx, previous);
        ASSERT_LE(sx, previous + 1);
        ++hits[size_t(sx)];
        previous = sx;
    }
    EXPECT_EQ(previous, 639);
    for (int n : hits) EXPECT_GE(n, fit.w / 640);  // whole factors: exactly n each
    picturePixelAt(fit, fit.x - 1, fit.y - 1, sx, sy);
    EXPECT_LT(sx, 0);
    EXPECT_LT(sy, 0);
    picturePixelAt(fit, fit.x + fit.w, fit.y + fit.h, sx, sy);
    EXPECT_EQ(sx, 640);
    EXPECT_EQ(sy, 480);
}

TEST(PictureFit, ThePointerMapsExactlyThroughEveryFit) {
    for (bool whole : {false, true}) {
        for (auto [w, h] : {std::pair{640, 480},
                            {1000, 750},
                            {1920, 1080},
                            {1280, 960},
                            {2560, 1440},
                            {700, 1000}}) {
            expectExactMapping(fitPicture(w, h, whole));
        }
    }
    int sx = 0;
    int sy = 0;
    // At a whole factor each picture pixel is an n x n block.
    picturePixelAt(fitPicture(1920, 1080, true), 320 + 2 * 100 + 1, 60 + 2 * 50, sx, sy);
    EXPECT_EQ(sx, 100);
    EXPECT_EQ(sy, 50);
    picturePixelAt(fitPicture(640, 480, false), -5, 500, sx, sy);  // a drag beyond
    EXPECT_EQ(sx, -5);
    EXPECT_EQ(sy, 500);
    // Window points to output pixels on a high-DPI display: the centre.
    EXPECT_EQ(scaledPixel(10, 640, 1280), 21);
    EXPECT_EQ(scaledPixel(-1, 640, 1280), -1);
    EXPECT_EQ(scaledPixel(10, 640, 640), 10);
}

}  // namespace
