// The stroke interpreter: moves, prefixes, M, the turn angle, malformed
// strings and hostile input.
#include <cmath>
#include <limits>
#include <set>
#include <string>

#include "text_fixture.h"

namespace {

using Strokes = TextTest;

TEST_F(Strokes, MovesEndOnThePixelTheyReach) {
    const struct {
        const char* commands;
        float x, y;
    } cases[] = {{"u5", 100, 95},  {"D5", 100, 105},  {"l5", 95, 100},      {"r 5", 105, 100},
                 {"e5", 105, 95},  {"f5", 105, 105},  {"g5", 95, 105},      {"H5", 95, 95},
                 {"u", 100, 99},   {"r+5", 105, 100}, {"?;r5.x", 105, 100}, {"d2d3", 100, 105},
                 {"r-5", 100, 100}};
    for (const auto& c : cases) {
        strokesAt(100, 100, c.commands);
        EXPECT_EQ(lastPointX(), c.x) << c.commands;
        EXPECT_EQ(lastPointY(), c.y) << c.commands;
    }
}

TEST_F(Strokes, StraightMovePlotsCountPlusOnePixels) {
    strokesAt(100, 100, "r5");
    EXPECT_EQ(ink(),
              (Pixels{{100, 100}, {101, 100}, {102, 100}, {103, 100}, {104, 100}, {105, 100}}));
    // A negative count plots only the starting pixel.
    freshPage();
    strokesAt(100, 100, "r-5");
    EXPECT_EQ(ink(), (Pixels{{100, 100}}));
}

TEST_F(Strokes, DiagonalOfFivePlotsEightPositionsInSixPixels) {
    // Seven steps of 0.7071 from the pixel centre; positions two and three,
    // and six and seven, share a pixel.
    strokesAt(100, 100, "e5");
    EXPECT_EQ(ink(), (Pixels{{105, 95}, {104, 96}, {103, 97}, {102, 98}, {101, 99}, {100, 100}}));
    expectLastPoint(105, 95);
}

TEST_F(Strokes, PrefixesApplyToTheNextMoveOnly) {
    strokesAt(100, 100, "bu5 r5");  // B: moved without ink
    EXPECT_FALSE(inked(100, 100));
    EXPECT_EQ(ink().size(), 6u);
    expectLastPoint(105, 95);
    freshPage();
    strokesAt(100, 100, "nr5 nm110,120");  // N: drawn, pen back
    EXPECT_EQ(ink().size(), 6u + 20u);
    expectLastPoint(100, 100);
    freshPage();
    strokesAt(100, 100, "bn ta0 r5");  // both, carried past the TA
    EXPECT_TRUE(ink().empty());
    expectLastPoint(100, 100);
}

TEST_F(Strokes, MoveToIsAbsoluteUnlessSigned) {
    strokesAt(10, 10, "m20,30");
    EXPECT_TRUE(inked(10, 10) && inked(15, 20) && inked(20, 30));
    expectLastPoint(20, 30);
    const struct {
        const char* commands;
        float x, y;
    } cases[] = {{"bm+5,3", 105, 103}, {"bm-5,3", 95, 103}, {"bm5,-3", 105, 97}, {"bm5,+3", 5, 3}};
    for (const auto& c : cases) {
        strokesAt(100, 100, c.commands);
        EXPECT_EQ(lastPointX(), c.x) << c.commands;
        EXPECT_EQ(lastPointY(), c.y) << c.commands;
    }
}

TEST_F(Strokes, TurnAngleTurnsMovesAndRelativeLinesOnly) {
    strokesAt(100, 100, "ta90 r10");
    expectLastPoint(100, 90);
    strokesAt(100, 100, "bm+10,0");  // the angle outlives its string
    expectLastPoint(100, 90);
    strokesAt(100, 100, "bm20,30");
    expectLastPoint(20, 30);
    strokesAt(100, 100, "TA-90 r10");
    expectLastPoint(100, 110);
    strokesAt(100, 100, "ta 450 r10");
    expectLastPoint(100, 90);
    strokesAt(100, 100, "ta180 e5");
    expectLastPoint(95, 105);
}

TEST_F(Strokes, MalformedCommandEndsTheStringAndKeepsTheLastPoint) {
    for (const char* commands :
         {"r5 ta", "r5 tax", "r5 m10", "r5 m10,", "r5 m,5", "r5 m10 5", "r5 m-,5"}) {
        freshPage();
        strokesAt(100, 100, commands);
        EXPECT_EQ(ink().size(), 6u) << commands;
        expectLastPoint(100, 100);
    }
    // The line primitive moves the last point; it is put back all the same.
    freshPage();
    strokesAt(100, 100, "ta90 m120,100 m r50");
    EXPECT_TRUE(inked(120, 100));
    EXPECT_EQ(ink().size(), 21u);
    expectLastPoint(100, 100);
    EXPECT_EQ(turnAngle, 90);
}

TEST_F(Strokes, HugeNumbersEndQuicklyAndStayOnThePage) {
    strokesAt(100, 100, "r2147483647");
    EXPECT_EQ(ink(0, 100, kScreenWidth, 1).size(), 540u);
    EXPECT_EQ(ink().size(), 540u);
    freshPage();
    strokesAt(100, 100,
              "U999999999999999999999 E2147483647 TA-2147483648 R999999999 "
              "M99999999999,5 M-99999999999,-99999999999 m+2147483647,-2147483648");
    EXPECT_EQ(turnAngle, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ink(100, 0, 1, 101).size(), 101u);
    EXPECT_TRUE(std::isfinite(lastPointX()) && std::isfinite(lastPointY()));
    // A last point without a value still gives a finite pen.
    const float inf = std::numeric_limits<float>::infinity();
    strokesAt(std::numeric_limits<float>::quiet_NaN(), -inf, "g5000 m+5,5");
    EXPECT_TRUE(std::isfinite(lastPointX()) && std::isfinite(lastPointY()));
}

TEST_F(Strokes, LongMovesFromOffThePagePlotEveryPositionOnIt) {
    strokesAt(0, 240, "bl1000 r5000");
    EXPECT_EQ(ink(0, 240, kScreenWidth, 1).size(), 640u);
    EXPECT_EQ(ink().size(), 640u);
    expectLastPoint(4000, 240);
    // A diagonal from far below left, against every step worked out in turn.
    freshPage();
    strokesAt(0, 479, "bm-701,700 e3000");
    std::set<std::pair<int, int>> expected;
    const float step = static_cast<float>(std::cos(3.14159265358979323846 / 4));
    for (int64_t i = 0; i <= 4243; ++i) {
        const int x = static_cast<int>(std::trunc(static_cast<float>(-700.5 + i * double{step})));
        const int y = static_cast<int>(std::trunc(static_cast<float>(1179.5 - i * double{step})));
        if (x >= 0 && x < kScreenWidth && y >= 0 && y < kScreenHeight) expected.emplace(x, y);
    }
    const Pixels drawn = ink();
    EXPECT_GT(drawn.size(), 400u);
    EXPECT_EQ((std::set<std::pair<int, int>>(drawn.begin(), drawn.end())), expected);
}

TEST_F(Strokes, RandomCommandStringsEndWithAFinitePen) {
    const char alphabet[] = "udlrefghbnmtaUDLMTA0123456789999+-, \t";
    uint32_t state = 12345;
    const auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (int round = 0; round < 3000; ++round) {
        std::string commands;
        for (uint32_t i = next() % 48; i > 0; --i)
            commands += alphabet[next() % (sizeof alphabet - 1)];
        strokesAt(static_cast<float>(next() % 640), static_cast<float>(next() % 480),
                  commands.c_str());
        ASSERT_TRUE(std::isfinite(lastPointX()) && std::isfinite(lastPointY())) << commands;
    }
}

}  // namespace
