// The flight's visits found through the point grid against the
// straightforward scan of every point at every sample: the same entries, in
// the same order, with the same positions, on thousands of random levels.
#include "../../../bench/reference_hit_test.h"
#include "../../../bench/worst_case_level.h"
#include "app_fixture.h"

namespace {

using VisitsIndexTest = AppTest;

::testing::AssertionResult sameVisits(const std::vector<ReferenceVisit>& expected) {
    if (visitList.size() != expected.size()) {
        return ::testing::AssertionFailure()
               << visitList.size() << " visits instead of " << expected.size();
    }
    for (size_t i = 0; i < expected.size(); ++i) {
        if (visitList[i].pointIndex != expected[i].pointIndex ||
            visitList[i].position != expected[i].position) {
            return ::testing::AssertionFailure()
                   << "visit " << i << ": point " << visitList[i].pointIndex << " at "
                   << visitList[i].position << " instead of point " << expected[i].pointIndex
                   << " at " << expected[i].position;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(VisitsIndexTest, RandomLevelsGiveTheStraightforwardVisits) {
    seedRandom(21);
    for (int round = 0; round < 1000; ++round) {
        resetLevelSet();
        if (round % 25 == 0) {
            makeWorstCaseLevel(levels[0]);
        } else {
            makeTrickyLevel(levels[0]);
        }
        collectVisits();
        ASSERT_TRUE(sameVisits(referenceVisits(levels[0]))) << "round " << round;
    }
}

TEST_F(VisitsIndexTest, CrowdedPointsFillTheListInTheSameOrder) {
    // Many points scattered in index order over a few pixels of the path:
    // every sample is near several of them, in cells out of index order,
    // and the list fills up to its 501 entries.
    seedRandom(22);
    for (int round = 0; round < 50; ++round) {
        resetLevelSet();
        Level& level = levels[0];
        level.paths = generatePath(int16_t(1 + round % 5));
        level.attractor = round % 2 ? randomScreenPoint(-1) : Vector{};
        const Vector centre = pathPointAt(segmentOf(level.paths, 0), 0.5f, level.attractor);
        level.setPointCount(200);
        for (int j = 0; j < 200; ++j) {
            level.points[size_t(j)] = Vector{centre.x + float(randomUnit() * 24 - 12),
                                             centre.y + float(randomUnit() * 24 - 12), 'a'};
        }
        collectVisits();
        ASSERT_TRUE(sameVisits(referenceVisits(level))) << "round " << round;
    }
}

}  // namespace
