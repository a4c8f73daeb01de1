// The editor's operations on points, the attractor, paths and levels.
#include "level/editor_ops.h"

#include <gtest/gtest.h>

#include "geometry/path.h"
#include "level/puzzle_file.h"
#include "level_test_files.h"
#include "platform/platform.h"

namespace {

using List = std::vector<uint16_t>;

class EditorOpsTest : public LevelFileTest {
   protected:
    void SetUp() override {
        LevelFileTest::SetUp();
        editorMode = true;
    }
    static Level& level() { return thisLevel(); }
};

TEST_F(EditorOpsTest, AddPointAppendsWithLetter) {
    editorAddPoint(100, 200, 224);
    ASSERT_EQ(level().lastPoint, 0);
    EXPECT_EQ(level().points[0].x, 100.0f);
    EXPECT_EQ(level().points[0].y, 200.0f);
    EXPECT_EQ(static_cast<uint8_t>(level().points[0].flag), 224);
    // A letter over an existing point adds a second one at the same place.
    editorAddPoint(100, 200, 225);
    ASSERT_EQ(level().lastPoint, 1);
    EXPECT_EQ(level().points[1].x, 100.0f);
    EXPECT_EQ(static_cast<uint8_t>(level().points[1].flag), 225);
}

TEST_F(EditorOpsTest, PointBeyond501IsRefused) {
    for (int i = 0; i < 501; ++i) editorAddPoint(i, 1, 97);
    ASSERT_EQ(level().lastPoint, 500);
    editorAddPoint(7, 7, 98);
    EXPECT_EQ(level().lastPoint, 500);
    EXPECT_EQ(level().points.size(), 501u);
    EXPECT_EQ(level().points[500].x, 500.0f);
}

TEST_F(EditorOpsTest, DeleteWithNothingUnderPointer) {
    editorAddPoint(100, 100, 97);
    editorSetAttractor(200, 200);
    editorDeleteAt(106, 100);
    EXPECT_EQ(level().lastPoint, 0);
    EXPECT_EQ(level().attractor.flag, -1);
}

TEST_F(EditorOpsTest, DeleteRemovesEveryPointUnderPointer) {
    editorAddPoint(100, 100, 'a');
    editorAddPoint(300, 300, 'b');
    editorAddPoint(104, 97, 'c');
    editorAddPoint(400, 400, 'd');
    editorDeleteAt(102, 100);
    ASSERT_EQ(level().lastPoint, 1);
    // The last points fill the gaps.
    EXPECT_EQ(level().points[0].flag, 'd');
    EXPECT_EQ(level().points[1].flag, 'b');
    EXPECT_EQ(level().points.size(), 2u);
}

TEST_F(EditorOpsTest, DeleteWhereTheLastPointIsAlsoUnderPointer) {
    editorAddPoint(50, 50, 'a');
    editorAddPoint(10, 10, 'b');
    editorAddPoint(52, 48, 'c');
    editorDeleteAt(50, 50);
    ASSERT_EQ(level().lastPoint, 0);
    EXPECT_EQ(level().points[0].flag, 'b');
    editorDeleteAt(10, 10);
    EXPECT_EQ(level().lastPoint, -1);
    editorDeleteAt(10, 10);  // an empty level stays empty
    EXPECT_EQ(level().lastPoint, -1);
}

TEST_F(EditorOpsTest, DeleteRemovesAttractorAndPoint) {
    editorAddPoint(100, 100, 'a');
    editorSetAttractor(103, 103);
    editorDeleteAt(100, 100);
    EXPECT_EQ(level().lastPoint, -1);
    EXPECT_EQ(level().attractor.flag, 0);
}

TEST_F(EditorOpsTest, SetAttractorMovesIt) {
    editorSetAttractor(5, 6);
    editorSetAttractor(50, 60);
    EXPECT_EQ(level().attractor.x, 50.0f);
    EXPECT_EQ(level().attractor.y, 60.0f);
    EXPECT_EQ(level().attractor.flag, -1);
}

TEST_F(EditorOpsTest, DigitGivesNewPath) {
    seedRandom(5);
    editorNewPath(5);
    EXPECT_EQ(level().paths.lastSlot, 11);
    EXPECT_EQ(segmentCount(level().paths), 5);
    editorNewPath(1);
    EXPECT_EQ(level().paths.lastSlot, 3);
}

TEST_F(EditorOpsTest, AppendOnThreeLevels) {
    editorAppendLevel();
    editorAppendLevel();
    selectLevel(0);
    ASSERT_EQ(levels.size(), 3u);
    levelList = {0, 1, 2};
    editorAppendLevel();
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(lastLevel, 3);
    EXPECT_EQ(currentLevel, 3);
    EXPECT_EQ(levelList, (List{3, 1, 2, 0}));
    const Level& added = levels[3];
    EXPECT_EQ(added.code, "3");
    EXPECT_EQ(added.baseCode, "");
    EXPECT_EQ(added.lastPoint, -1);
    EXPECT_EQ(added.attractor.flag, 0);
    EXPECT_EQ(added.paths.lastSlot, 0);
}

TEST_F(EditorOpsTest, AppendStopsAtTheLevelLimit) {
    levels.resize(65536);
    lastLevel = 65535;
    editorAppendLevel();
    EXPECT_EQ(levels.size(), 65536u);
    EXPECT_EQ(lastLevel, 65535);
}

TEST_F(EditorOpsTest, RemoveLastLevel) {
    editorAppendLevel();
    editorAppendLevel();
    selectLevel(0);
    editorRemoveLastLevel();
    EXPECT_EQ(levels.size(), 2u);
    EXPECT_EQ(lastLevel, 1);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(levelList, (List{1, 0}));
}

TEST_F(EditorOpsTest, RemoveKeepsTheOnlyLevel) {
    editorAddPoint(1, 1, 'a');
    editorRemoveLastLevel();
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].lastPoint, 0);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(levelList, List{0});
}

TEST_F(EditorOpsTest, PageThroughLevels) {
    editorAppendLevel();
    editorAppendLevel();
    editorNextLevel();  // on the last level: nothing
    EXPECT_EQ(currentLevel, 2);
    editorPreviousLevel();
    editorPreviousLevel();
    EXPECT_EQ(currentLevel, 0);
    editorPreviousLevel();  // on level 0: nothing
    EXPECT_EQ(currentLevel, 0);
    editorNextLevel();
    EXPECT_EQ(currentLevel, 1);
}

TEST_F(EditorOpsTest, NewLevelWithoutPathSavesAsZeroSegments) {
    editorAppendLevel();
    ASSERT_TRUE(writePuzzleFile());
    EXPECT_NE(
        readBytes(puzzleFileName).find("\"LVL\"\r\n49,\"code\"\r\n\"points\"\r\n-0.5,\"paths\""),
        std::string::npos);
    resetLevelSet();
    ASSERT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[1].paths.lastSlot, 1);
    EXPECT_EQ(segmentCount(levels[1].paths), 0);
    EXPECT_EQ(levels[1].code, "1");
}

}  // namespace
