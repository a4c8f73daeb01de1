// The saved game's name, writing it and overlaying it on the level set.
#include "level/saved_game.h"

#include <gtest/gtest.h>

#include "geometry/path.h"
#include "level/puzzle_file.h"
#include "level_test_files.h"

namespace {

const std::string kExample =
    "\"SAVEDGAME\"\r\n"
    "1,0,\"levellist\"\r\n"
    "\"LVL\"\r\n"
    "-32,-31,\"code\"\r\n"
    "-1,\"solved\"\r\n"
    "100,120,90,140,300,200,320,180,\"paths\"\r\n"
    "320,240,\"attractor\"\r\n"
    "\"LVL\"\r\n"
    "49,\"code\"\r\n"
    "0,\"solved\"\r\n"
    "200,200,210,230,\"paths\"\r\n"
    "\"END\"\r\n";

using List = std::vector<uint16_t>;

TEST(SavedGameName, EveryRowOfTheTable) {
    EXPECT_EQ(savedGameName("levels.zag"), "levels.zap");
    EXPECT_EQ(savedGameName("C:\\igre\\lako.zag"), "C:\\igre\\lako.zap");
    EXPECT_EQ(savedGameName("lako"), "lako.zap");
    EXPECT_EQ(savedGameName("zbirka.1/lako"), "zbirka.1/lako.zap");
    EXPECT_EQ(savedGameName("zbirka.1\\lako"), "zbirka.1\\lako.zap");
    EXPECT_EQ(savedGameName("\"levels.zag\""), "\"levels.zap\"");
    EXPECT_EQ(savedGameName("\"lako\""), "\"lako.zap\"");
    EXPECT_EQ(savedGameName(""), ".zap");
    EXPECT_EQ(savedGameName("a.b.c"), "a.b.zap");
    EXPECT_EQ(savedGameName(".zag"), ".zap");
}

class SavedGameTest : public LevelFileTest {
   protected:
    // Two levels as a puzzle file gives them: points, base codes, level 1
    // with an attractor of its own.
    void SetUp() override {
        LevelFileTest::SetUp();
        writeBytes(puzzleFileName,
                   "\"LVL\"\r\n49,\"code\"\r\n10,20,97,\"points\"\r\n1,\"paths\"\r\n\r\n"
                   "\"LVL\"\r\n50,\"code\"\r\n\"points\"\r\n0,\"paths\"\r\n"
                   "7,8,\"attractor\"\r\n\r\n"
                   "123\r\n\"END\"\r\n");
        ASSERT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
        ASSERT_EQ(levels.size(), 2u);
    }
    std::string savedName() const { return dir + "/puzzle.zap"; }
    void readSaved(const std::string& bytes) {
        writeBytes(savedName(), bytes);
        readSavedGame();
    }
    static bool sameLevels(const std::vector<Level>& a, const std::vector<Level>& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            const Level& x = a[i];
            const Level& y = b[i];
            if (x.solved != y.solved || x.code != y.code || x.baseCode != y.baseCode ||
                x.lastPoint != y.lastPoint || x.paths.lastSlot != y.paths.lastSlot ||
                x.attractor.x != y.attractor.x || x.attractor.y != y.attractor.y ||
                x.attractor.flag != y.attractor.flag || x.points.size() != y.points.size()) {
                return false;
            }
            for (int s = 0; s < kPathSlots; ++s) {
                if (x.paths.slots[s].x != y.paths.slots[s].x ||
                    x.paths.slots[s].y != y.paths.slots[s].y) {
                    return false;
                }
            }
        }
        return true;
    }
};

TEST_F(SavedGameTest, ExampleReadsAndWritesBackByteForByte) {
    levels[1].attractor.flag = 0;
    readSaved(kExample);
    EXPECT_EQ(levelList, (List{1, 0}));
    EXPECT_EQ(levels[0].code, "\xe0\xe1");
    EXPECT_EQ(levels[0].baseCode, "1");
    EXPECT_EQ(levels[0].solved, 255);
    EXPECT_EQ(levels[0].paths.lastSlot, 3);
    EXPECT_EQ(levels[0].paths.slots[3].x, 320.0f);
    EXPECT_EQ(levels[0].paths.slots[3].y, 180.0f);
    EXPECT_EQ(levels[0].attractor.flag, -1);
    EXPECT_EQ(levels[1].code, "1");
    EXPECT_EQ(levels[1].solved, 0);
    EXPECT_EQ(levels[1].paths.lastSlot, 1);
    EXPECT_EQ(levels[1].paths.slots[1].y, 230.0f);
    // Untouched by a saved game:
    EXPECT_EQ(levels[0].lastPoint, 0);
    EXPECT_EQ(levels[0].points[0].x, 10.0f);
    EXPECT_EQ(storedChecksum, 123u);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_TRUE(pendingNumbers.empty());

    ASSERT_TRUE(writeSavedGame());
    EXPECT_EQ(readBytes(savedName()), kExample);
}

