// readFieldText, the puzzle reader's uncopied fields, against readField on
// files whose fields straddle the 64 KiB blocks in every way; and what the
// reader's quick paths for numbers and keywords must still get right.
#include <gtest/gtest.h>

#include <vector>

#include "level/puzzle_file.h"
#include "level_test_files.h"
#include "platform/platform.h"

namespace {

class FieldTextTest : public LevelFileTest {
   protected:
    std::vector<std::string> byReadField(const std::string& name) {
        FieldReader r;
        std::vector<std::string> fields;
        if (openFields(r, name)) {
            while (readField(r)) fields.push_back(r.field);
        }
        closeFields(r);
        return fields;
    }
    std::vector<std::string> byReadFieldText(const std::string& name) {
        FieldReader r;
        std::vector<std::string> fields;
        if (openFields(r, name)) {
            while (readFieldText(r)) fields.push_back(std::string(r.text));
        }
        closeFields(r);
        return fields;
    }
};

// Pieces that end fields in every way the format allows.
const char* const kPieces[] = {"12", "-32", ",",  "\r\n", "\r", "\n",   "\"points\"", "\"a,b\"",
                               "  ", "\t",  "\"", "LVL",  "-",  "&H1F", "\"q\"  ,",   "x\"y"};

TEST_F(FieldTextTest, SameFieldsAsReadFieldAcrossBlocks) {
    const size_t block = 64 * 1024;
    seedRandom(31);
    const auto addPieces = [](std::string& bytes, size_t until) {
        while (bytes.size() < until) {
            bytes += kPieces[size_t(randomUnit() * (sizeof kPieces / sizeof kPieces[0]))];
        }
    };
    for (int round = 0; round < 300; ++round) {
        // Random pieces over the end of the first block, then full blocks of
        // other fields (so that every byte of the old block is replaced),
        // then random pieces again over the end of the second.
        std::string bytes(block - 1 - size_t(randomUnit() * 24), '7');
        bytes[10] = ',';
        addPieces(bytes, block + 40);
        while (bytes.size() < 2 * block - 30) bytes += "1,22,333,\r\n";
        addPieces(bytes, 2 * block + 40 + size_t(randomUnit() * 5000));
        if (round % 4 == 0) bytes += std::string(5000, 'w');  // an over-long last field
        const std::string name = dir + "/fields.txt";
        writeBytes(name, bytes);
        ASSERT_EQ(byReadFieldText(name), byReadField(name)) << "round " << round;
    }
}

TEST_F(FieldTextTest, FieldWhoseEndIsTheBlocksLastByte) {
    // The field lies wholly in the first block, but what ends it (a CR whose
    // LF follows, or a closing quote whose comma follows after blanks) makes
    // the reader fetch the next block before the field is handed over.
    const size_t block = 64 * 1024;
    const std::string tails[] = {"12\r", "\"ab\"", "\"cd\" "};
    const std::string nexts[] = {"\n", "  ,", ","};
    for (size_t i = 0; i < 3; ++i) {
        std::string bytes(block - tails[i].size() - 1, '7');
        bytes[10] = ',';
        bytes += "," + tails[i] + nexts[i];
        while (bytes.size() < 2 * block + 100) bytes += "1,22,333,\r\n";
        const std::string name = dir + "/edge.txt";
        writeBytes(name, bytes);
        const std::vector<std::string> fields = byReadFieldText(name);
        ASSERT_EQ(fields, byReadField(name)) << "tail " << i;
        ASSERT_GE(fields.size(), 3u);
        EXPECT_EQ(fields[2], tails[i] == "12\r" ? "12" : tails[i].substr(1, 2));
    }
}

TEST_F(FieldTextTest, OverlongFieldIsCutAtTheSameLength) {
    const std::string name = dir + "/long.txt";
    writeBytes(name, std::string(70000, '5') + ",8," + std::string(4097, '6') + ",\"" +
                         std::string(4100, 'q') + "\"\r\n9");
    const std::vector<std::string> fields = byReadFieldText(name);
    ASSERT_EQ(fields, byReadField(name));
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[0].size(), 4096u);
    EXPECT_EQ(fields[2].size(), 4096u);
    EXPECT_EQ(fields[3].size(), 4096u);
}

TEST_F(FieldTextTest, NumberLikeFieldsKeepTheNumberRule) {
    // A lone minus sign is a character (45); "-x" and "-" followed by blanks
    // are numbers of value 0; leading zeros and blanks inside still read as
    // the rule says; "ENDING" is no end.
    writeBytes(puzzleFileName,
               "\"LVL\"\r\n-,-x,007,-0,- 5,5 5,12.7,\"code\"\r\nENDING,-2147483648,4294967295,"
               "\"points\"\r\n1\r\n\"END\"\r\n9,\"code\"\r\n");
    ASSERT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
    const Level& level = levels[0];
    EXPECT_EQ(level.code, std::string({45, 0, 7, 0, 0, 5, 12}));
    ASSERT_EQ(level.lastPoint, 0);
    EXPECT_EQ(level.points[0].x, 0.0f);
    EXPECT_EQ(level.points[0].y, -2147483648.0f);
    EXPECT_EQ(level.points[0].flag, -1);
    EXPECT_EQ(storedChecksum, 1u);
}

TEST_F(FieldTextTest, KeywordsLookingLikeOthersAreNotTaken) {
    // Same lengths as the keywords, other bytes; a keyword with a blank
    // after it, which is part of an unquoted field.
    writeBytes(puzzleFileName,
               "\"LVL\"\r\n1,2,3,cods,pathz,pointz,attractor,4,LVX,\"code\"\r\n"
               "65,66,code \r\n67,\"code\"\r\n");
    ASSERT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 1u);
    // "attractor" took 1, 2 and the words' zeros; the unquoted "code " is a
    // word (0), so the last code record holds 65, 66, 0, 67.
    EXPECT_EQ(levels[0].attractor.flag, -1);
    EXPECT_EQ(levels[0].attractor.x, 1.0f);
    EXPECT_EQ(levels[0].code, std::string({65, 66, 0, 67}));
}

TEST_F(FieldTextTest, LevelsWithoutPointsHoldNoPointStorage) {
    std::string bytes;
    for (int i = 0; i < 2000; ++i)
        bytes += "\"LVL\"\r\n\"code\"\r\n\"points\"\r\n1,\"paths\"\r\n\r\n";
    bytes += "0\r\n\"END\"\r\n";
    writeBytes(puzzleFileName, bytes);
    ASSERT_EQ(readPuzzleFile(), PuzzleReadResult::Read);
    ASSERT_EQ(levels.size(), 2000u);
    size_t held = 0;
    for (const Level& level : levels) {
        EXPECT_EQ(level.lastPoint, -1);
        held += level.points.capacity();
    }
    EXPECT_EQ(held, 0u);
}

}  // namespace
