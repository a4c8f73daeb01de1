// Random paths keep their knots apart and their handles' mirrors on screen.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/path.h"
#include "platform/platform.h"

namespace {

bool whole(float v) {
    return std::floor(v) == v;
}

void expectWellFormed(const Path& p, int n) {
    ASSERT_EQ(p.lastSlot, 2 * n + 1);
    EXPECT_EQ(segmentCount(p), n);
    for (int i = 0; i <= n; ++i) {
        const Vector k = p.slots[2 * i];
        const Vector h = p.slots[2 * i + 1];
        EXPECT_TRUE(whole(k.x) && whole(k.y));
        EXPECT_TRUE(whole(h.x) && whole(h.y));
        EXPECT_GE(k.x, 5.0f);
        EXPECT_LE(k.x, 634.0f);
        EXPECT_GE(k.y, 5.0f);
        EXPECT_LE(k.y, 474.0f);
        EXPECT_EQ(k.flag, 0);
        EXPECT_EQ(h.flag, 0);
        const Vector m = vecSub(vecAdd(k, k), h);
        EXPECT_GE(m.x, 5.0f);
        EXPECT_LE(m.x, 635.0f);
        EXPECT_GE(m.y, 5.0f);
        EXPECT_LE(m.y, 475.0f);
        for (int j = 0; j < i; ++j) EXPECT_FALSE(isNear(k, p.slots[2 * j])) << i << " " << j;
    }
    for (int s = 2 * n + 2; s < kPathSlots; ++s) {
        EXPECT_EQ(p.slots[s].x, 0.0f);
        EXPECT_EQ(p.slots[s].y, 0.0f);
    }
}

TEST(GeneratePath, InvariantsOverManySeeds) {
    for (int seed = 1; seed <= 60; ++seed) {
        seedRandom(seed);
        const int n = seed % 25;
        expectWellFormed(generatePath(static_cast<int16_t>(n)), n);
    }
}

TEST(GeneratePath, FullPathsStayApart) {
    for (int seed = 100; seed < 110; ++seed) {
        seedRandom(seed);
        expectWellFormed(generatePath(24), 24);
    }
}

TEST(GeneratePath, ZeroSegmentsGiveOneKnotAndHandle) {
    seedRandom(7);
    const Path p = generatePath(0);
    expectWellFormed(p, 0);
    EXPECT_EQ(p.lastSlot, 1);
    EXPECT_EQ(segmentCount(p), 0);
}

TEST(GeneratePath, CountOutOfRangeIsLimited) {
    seedRandom(3);
    expectWellFormed(generatePath(-3), 0);
    expectWellFormed(generatePath(-32768), 0);
    expectWellFormed(generatePath(25), 24);
    expectWellFormed(generatePath(100), 24);
    expectWellFormed(generatePath(32767), 24);
}

}  // namespace