TEST_F(SavedGameTest, SaveThenContinueRestores) {
    levelList = {1, 0};
    levels[0].code = "x,\"y";
    levels[0].solved = 255;
    levels[0].paths.slots[0] = vec(17, 19);
    levels[1].paths.slots[1] = vec(-3, 600);
    levels[0].attractor = vec(33, 44, -1);
    levels[1].attractor = vec(1, 2, -1);
    const std::vector<Level> saved = levels;
    ASSERT_TRUE(writeSavedGame());

    resetLevelSet();
    ASSERT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
    readSavedGame();
    EXPECT_EQ(levelList, (List{1, 0}));
    EXPECT_TRUE(sameLevels(levels, saved));
}

TEST_F(SavedGameTest, LevelWithoutAttractorKeepsThePuzzles) {
    levels[1].attractor.flag = 0;
    ASSERT_TRUE(writeSavedGame());
    const std::string bytes = readBytes(savedName());
    EXPECT_EQ(bytes.find("attractor"), std::string::npos) << bytes;
    levels[1].attractor = vec(7, 8, -1);
    readSavedGame();
    EXPECT_EQ(levels[1].attractor.flag, -1);
    EXPECT_EQ(levels[1].attractor.x, 7.0f);
}

TEST_F(SavedGameTest, EmptyPathRoundTrips) {
    levels[0].paths.lastSlot = 255;
    ASSERT_TRUE(writeSavedGame());
    EXPECT_NE(readBytes(savedName()).find("0,\"solved\"\r\n\"paths\"\r\n\"LVL\""),
              std::string::npos);
    levels[0].paths.lastSlot = 3;
    readSavedGame();
    EXPECT_EQ(levels[0].paths.lastSlot, 255);
    EXPECT_EQ(usedSlots(levels[0].paths), 0);
}

TEST_F(SavedGameTest, DamagedLastSlotWritesNoSlots) {
    levels[0].paths.lastSlot = 100;
    ASSERT_TRUE(writeSavedGame());
    readSavedGame();
    EXPECT_EQ(levels[0].paths.lastSlot, 255);
}

TEST_F(SavedGameTest, ContinuingTwiceEqualsOnce) {
    readSaved(kExample);
    const std::vector<Level> once = levels;
    const List onceList = levelList;
    readSavedGame();
    EXPECT_TRUE(sameLevels(levels, once));
    EXPECT_EQ(levelList, onceList);
}

TEST_F(SavedGameTest, NotASavedGameChangesNothing) {
    const std::vector<Level> before = levels;
    readSaved("\r\n" + kExample);
    EXPECT_TRUE(sameLevels(levels, before));
    EXPECT_EQ(levelList, List{0});
    readSaved("\"LVL\"\r\n49,\"code\"\r\n");
    EXPECT_TRUE(sameLevels(levels, before));
    std::filesystem::remove(savedName());
    readSavedGame();
    EXPECT_TRUE(sameLevels(levels, before));
}

