// Vector arithmetic and the nearness square.
#include "geometry/vector.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Vector at(float x, float y, int8_t flag = 0) {
    Vector v;
    v.x = x;
    v.y = y;
    v.flag = flag;
    return v;
}

TEST(IsNear, EdgesOfTheSquareCount) {
    const Vector c = at(100, 100);
    EXPECT_TRUE(isNear(at(105, 95), c));
    EXPECT_TRUE(isNear(at(95, 105), c));
    EXPECT_TRUE(isNear(at(100, 100), c));
    EXPECT_FALSE(isNear(at(105.5f, 100), c));
    EXPECT_FALSE(isNear(at(104, 106), c));
    EXPECT_FALSE(isNear(at(94.99f, 100), c));
    // A square, not a circle: the corner is near although it is 7 pixels away.
    EXPECT_TRUE(isNear(at(105, 105), c));
}

TEST(IsNear, IgnoresFlags) {
    EXPECT_TRUE(isNear(at(3, 4, 97), at(0, 0, -1)));
    EXPECT_FALSE(isNear(at(30, 4, 0), at(0, 0, 0)));
}

TEST(VectorArithmetic, ResultsCarryNoFlag) {
    const Vector a = at(1.5f, -2, 97);
    const Vector b = at(0.25f, 8, -1);
    const Vector sum = vecAdd(a, b);
    EXPECT_EQ(sum.x, 1.75f);
    EXPECT_EQ(sum.y, 6.0f);
    EXPECT_EQ(sum.flag, 0);
    const Vector diff = vecSub(a, b);
    EXPECT_EQ(diff.x, 1.25f);
    EXPECT_EQ(diff.y, -10.0f);
    EXPECT_EQ(diff.flag, 0);
    const Vector scaled = vecScale(-2.0f, a);
    EXPECT_EQ(scaled.x, -3.0f);
    EXPECT_EQ(scaled.y, 4.0f);
    EXPECT_EQ(scaled.flag, 0);
}

TEST(VectorArithmetic, SumsRoundToSinglePrecision) {
    // 2^24 + 1 is not a float: the sum must round as a float sum does.
    const Vector r = vecAdd(at(16777216.0f, 0), at(1.0f, 0));
    EXPECT_EQ(r.x, 16777216.0f);
}

TEST(VecDistance, RoundsOnceFromDouble) {
    EXPECT_EQ(vecDistance(at(0, 0), at(3, 4)), 5.0f);
    EXPECT_EQ(vecDistance(at(7.5f, 0), at(15, 10)), 12.5f);
    EXPECT_EQ(vecDistance(at(1, 1), at(1, 1)), 0.0f);
    // Squares beyond the float range must not overflow to infinity.
    const float big = 3.0e38f;
    EXPECT_EQ(vecDistance(at(big, 0), at(0, 0)), big);
    EXPECT_EQ(vecDistance(at(1, 0), at(0, 1)), static_cast<float>(std::sqrt(2.0)));
}

}  // namespace
