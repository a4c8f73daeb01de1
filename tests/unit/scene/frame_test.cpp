// drawFrame: page alternation, the hit rule at the 101 samples and the
// solved test.
#include "scene_fixture.h"

TEST_F(SceneTest, PassesAlternatePagesAndShowThePreviousFrame) {
    setPoints(thisLevel(), {{100, 200}});
    drawFrame();
    EXPECT_EQ(workPage(), 0);
    EXPECT_EQ(visiblePage(), 1);
    thisLevel().points[0] = Vector{300, 200, 0};
    drawFrame();
    EXPECT_EQ(workPage(), 1);
    EXPECT_EQ(visiblePage(), 0);
    EXPECT_EQ(pixelAt(0, 100, 197), 2);  // the shown frame has the old outline
    EXPECT_EQ(pixelAt(1, 100, 197), 15);
    EXPECT_EQ(pixelAt(1, 300, 197), 2);
}

TEST_F(SceneTest, OnlySamplesTouchPoints) {
    straight(thisLevel());
    // (38, 100) lies on the drawn piece between the samples at x = 30 and 45
    // but near neither; (43, 100) is 2 from one. The first sample is the knot
    // (0, 100) itself: (0, 105) is on its square's edge, (0, 106) outside. The
    // last, at t = 0.9999993, stops just short of x = 1500.
    setPoints(thisLevel(),
              {{38, 100}, {43, 100}, {0, 105}, {0, 106}, {1505, 100}, {1504.99f, 100}});
    drawFrame();
    EXPECT_EQ(hitFlags, (std::vector<uint8_t>{0, 255, 255, 0, 0, 255}));
    EXPECT_EQ(pixelAt(0, 38, 100), 0);   // the curve runs through it...
    EXPECT_EQ(pixelAt(0, 38, 101), 15);  // ...but it stays an outline
    EXPECT_EQ(pixelAt(0, 43, 101), 2);   // disc
    EXPECT_EQ(solvedCalls, 0);

    // Recreated all clear in the same storage each frame.
    const uint8_t* storage = hitFlags.data();
    thisLevel().points[1] = Vector{43, 300, 0};
    drawFrame();
    EXPECT_EQ(hitFlags.data(), storage);
    EXPECT_EQ(hitFlags[1], 0);
}

TEST_F(SceneTest, SolvingMarksTheLevelOnceAndOnlyInPlay) {
    levels.resize(2);
    straight(levels[0]);
    setPoints(levels[0], {{30, 100}, {600, 103}});
    editorMode = true;
    drawFrame();
    EXPECT_EQ(pixelAt(0, 30, 101), 2);  // touched points still drawn filled
    EXPECT_EQ(solvedCalls, 0);
    EXPECT_EQ(levels[0].solved, 0);

    editorMode = false;
    drawFrame();
    drawFrame();
    EXPECT_EQ(solvedCalls, 1);
    EXPECT_EQ(levels[0].solved, 255);
    EXPECT_EQ(levelList, (std::vector<uint16_t>{0, 1}));
}

TEST_F(SceneTest, LevelWithoutPointsNeverSolves) {
    // A level with points leaves every flag set; a level without points
    // keeps those stale flags and must not take them as solved.
    editorMode = true;
    levels.resize(2);
    straight(levels[0]);
    setPoints(levels[0], {{30, 100}});
    drawFrame();
    editorMode = false;
    selectLevel(1);
    straight(levels[1]);
    levels[1].setPointCount(0);
    drawFrame();
    EXPECT_EQ(solvedCalls, 0);
    EXPECT_EQ(levels[1].solved, 0);
}
