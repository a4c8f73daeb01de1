// Level selection, the level-solved step and the level record's point count.
#include "level/level_set.h"

#include <gtest/gtest.h>

namespace {

int hookCalls = 0;
void countHook() {
    ++hookCalls;
}

class LevelSetTest : public testing::Test {
   protected:
    void SetUp() override {
        resetLevelSet();
        editorMode = false;
        hookCalls = 0;
        levelSolvedHook = countHook;
    }
    void TearDown() override {
        levelSolvedHook = nullptr;
        editorMode = false;
    }
    static void withLevels(size_t n) {
        levels.resize(n);
        for (Level& l : levels) l.setPointCount(0);
    }
};

using List = std::vector<uint16_t>;

TEST_F(LevelSetTest, ResetGivesOneEmptyLevel) {
    levels.resize(4);
    levelList = {3, 2};
    currentLevel = 3;
    lastLevel = 3;
    storedChecksum = 99;
    editorMode = true;
    puzzleFileName = "keep.zag";
    resetLevelSet();
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].lastPoint, -1);
    EXPECT_TRUE(levels[0].points.empty());
    EXPECT_EQ(levels[0].attractor.flag, 0);
    EXPECT_TRUE(levels[0].code.empty());
    EXPECT_EQ(levelList, List{0});
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(lastLevel, 0);
    EXPECT_EQ(storedChecksum, 0u);
    EXPECT_TRUE(editorMode);
    EXPECT_EQ(puzzleFileName, "keep.zag");
    puzzleFileName.clear();
}

TEST_F(LevelSetTest, NewLevelHoldsOneZeroPoint) {
    Level level;
    EXPECT_EQ(level.lastPoint, 0);
    ASSERT_EQ(level.points.size(), 1u);
    EXPECT_EQ(level.points[0].x, 0.0f);
    EXPECT_EQ(level.paths.lastSlot, 0);
}

TEST_F(LevelSetTest, SetPointCountClampsAndKeepsPoints) {
    Level level;
    level.points[0].x = 7;
    level.setPointCount(3);
    EXPECT_EQ(level.lastPoint, 2);
    EXPECT_EQ(level.points[0].x, 7.0f);
    EXPECT_EQ(level.points[2].x, 0.0f);
    level.setPointCount(9999);
    EXPECT_EQ(level.lastPoint, 500);
    EXPECT_EQ(level.points.size(), 501u);
    level.setPointCount(-4);
    EXPECT_EQ(level.lastPoint, -1);
    EXPECT_TRUE(level.points.empty());
}

TEST_F(LevelSetTest, SelectMovesToFront) {
    withLevels(3);
    levelList = {0, 1, 2};
    selectLevel(2);
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(levelList, (List{2, 1, 0}));
    selectLevel(2);
    EXPECT_EQ(levelList, (List{2, 1, 0}));
    selectLevel(1);
    EXPECT_EQ(levelList, (List{1, 2, 0}));
}

TEST_F(LevelSetTest, SelectLevelNotInListKeepsList) {
    withLevels(3);
    levelList = {0, 1};
    selectLevel(2);
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(levelList, (List{0, 1}));
}

TEST_F(LevelSetTest, SelectLevelBeyondTheSetIsRefused) {
    withLevels(2);
    levelList = {0, 1};
    selectLevel(1);
    selectLevel(5);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(levelList, (List{1, 0}));
    EXPECT_EQ(&thisLevel(), &levels[1]);
}

TEST_F(LevelSetTest, SolvingOpensTheNextLevel) {
    withLevels(3);
    markLevelSolved();
    EXPECT_EQ(levelList, (List{0, 1}));
    EXPECT_EQ(levels[0].solved, 255);
    EXPECT_EQ(hookCalls, 1);
    // Solving again changes nothing and opens no menu.
    markLevelSolved();
    EXPECT_EQ(levelList, (List{0, 1}));
    EXPECT_EQ(hookCalls, 1);
}

TEST_F(LevelSetTest, SolvingSelectedSecondLevelAppendsThird) {
    withLevels(3);
    markLevelSolved();
    selectLevel(1);
    EXPECT_EQ(levelList, (List{1, 0}));
    markLevelSolved();
    EXPECT_EQ(levelList, (List{1, 0, 2}));
    EXPECT_EQ(levels[1].solved, 255);
}

TEST_F(LevelSetTest, SolvingLastLevelAddsNoEntry) {
    withLevels(2);
    levelList = {0, 1};
    selectLevel(1);
    markLevelSolved();
    EXPECT_EQ(levelList, (List{1, 0}));
    EXPECT_EQ(levels[1].solved, 255);
    EXPECT_EQ(hookCalls, 1);
}

TEST_F(LevelSetTest, SolvingWithOtherListShapeResizes) {
    withLevels(5);
    levelList = {0, 3, 4, 1};
    markLevelSolved();  // level 0: list cut to two entries, the last 1
    EXPECT_EQ(levelList, (List{0, 1}));
}

TEST_F(LevelSetTest, EditorNeverSolves) {
    withLevels(2);
    editorMode = true;
    markLevelSolved();
    EXPECT_EQ(levelList, List{0});
    EXPECT_EQ(levels[0].solved, 0);
    EXPECT_EQ(hookCalls, 0);
}

TEST_F(LevelSetTest, SolvingWithoutHookStillMarks) {
    withLevels(2);
    levelSolvedHook = nullptr;
    markLevelSolved();
    EXPECT_EQ(levels[0].solved, 255);
}

TEST_F(LevelSetTest, RebuildListNeverNamesMissingLevels) {
    withLevels(3);
    lastLevel = 2;
    rebuildLevelList();
    EXPECT_EQ(levelList, (List{0, 1, 2}));
    lastLevel = 9;  // out of step with the level set
    rebuildLevelList();
    EXPECT_EQ(levelList, (List{0, 1, 2}));
}

}  // namespace