// Continuing from nothing, a folder, or a file that is not a saved game
// changes nothing and says why in one line.
TEST_F(SavedGameTest, ASavedGameThatCannotBeReadSaysWhy) {
    const std::vector<Level> before = levels;
    const auto reported = [&](SavedGameReadResult expected) {
        const SavedGameReadResult result = readSavedGame();
        EXPECT_EQ(result, expected);
        EXPECT_TRUE(sameLevels(levels, before));
        EXPECT_EQ(levelList, List{0});
        testing::internal::CaptureStderr();
        reportSavedGameRead(result);
        return testing::internal::GetCapturedStderr();
    };
    const std::string quoted = "\"" + savedName() + "\"";
    EXPECT_EQ(reported(SavedGameReadResult::Missing),
              "orvet: saved game " + quoted + " not found; nothing continued\n");
    std::filesystem::create_directory(savedName());
    EXPECT_EQ(reported(SavedGameReadResult::Unreadable),
              "orvet: cannot read " + quoted + ": Is a directory; nothing continued\n");
    std::filesystem::remove(savedName());
    for (const std::string& bytes : {std::string(), "\r\n" + kExample, kExample.substr(1)}) {
        writeBytes(savedName(), bytes);
        EXPECT_EQ(reported(SavedGameReadResult::NotASavedGame),
                  "orvet: " + quoted +
                      " is not a saved game (it does not begin with \"SAVEDGAME\"); "
                      "nothing continued\n");
    }
    writeBytes(savedName(), kExample);
    EXPECT_EQ(readSavedGame(), SavedGameReadResult::Read);
    testing::internal::CaptureStderr();
    reportSavedGameRead(SavedGameReadResult::Read);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(SavedGameTest, RecordsNamingNoLevelAreSkipped) {
    const std::vector<Level> before = levels;
    readSaved(
        "\"SAVEDGAME\"\r\n"
        "65,\"code\"\r\n-1,\"solved\"\r\n1,2,\"paths\"\r\n1,2,\"attractor\"\r\n"
        "\"LVL\"\r\n\"LVL\"\r\n\"LVL\"\r\n66,\"code\"\r\n-1,\"solved\"\r\n"
        "\"LVL\"\r\n67,\"code\"\r\n\"END\"\r\n");
    EXPECT_TRUE(sameLevels(levels, before));
    EXPECT_EQ(levels.size(), 2u);
}

TEST_F(SavedGameTest, LevelListEntriesMustNameLevels) {
    readSaved("\"SAVEDGAME\"\r\n1,5,65536,0,\"levellist\"\r\n\"END\"\r\n");
    EXPECT_EQ(levelList, (List{1, 0, 0}));  // 5 dropped; 65536 is 0 in 16 bits
    readSaved("\"SAVEDGAME\"\r\n9,7,\"levellist\"\r\n\"levellist\"\r\n\"END\"\r\n");
    EXPECT_EQ(levelList, (List{1, 0, 0}));  // nothing left, and no numbers: kept
}

TEST_F(SavedGameTest, MalformedRecordsAreSkipped) {
    const Path before = levels[0].paths;
    std::string tooMany = "\"SAVEDGAME\"\r\n\"LVL\"\r\n";
    for (int i = 0; i < 52; ++i) tooMany += "1,2,";
    tooMany += "\"paths\"\r\n1,2,3,\"paths\"\r\n5,\"attractor\"\r\n\"solved\"\r\n\"END\"\r\n";
    readSaved(tooMany);
    EXPECT_EQ(levels[0].paths.lastSlot, before.lastSlot);
    EXPECT_EQ(levels[0].paths.slots[0].x, before.slots[0].x);
    EXPECT_EQ(levels[0].attractor.flag, 0);
    EXPECT_EQ(levels[0].solved, 0);
}

TEST_F(SavedGameTest, FullPathOfFiftyOneSlots) {
    std::string full = "\"SAVEDGAME\"\r\n\"LVL\"\r\n";
    for (int i = 0; i < 51; ++i) full += std::to_string(i) + ",9,";
    readSaved(full + "\"paths\"\r\n");
    EXPECT_EQ(levels[0].paths.lastSlot, 50);
    EXPECT_EQ(levels[0].paths.slots[50].x, 50.0f);
}

TEST_F(SavedGameTest, NoSingleCharacterRule) {
    readSaved("\"SAVEDGAME\"\r\n\"LVL\"\r\na,49,-,\"code\"\r\n");
    EXPECT_EQ(levels[0].code, std::string("\0"
                                          "1"
                                          "\0",
                                          3));
}

TEST_F(SavedGameTest, SlotFlagsKeepTheirValues) {
    levels[0].paths.slots[0].flag = 5;
    readSaved(kExample);
    EXPECT_EQ(levels[0].paths.slots[0].flag, 5);
    EXPECT_EQ(levels[0].paths.slots[0].x, 100.0f);
}

TEST_F(SavedGameTest, FailedWriteKeepsOldFile) {
    writeBytes(savedName(), kExample);
    puzzleFileName = dir + "/missing/puzzle.zag";
    testing::internal::CaptureStderr();
    EXPECT_FALSE(writeSavedGame());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("missing/puzzle.zap"), std::string::npos);
    EXPECT_EQ(readBytes(savedName()), kExample);
}

}  // namespace
