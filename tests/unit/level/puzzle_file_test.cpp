// Reading and writing puzzle files.
#include "level/puzzle_file.h"

#include <gtest/gtest.h>

#include "geometry/path.h"
#include "level_test_files.h"
#include "platform/platform.h"

namespace {

const std::string kExample =
    "\"LVL\"\r\n"
    "49,\"code\"\r\n"
    "120,200,-32,300,250,-31,\"points\"\r\n"
    "2,\"paths\"\r\n"
    "320,240,\"attractor\"\r\n"
    "\r\n"
    "0\r\n"
    "\"END\"\r\n";

class PuzzleFileTest : public LevelFileTest {
   protected:
    PuzzleReadResult readText(const std::string& bytes) {
        writeBytes(puzzleFileName, bytes);
        return readPuzzleFile();
    }
    // Writes the level set and reads it back into a fresh one.
    std::string roundTrip() {
        lastLevel = static_cast<uint16_t>(levels.size() - 1);
        EXPECT_TRUE(writePuzzleFile());
        const std::string bytes = readBytes(puzzleFileName);
        resetLevelSet();
        EXPECT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
        return bytes;
    }
};

TEST_F(PuzzleFileTest, ExampleReadsAndWritesBackByteForByte) {
    seedRandom(11);
    ASSERT_EQ(readText(kExample), PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 1u);
    const Level& l = levels[0];
    EXPECT_EQ(l.code, "1");
    EXPECT_EQ(l.baseCode, "1");
    ASSERT_EQ(l.lastPoint, 1);
    EXPECT_EQ(l.points[0].x, 120.0f);
    EXPECT_EQ(l.points[0].y, 200.0f);
    EXPECT_EQ(static_cast<uint8_t>(l.points[0].flag), 224);
    EXPECT_EQ(l.points[1].x, 300.0f);
    EXPECT_EQ(static_cast<uint8_t>(l.points[1].flag), 225);
    EXPECT_EQ(l.paths.lastSlot, 5);
    EXPECT_EQ(segmentCount(l.paths), 2);
    EXPECT_EQ(l.attractor.x, 320.0f);
    EXPECT_EQ(l.attractor.y, 240.0f);
    EXPECT_EQ(l.attractor.flag, -1);
    EXPECT_EQ(storedChecksum, 0u);
    EXPECT_TRUE(pendingNumbers.empty());

    lastLevel = 0;
    ASSERT_TRUE(writePuzzleFile());
    EXPECT_EQ(readBytes(puzzleFileName), kExample);
}

TEST_F(PuzzleFileTest, OpenResults) {
    EXPECT_EQ(readPuzzleFile(), PuzzleReadResult::Missing);
    puzzleFileName = "";
    EXPECT_EQ(readPuzzleFile(), PuzzleReadResult::Missing);
    puzzleFileName = dir;
    EXPECT_EQ(readPuzzleFile(), PuzzleReadResult::Unreadable);
    puzzleFileName = dir + "/puzzle.zag";
    EXPECT_EQ(readText("\"SAVEDGAME\"\r\n\"LVL\"\r\n"), PuzzleReadResult::NotAPuzzle);
    EXPECT_EQ(readText(""), PuzzleReadResult::NotAPuzzle);
    ASSERT_EQ(levels.size(), 1u);
    EXPECT_EQ(levels[0].lastPoint, -1);
}

TEST_F(PuzzleFileTest, FirstEmptyLineMeansNothingIsRead) {
    EXPECT_EQ(readText("\r\n\"LVL\"\r\n49,\"code\"\r\n7\r\n\"END\"\r\n"),
              PuzzleReadResult::NotAPuzzle);
    EXPECT_EQ(readText("   \r\n\"LVL\"\r\n49,\"code\"\r\n"), PuzzleReadResult::NotAPuzzle);
    EXPECT_EQ(levels.size(), 1u);
    EXPECT_TRUE(levels[0].code.empty());
    EXPECT_EQ(storedChecksum, 0u);
}

TEST_F(PuzzleFileTest, EmptyCodeAndNoPoints) {
    ASSERT_EQ(readText(kExample), PuzzleReadResult::Read);
    levels[0].code.clear();
    levels[0].setPointCount(0);
    const std::string bytes = roundTrip();
    EXPECT_NE(bytes.find("\r\n\"code\"\r\n\"points\"\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(levels[0].code, "");
    EXPECT_EQ(levels[0].baseCode, "");
    EXPECT_EQ(levels[0].lastPoint, -1);
}

TEST_F(PuzzleFileTest, LevelWithoutPointsRecord) {
    ASSERT_EQ(readText("\"LVL\"\r\n\"LVL\"\r\n49,\"code\"\r\n\"END\"\r\n"), PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].lastPoint, -1);  // as start-up left it
    EXPECT_EQ(levels[1].lastPoint, 0);   // a new record's single zero point
    ASSERT_EQ(levels[1].points.size(), 1u);
    EXPECT_EQ(levels[1].points[0].x, 0.0f);
    EXPECT_EQ(levels[1].points[0].flag, 0);
}

TEST_F(PuzzleFileTest, CodesWithAnyByteRoundTrip) {
    ASSERT_EQ(readText(kExample), PuzzleReadResult::Read);
    const std::string code("a,\"b\"\xe0\xff\x01 ", 9);
    levels[0].code = code;
    const std::string bytes = roundTrip();
    EXPECT_NE(bytes.find("97,44,34,98,34,-32,-1,1,32,\"code\""), std::string::npos) << bytes;
    EXPECT_EQ(levels[0].code, code);
    EXPECT_EQ(levels[0].baseCode, code);
}

TEST_F(PuzzleFileTest, OneCharacterFields) {
    ASSERT_EQ(readText("\"LVL\"\r\na,0,5,-,\"\xe0\",\" \",&,code\r\n\"END\"\r\n"),
              PuzzleReadResult::Read);
    EXPECT_EQ(levels[0].code, std::string("a\0\x05-\xe0 &", 7));
}

TEST_F(PuzzleFileTest, AllZeroPathWritesMinusHalf) {
    ASSERT_EQ(readText("\"LVL\"\r\n\"END\"\r\n"), PuzzleReadResult::Read);
    EXPECT_EQ(levels[0].paths.lastSlot, 0);
    const std::string bytes = roundTrip();
    EXPECT_NE(bytes.find("\r\n-0.5,\"paths\"\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(levels[0].paths.lastSlot, 1);
    EXPECT_EQ(segmentCount(levels[0].paths), 0);
}

TEST_F(PuzzleFileTest, EmptyPathWritesMinusOne) {
    ASSERT_EQ(readText("\"LVL\"\r\n\"END\"\r\n"), PuzzleReadResult::Read);
    levels[0].paths.lastSlot = 255;
    const std::string bytes = roundTrip();
    EXPECT_NE(bytes.find("\r\n-1,\"paths\"\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(levels[0].paths.lastSlot, 1);
}

TEST_F(PuzzleFileTest, LargestChecksumRoundTrips) {
    ASSERT_EQ(readText(kExample), PuzzleReadResult::Read);
    storedChecksum = 4294967295u;
    const std::string bytes = roundTrip();
    EXPECT_NE(bytes.find("\r\n4294967295\r\n\"END\"\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(storedChecksum, 4294967295u);
}

TEST_F(PuzzleFileTest, PendingNumbersCarryAcrossLvl) {
    ASSERT_EQ(readText("\"LVL\"\r\n49,50\r\n\"LVL\"\r\n\"code\"\r\n\"END\"\r\n"),
              PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 2u);
    EXPECT_EQ(levels[0].code, "");
    EXPECT_EQ(levels[1].code, "12");
}

TEST_F(PuzzleFileTest, PendingNumbersClearedWhenReadingStarts) {
    pendingNumbers = {5, 6};
    ASSERT_EQ(readText("\"LVL\"\r\ncode\r\n"), PuzzleReadResult::Read);
    EXPECT_EQ(levels[0].code, "");
    EXPECT_EQ(storedChecksum, 0u);
}

TEST_F(PuzzleFileTest, UnquotedKeywordsAndLevelCount) {
    ASSERT_EQ(readText("LVL\r\n49,code\r\nLVL\r\n50,code\r\nLVL\r\n\r\n77\r\nEND\r\n9\r\n"),
              PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 3u);
    EXPECT_EQ(levels[0].code, "1");
    EXPECT_EQ(levels[1].code, "2");
    EXPECT_EQ(storedChecksum, 77u);  // nothing after END is read
    resetLevelSet();
    ASSERT_EQ(readText("LVL\r\n"), PuzzleReadResult::Read);
    EXPECT_EQ(levels.size(), 1u);  // one header keeps the start-up record
}

TEST_F(PuzzleFileTest, KeywordsCompareWithCase) {
    ASSERT_EQ(readText("\"LVL\"\r\n49,\"Code\",\"code\"\r\n"), PuzzleReadResult::Read);
    EXPECT_EQ(levels[0].code, std::string("1\0", 2));
    EXPECT_EQ(readText("\"lvl\"\r\n"), PuzzleReadResult::NotAPuzzle);
}

TEST_F(PuzzleFileTest, FileWithoutEndIsReadToItsEnd) {
    ASSERT_EQ(readText("\"LVL\"\r\n51,\"code\"\r\n12345"), PuzzleReadResult::Read);
    EXPECT_EQ(levels[0].code, "3");
    EXPECT_EQ(storedChecksum, 12345u);
}

TEST_F(PuzzleFileTest, PointsRecordsOutsideTheFormat) {
    std::string many = "\"LVL\"\r\n";
    for (int i = 0; i < 1000; ++i) many += std::to_string(i) + ",7,97,";
    many += "\"points\"\r\n";
    ASSERT_EQ(readText(many), PuzzleReadResult::Read);
    EXPECT_EQ(levels[0].lastPoint, 500);
    EXPECT_EQ(levels[0].points.size(), 501u);
    EXPECT_EQ(levels[0].points[500].x, 500.0f);

    resetLevelSet();
    ASSERT_EQ(readText("\"LVL\"\r\n1,2,353,4,\"points\"\r\n"), PuzzleReadResult::Read);
    ASSERT_EQ(levels[0].lastPoint, 0);
    EXPECT_EQ(levels[0].points[0].y, 2.0f);
    EXPECT_EQ(levels[0].points[0].flag, 97);  // low 8 bits of 353
}

TEST_F(PuzzleFileTest, AttractorNeedsTwoNumbers) {
    ASSERT_EQ(readText("\"LVL\"\r\n5,\"attractor\"\r\n49,\"code\"\r\n"), PuzzleReadResult::Read);
    EXPECT_EQ(levels[0].attractor.flag, 0);
    EXPECT_EQ(levels[0].code, "1");  // the lone number was dropped with the record
}

TEST_F(PuzzleFileTest, PathCountsOutsideTheFormat) {
    ASSERT_EQ(readText("\"LVL\"\r\n100,\"paths\"\r\n\"LVL\"\r\n-3,\"paths\"\r\n"
                       "\"LVL\"\r\n65538,\"paths\"\r\n\"LVL\"\r\n\"paths\"\r\n"),
              PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 4u);
    EXPECT_EQ(levels[0].paths.lastSlot, 49);
    EXPECT_EQ(levels[1].paths.lastSlot, 1);
    EXPECT_EQ(levels[2].paths.lastSlot, 5);  // 65538 is 2 as a 16-bit count
    EXPECT_EQ(levels[3].paths.lastSlot, 0);  // no count: the path stays
}

TEST_F(PuzzleFileTest, HugeCodeIsBounded) {
    std::string text = "\"LVL\"\r\n";
    for (int i = 0; i < 1200000; ++i) text += "1,";
    text += "\"code\"\r\n";
    ASSERT_EQ(readText(text), PuzzleReadResult::Read);
    EXPECT_GT(levels[0].code.size(), 65536u);
    EXPECT_LT(levels[0].code.size(), 1200000u);
}

TEST_F(PuzzleFileTest, FailedWriteKeepsOldFile) {
    ASSERT_EQ(readText(kExample), PuzzleReadResult::Read);
    puzzleFileName = dir;  // an existing directory
    testing::internal::CaptureStderr();
    EXPECT_FALSE(writePuzzleFile());
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("orvet: could not save \"", 0), 0u);
    EXPECT_EQ(readBytes(dir + "/puzzle.zag"), kExample);
}

TEST_F(PuzzleFileTest, WriterStopsAtLastLevel) {
    ASSERT_EQ(readText("\"LVL\"\r\n\"LVL\"\r\n\"LVL\"\r\n"), PuzzleReadResult::Read);
    lastLevel = 1;
    ASSERT_TRUE(writePuzzleFile());
    resetLevelSet();
    ASSERT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
    EXPECT_EQ(levels.size(), 2u);
}

}  // namespace
