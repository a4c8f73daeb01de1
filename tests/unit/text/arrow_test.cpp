// The heading arrow: its direction, its rounding and where it is left out.
#include <cmath>
#include <limits>

#include "text_fixture.h"

namespace {

using Arrow = TextTest;

Vector at(float x, float y) {
    return Vector{x, y, 0};
}

// The arrow drawn by hand with turn angle a at (x, y), on a fresh page.
Pixels arrowByHand(int x, int y, int angle) {
    TextTest::freshPage();
    turnAngle = angle;
    TextTest::strokesAt(static_cast<float>(x), static_cast<float>(y),
                        "NL5 NR5 U10 NM+5,+10 NM-5,+10");
    turnAngle = 0;
    return TextTest::ink();
}

TEST_F(Arrow, PointsAwayFromThePreviousPoint) {
    drawArrow(at(100, 100), at(100, 150));  // from below: up, angle 360
    EXPECT_TRUE(inked(100, 90) && inked(95, 100) && inked(105, 100) && !inked(100, 110));
    EXPECT_EQ(ink(), arrowByHand(100, 100, 360));
    freshPage();
    drawArrow(at(100, 100), at(50, 100));  // from the left: right, angle 270
    EXPECT_TRUE(inked(110, 100) && inked(100, 95) && inked(100, 105) && !inked(90, 100));
    EXPECT_EQ(ink(), arrowByHand(100, 100, 270));
    freshPage();
    drawArrow(at(200, 200), at(170, 240));  // atan2(30, -40) = 143.13 degrees
    EXPECT_EQ(ink(), arrowByHand(200, 200, 323));
    freshPage();
    drawArrow(at(100, 100), at(100, 100));  // no heading: angle 180, down
    EXPECT_TRUE(inked(100, 110) && !inked(100, 90));
}

TEST_F(Arrow, PositionRoundsHalvesToEven) {
    drawArrow(at(100.5f, 100), at(100.5f, 150));
    EXPECT_EQ(ink(), arrowByHand(100, 100, 360));
    freshPage();
    drawArrow(at(101.5f, 100), at(101.5f, 150));
    EXPECT_EQ(ink(), arrowByHand(102, 100, 360));
}

TEST_F(Arrow, NothingOnOrBeyondTheScreenEdges) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const Vector& p :
         {at(0, 100), at(100, 0), at(639.5f, 100), at(100, 479.5f), at(-5, 100), at(0.4f, 100),
          at(70000, 100), at(100, 1.0e30f), at(nan, 100), at(100, inf)}) {
        drawArrow(p, at(100, 150));
        EXPECT_TRUE(ink().empty()) << p.x << "," << p.y;
    }
    drawArrow(at(100, 100), at(nan, 150));  // no direction to point in
    EXPECT_TRUE(ink().empty());
    drawArrow(at(639.4f, 100), at(639.4f, 150));  // just inside
    EXPECT_TRUE(inked(639, 90));
}

TEST_F(Arrow, TextAfterAnArrowIsUpright) {
    drawText(300, 300, "A", 99);
    const Pixels upright = ink();
    freshPage();
    drawArrow(at(100, 100), at(50, 120));
    EXPECT_EQ(turnAngle, 0);
    freshPage();
    drawText(300, 300, "A", 99);
    EXPECT_EQ(ink(), upright);
}

}  // namespace
