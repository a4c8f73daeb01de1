// Segments of a path and the attractor's pull.
#include "geometry/path.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace {

Vector at(float x, float y, int8_t flag = 0) {
    Vector v;
    v.x = x;
    v.y = y;
    v.flag = flag;
    return v;
}

Segment line30() {
    return Segment{at(0, 0), at(10, 0), at(20, 0), at(30, 0)};
}

const Vector kNoAttractor = at(15, 10, 0);
const Vector kAttractor = at(15, 10, -1);

TEST(PathPointAt, WorkedNumbersWithoutAttractor) {
    const Vector p = pathPointAt(line30(), 0.5f, kNoAttractor);
    EXPECT_EQ(p.x, 15.0f);
    EXPECT_EQ(p.y, 0.0f);
    EXPECT_EQ(p.flag, 0);
}

TEST(PathPointAt, WorkedNumbersWithAttractor) {
    const Vector half = pathPointAt(line30(), 0.5f, kAttractor);
    EXPECT_EQ(half.x, 15.0f);
    EXPECT_EQ(half.y, 8.181818f);
    EXPECT_EQ(half.flag, 0);
    const Vector quarter = pathPointAt(line30(), 0.25f, kAttractor);
    EXPECT_EQ(quarter.x, 12.626582f);
    EXPECT_EQ(quarter.y, 6.8354425f);
}

TEST(PathPointAt, EndsOfASegment) {
    const Segment seg{at(12, 40), at(90, 7), at(200, 300), at(310, 120)};
    for (Vector a : {kNoAttractor, kAttractor, at(-500, 900, -1)}) {
        const Vector start = pathPointAt(seg, 0.0f, a);
        EXPECT_EQ(start.x, 12.0f);
        EXPECT_EQ(start.y, 40.0f);
        const Vector end = pathPointAt(seg, 1.0f, a);
        EXPECT_EQ(end.x, 310.0f);
        EXPECT_EQ(end.y, 120.0f);
    }
}

TEST(PathPointAt, AttractorWithFlagZeroHasNoEffect) {
    const Segment seg = line30();
    for (float t : {0.1f, 0.3f, 0.5f, 0.77f}) {
        const Vector plain = pathPointAt(seg, t, at(0, 0, 0));
        const Vector far = pathPointAt(seg, t, at(15, 1, 0));
        EXPECT_EQ(plain.x, far.x);
        EXPECT_EQ(plain.y, far.y);
        EXPECT_EQ(plain.y, 0.0f);
    }
}

TEST(PathPointAt, AttractorOnEndKnotReturnsTheKnot) {
    const Segment seg = line30();
    const Vector onStart = pathPointAt(seg, 0.0f, at(0, 0, -1));
    EXPECT_EQ(onStart.x, 0.0f);
    EXPECT_EQ(onStart.y, 0.0f);
    const Vector onEnd = pathPointAt(seg, 1.0f, at(30, 0, -1));
    EXPECT_EQ(onEnd.x, 30.0f);
    EXPECT_EQ(onEnd.y, 0.0f);
    // A segment shrunk to one point with the attractor on it: no NaN.
    const Segment dot{at(5, 5), at(5, 5), at(5, 5), at(5, 5)};
    const Vector p = pathPointAt(dot, 0.5f, at(5, 5, -1));
    EXPECT_EQ(p.x, 5.0f);
    EXPECT_EQ(p.y, 5.0f);
}

TEST(PathPointAt, AttractorOnTheUnbentPointIsReached) {
    const Vector p = pathPointAt(line30(), 0.5f, at(15, 0, -1));
    EXPECT_EQ(p.x, 15.0f);
    EXPECT_EQ(p.y, 0.0f);
}

TEST(PathPointAt, StraightSegmentBowsTowardsAttractor) {
    const Segment seg = line30();
    for (float t : {0.05f, 0.25f, 0.5f, 0.75f, 0.95f}) {
        const Vector p = pathPointAt(seg, t, kAttractor);
        EXPECT_GT(p.y, 0.0f) << t;
        EXPECT_LT(p.y, 10.0f) << t;
    }
}

