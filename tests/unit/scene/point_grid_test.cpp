// The indexed hit test against the straightforward one: the same flags and
// pixels on thousands of random levels, the grid's answers at the edges of
// the 5-pixel square and of its own cells, and an index that never goes
// stale when points change behind its back.
#include "scene/point_grid.h"

#include <cmath>
#include <limits>
#include <set>

#include "../../../bench/reference_frame.h"
#include "../../../bench/reference_hit_test.h"
#include "../../../bench/worst_case_level.h"
#include "scene_fixture.h"

namespace {

class PointGridTest : public SceneTest {
   protected:
    void SetUp() override {
        SceneTest::SetUp();
        editorMode = true;  // the solved test must not open the menu
    }
    // The indices forEachNearPoint reports for p, each once.
    static std::set<int> gridNear(Vector p) {
        std::set<int> found;
        int calls = 0;
        forEachNearPoint(p, [&](int j) {
            found.insert(j);
            ++calls;
        });
        EXPECT_EQ(calls, int(found.size())) << "a point was reported twice";
        return found;
    }
    static std::set<int> bruteNear(const Level& level, Vector p) {
        std::set<int> found;
        for (int j = 0; j <= level.lastPoint; ++j) {
            if (isNear(p, level.points[size_t(j)])) found.insert(j);
        }
        return found;
    }
};

TEST_F(PointGridTest, RandomLevelsGiveTheStraightforwardFlags) {
    seedRandom(11);
    for (int round = 0; round < 1000; ++round) {
        resetLevelSet();
        if (round % 25 == 0) {
            makeWorstCaseLevel(levels[0]);
        } else {
            makeTrickyLevel(levels[0]);
        }
        const std::vector<uint8_t> expected = referenceHitFlags(levels[0]);
        drawFrame();
        ASSERT_EQ(hitFlags, expected) << "round " << round;
    }
}

TEST_F(PointGridTest, RandomLevelsDrawTheStraightforwardPixels) {
    seedRandom(12);
    for (int round = 0; round < 100; ++round) {
        resetLevelSet();
        makeTrickyLevel(levels[0]);
        if (round % 2 == 1) {
            // Knots and handles across the page's edges and far off it, and
            // the pointer over a slot.
            Path& path = levels[0].paths;
            const int used = usedSlots(path);
            for (int k = 0; k < 4; ++k) {
                Vector& slot = path.slots[size_t(randomUnit() * used)];
                slot.x = float(randomUnit() * 1400.0 - 380.0);
                slot.y = float(randomUnit() < 0.2 ? -3e4 : randomUnit() * 1100.0 - 310.0);
            }
            const Vector& under = path.slots[size_t(randomUnit() * used)];
            mouseX = int(under.x);
            mouseY = int(under.y);
        }
        reference::frame(true);
        drawFrame();
        ASSERT_TRUE(reference::workPageMatches()) << "round " << round;
    }
}

TEST_F(PointGridTest, QueriesAtSquareAndCellEdgesMatchIsNear) {
    // Points on the cell borders, the grid's own border, far outside it and
    // not numbers at all; probes at every offset around them, including
    // exactly 5 and one rounding step past it.
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::pair<float, float>> spots = {
        {0, 0},           {8, 8},      {7.999f, 16}, {-64, -64}, {-64.01f, 100}, {703.99f, 543.99f},
        {704, 300},       {300, 544},  {-70, 300},   {710, 300}, {1e9f, 1e9f},   {-1e9f, 5},
        {inf, 100},       {100, -inf}, {nan, 100},   {100, nan}, {-0.0f, 0.0f},  {639, 479},
        {320.5f, 240.25f}};
    Level& level = thisLevel();
    level.setPointCount(int(spots.size()));
    for (size_t j = 0; j < spots.size(); ++j)
        level.points[j] = Vector{spots[j].first, spots[j].second, 0};
    refreshPointGrid(level);

    const float offsets[] = {-6, -5, -4.5f, 0, 4.5f, 5, 6};
    for (const auto& [x, y] : spots) {
        for (float dx : offsets) {
            for (float dy : offsets) {
                for (int step = -1; step <= 1; ++step) {
                    const Vector p{nudged(x + dx, step), nudged(y + dy, step), 0};
                    ASSERT_EQ(gridNear(p), bruteNear(level, p)) << p.x << ", " << p.y;
                }
            }
        }
    }
    EXPECT_TRUE(gridNear(Vector{nan, nan, 0}).empty());
}

TEST_F(PointGridTest, RandomProbesAnywhereMatchIsNear) {
    seedRandom(13);
    Level& level = thisLevel();
    for (int round = 0; round < 50; ++round) {
        level.setPointCount(1 + int(randomUnit() * kMaxPoints));
        for (int j = 0; j <= level.lastPoint; ++j) {
            level.points[size_t(j)] =
                Vector{float(randomUnit() * 900 - 130), float(randomUnit() * 700 - 110), 0};
        }
        refreshPointGrid(level);
        for (int probe = 0; probe < 2000; ++probe) {
            const Vector p{float(randomUnit() * 900 - 130), float(randomUnit() * 700 - 110), 0};
            ASSERT_EQ(gridNear(p), bruteNear(level, p));
        }
    }
}

TEST_F(PointGridTest, NearPointsComeInIndexOrder) {
    Level& level = thisLevel();
    // Rows and cells out of index order: later indices in earlier cells.
    setPoints(level, {{104, 104}, {96, 96}, {100, 100}, {300, 300}, {103, 97}, {97, 103}});
    refreshPointGrid(level);
    uint16_t out[kMaxPoints];
    const int n = nearPointsInOrder(Vector{100, 100, 0}, out);
    ASSERT_EQ(n, 5);
    EXPECT_EQ((std::vector<uint16_t>(out, out + n)), (std::vector<uint16_t>{0, 1, 2, 4, 5}));
}

TEST_F(PointGridTest, PointsChangedInPlaceAreSeenNextFrame) {
    Level& level = thisLevel();
    straight(level);
    setPoints(level, {{30, 100}, {500, 300}});
    drawFrame();
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{255, 0}));
    // Same storage, same count, new positions: no writer announced it.
    level.points[0] = Vector{30, 300, 0};
    level.points[1] = Vector{600, 104, 0};
    drawFrame();
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{0, 255}));
    // Fewer points: the dropped one must not be reported.
    level.setPointCount(1);
    drawFrame();
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{0}));
}

TEST_F(PointGridTest, SwitchingLevelsWithEqualCountsUsesTheNewPoints) {
    levels.resize(2);
    straight(levels[0]);
    straight(levels[1]);
    setPoints(levels[0], {{30, 100}});
    setPoints(levels[1], {{30, 200}});
    drawFrame();
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{255}));
    selectLevel(1);
    drawFrame();
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{0}));
}

TEST_F(PointGridTest, DrawSegmentAloneIndexesAndKeepsToTheFlags) {
    Level& level = thisLevel();
    straight(level);
    setPoints(level, {{30, 100}, {45, 100}, {60, 100}});
    drawFrame();
    level.points[0] = Vector{30, 400, 0};  // moved after the frame
    // Called on its own, with flags for only the first two points: the third
    // is touched but has no flag to set.
    hitFlags.assign(2, 0);
    drawSegment(segmentOf(level.paths, 0));
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{0, 255}));
}

TEST_F(PointGridTest, LevelWithoutPointsKeepsTheOldFlags) {
    Level& level = thisLevel();
    straight(level);
    setPoints(level, {{30, 100}});
    drawFrame();
    level.setPointCount(0);
    drawFrame();
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{255}));
}

}  // namespace