uint32_t bits(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// Frozen results of this implementation. They guard against drift from fused
// multiply-adds or a reordering of the sums: the hit test decides on exact
// edges, so every bit of these points matters.
TEST(PathPointAt, ExactBitsStayFrozen) {
    const Segment segs[] = {
        Segment{at(0, 0), at(10, 0), at(20, 0), at(30, 0)},
        Segment{at(12, 40), at(90, 7), at(200, 300), at(310, 120)},
        Segment{at(634, 474), at(5, 5), at(600, 20), at(33, 401)},
    };
    const Vector attractors[] = {at(0, 0, 0), at(15, 10, -1), at(320, 240, -1)};
    const float ts[] = {0.01f, 0.13f, 0.37f, 0.5f, 0.71f, 0.99f};
    const uint32_t expected[] = {
        0x3e999999u, 0x00000000u, 0x4079999au, 0x00000000u, 0x4131999au, 0x00000000u, 0x41700000u,
        0x00000000u, 0x41aa6666u, 0x00000000u, 0x41ed999au, 0x00000000u, 0x3f8ad10eu, 0x3f089f0au,
        0x41131d9eu, 0x4098a410u, 0x41628ea1u, 0x40fb0ff3u, 0x41700000u, 0x4102e8bau, 0x4185cbd8u,
        0x40e86796u, 0x41e752f1u, 0x3f089ef4u, 0x3eabd9b5u, 0x3cdb35efu, 0x4089db2du, 0x3e9e9b59u,
        0x413f1d74u, 0x3f280222u, 0x417e892cu, 0x3f370229u, 0x41b06ab6u, 0x3f1ab39fu, 0x41ede445u,
        0x3cf6eaa1u, 0x416597d4u, 0x421c6d91u, 0x422fe36cu, 0x42279c77u, 0x42dc33f9u, 0x42c192aau,
        0x43150000u, 0x43072000u, 0x43571498u, 0x4330bfb8u, 0x4399599bu, 0x42fa848eu, 0x416c4e8au,
        0x41a2a2c2u, 0x418df138u, 0x415052deu, 0x42216150u, 0x42048420u, 0x4284e2d5u, 0x426824c0u,
        0x42fc86f6u, 0x42cd74cbu, 0x4393e9aau, 0x42f1ec93u, 0x418ea3d0u, 0x42259406u, 0x42a18e3eu,
        0x4288a268u, 0x434501a8u, 0x431c14e6u, 0x4376f05fu, 0x434330fdu, 0x43949d8fu, 0x4362460au,
        0x439ad3b4u, 0x4316be1bu, 0x4419dfacu, 0x43e6099cu, 0x43dec09cu, 0x439daf4eu, 0x439ed309u,
        0x43123635u, 0x439b2000u, 0x42ed8000u, 0x4391a7a0u, 0x4324bfecu, 0x4246a7b4u, 0x43c2d708u,
        0x4412fa0eu, 0x43dbb2ecu, 0x4382d81bu, 0x4338fbb4u, 0x42af8238u, 0x422afa14u, 0x4297f624u,
        0x4201d838u, 0x42a0e25eu, 0x423a9b16u, 0x423327f2u, 0x43a8248eu, 0x440d92c8u, 0x43d3b739u,
        0x43a5df60u, 0x43770da6u, 0x439ff894u, 0x436dafd0u, 0x439fd144u, 0x436b759au, 0x439fb7c0u,
        0x436e84feu, 0x42cf27c7u, 0x43b3ea17u,
    };
    size_t i = 0;
    for (const Segment& seg : segs) {
        for (const Vector& a : attractors) {
            for (float t : ts) {
                const Vector p = pathPointAt(seg, t, a);
                ASSERT_LT(i + 1, sizeof expected / sizeof expected[0]);
                EXPECT_EQ(bits(p.x), expected[i]) << "case " << i / 2;
                EXPECT_EQ(bits(p.y), expected[i + 1]) << "case " << i / 2;
                i += 2;
            }
        }
    }
    EXPECT_EQ(i, sizeof expected / sizeof expected[0]);
}

Path pathOf(uint8_t lastSlot) {
    Path p;
    p.lastSlot = lastSlot;
    for (int i = 0; i < kPathSlots; ++i) p.slots[i] = at(static_cast<float>(i), 1);
    return p;
}

// Equal bits, or both NaN: which NaN an operation passes on depends on the
// order in which the compiler put its operands, and the game treats every
// NaN alike (no pixel, no touch).
bool sameFloat(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

// The batch form against the single point, bit for bit: random segments near
// and far, the attractor on a knot, on the curve or absent, odd and even
// counts, infinities and NaN.
TEST(PathPointsWithWeights, SameBitsAsOnePointAtATime) {
    uint32_t state = 12345;
    const auto next = [&] {
        state = state * 1664525u + 1013904223u;
        return double(state >> 8) / double(1u << 24);
    };
    const auto coordinate = [&] {
        const double kind = next();
        if (kind < 0.6) return float(std::floor(next() * 700.0) - 30.0);
        if (kind < 0.8) return float(next() * 640.0);
        if (kind < 0.9) return float((next() - 0.5) * 2e7);
        if (kind < 0.93) return float(next() < 0.5 ? 1e30 : -1e30);
        if (kind < 0.95) return std::numeric_limits<float>::infinity();
        if (kind < 0.97) return std::numeric_limits<float>::quiet_NaN();
        return 0.0f;
    };
    PathWeights weights[101];
    int count = 0;
    for (float t = 0.0f; t <= 1.0f && count < 101; t += 0.01f) weights[count++] = pathWeights(t);
    for (int round = 0; round < 3000; ++round) {
        const Segment seg{at(coordinate(), coordinate()), at(coordinate(), coordinate()),
                          at(coordinate(), coordinate()), at(coordinate(), coordinate())};
        Vector attractor = at(coordinate(), coordinate(), next() < 0.15 ? 0 : -1);
        if (next() < 0.1) attractor = at(seg.p0.x, seg.p0.y, -1);
        if (next() < 0.1) attractor = at(seg.p3.x, seg.p3.y, -1);
        const int n = 1 + int(next() * 101);
        float xs[101];
        float ys[101];
        pathPointsWithWeights(seg, weights, n, attractor, xs, ys);
        for (int i = 0; i < n; ++i) {
            const Vector p = pathPointWithWeights(seg, weights[i], attractor);
            ASSERT_TRUE(sameFloat(xs[i], p.x)) << "round " << round << " i " << i;
            ASSERT_TRUE(sameFloat(ys[i], p.y)) << "round " << round << " i " << i;
        }
    }
}

TEST(PathSlots, CountsForWellFormedPaths) {
    EXPECT_EQ(usedSlots(pathOf(0)), 1);
    EXPECT_EQ(segmentCount(pathOf(0)), 0);
    EXPECT_EQ(usedSlots(pathOf(1)), 2);
    EXPECT_EQ(segmentCount(pathOf(1)), 0);
    EXPECT_EQ(segmentCount(pathOf(2)), 0);
    EXPECT_EQ(segmentCount(pathOf(3)), 1);
    EXPECT_EQ(segmentCount(pathOf(11)), 5);
    EXPECT_EQ(segmentCount(pathOf(49)), 24);
    EXPECT_EQ(usedSlots(pathOf(50)), 51);
    EXPECT_EQ(segmentCount(pathOf(50)), 24);
}

TEST(PathSlots, DamagedLastSlotIsEmpty) {
    for (int last : {51, 100, 127, 128, 200, 255}) {
        EXPECT_EQ(usedSlots(pathOf(static_cast<uint8_t>(last))), 0) << last;
        EXPECT_EQ(segmentCount(pathOf(static_cast<uint8_t>(last))), 0) << last;
    }
}

TEST(SegmentOf, MirrorsTheNextHandle) {
    Path p;
    p.lastSlot = 3;
    p.slots[0] = at(10, 20);
    p.slots[1] = at(30, 25);
    p.slots[2] = at(100, 50);
    p.slots[3] = at(110, 70);
    const Segment s = segmentOf(p, 0);
    EXPECT_EQ(s.p0.x, 10.0f);
    EXPECT_EQ(s.p1.y, 25.0f);
    EXPECT_EQ(s.p2.x, 90.0f);
    EXPECT_EQ(s.p2.y, 30.0f);
    EXPECT_EQ(s.p3.x, 100.0f);
    EXPECT_EQ(s.p3.y, 50.0f);
}

TEST(SegmentOf, IndexOutsideTheSlotsGivesZeroSegment) {
    const Path p = pathOf(49);
    for (int k : {-2, 48, 50, 1000}) {
        const Segment s = segmentOf(p, k);
        EXPECT_EQ(s.p0.x, 0.0f) << k;
        EXPECT_EQ(s.p3.x, 0.0f) << k;
    }
    EXPECT_EQ(segmentOf(p, 46).p3.x, 48.0f);
}

}  // namespace
