// The bundled puzzle pack: every committed puzzle is solved by the path its
// seed regenerates, the flight along that path spells the hidden word, the
// stored checksum is that of the hidden words, and the generator reproduces
// the committed bytes. Also the letter placement on hand-made paths.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "app/flight.h"
#include "level/checksum.h"
#include "level/puzzle_file.h"
#include "make-pack/pack_builder.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "scene/scene.h"

namespace {

const std::string kPackDir = std::string(ORVET_SOURCE_DIR) + "/puzzles";

class PackTest : public ::testing::Test {
   protected:
    void SetUp() override {
        headlessReset();
        clearInputQueues();
        resetDisplayState();
        ASSERT_TRUE(openWindow());
        drawPage = 0;
        resetLevelSet();
        editorMode = true;
    }

    void TearDown() override {
        resetLevelSet();
        editorMode = false;
        puzzleFileName.clear();
    }

    // Reads a committed puzzle into the level set and returns a copy of it.
    static std::vector<Level> readCommitted(const PackPuzzle& puzzle) {
        resetLevelSet();
        puzzleFileName = kPackDir + "/" + puzzle.fileName;
        EXPECT_EQ(readPuzzleFile(), PuzzleReadResult::Read) << puzzle.fileName;
        return levels;
    }

    // Makes level the current one and draws a frame; the flags it touched.
    static std::vector<uint8_t> touched(const Level& level) {
        resetLevelSet();
        levels[0] = level;
        drawFrame();
        return hitFlags;
    }

    static std::string flown(const Level& level) {
        resetLevelSet();
        levels[0] = level;
        collectVisits();
        return spellCode(1.0e9);
    }

    static bool allSet(const std::vector<uint8_t>& flags, size_t count) {
        if (flags.size() != count) return false;
        for (uint8_t f : flags) {
            if (f == 0) return false;
        }
        return true;
    }

    static Vector at(float x, float y) {
        Vector v;
        v.x = x;
        v.y = y;
        return v;
    }

    // A path from its slots, knots and handles alternating.
    static Path pathOf(std::initializer_list<Vector> slots) {
        Path path;
        int k = 0;
        for (const Vector& v : slots) path.slots[k++] = v;
        path.lastSlot = static_cast<uint8_t>(k - 1);
        return path;
    }

    static std::string cp(const char* utf8) {
        PackLevel entry{utf8, 1, false, 0};
        return packWord(entry);
    }
};

std::string fileBytes(const std::string& name) {
    std::ifstream in(name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST_F(PackTest, EveryCommittedLevelIsSolvedByItsSeedAndSpellsItsWord) {
    ASSERT_GE(packPuzzles.size(), 3u);
    for (const PackPuzzle& puzzle : packPuzzles) {
        const std::vector<Level> loaded = readCommitted(puzzle);
        ASSERT_EQ(loaded.size(), puzzle.levels.size()) << puzzle.fileName;
        for (size_t i = 0; i < loaded.size(); ++i) {
            SCOPED_TRACE(std::string(puzzle.fileName) + " level " + packTitle(i));
            const PackLevel& entry = puzzle.levels[i];
            const std::string word = packWord(entry);
            ASSERT_FALSE(word.empty());
            Level level = loaded[i];
            // The menu shows a neutral title until the level is flown.
            EXPECT_EQ(level.code, packTitle(i));
            EXPECT_EQ(level.baseCode, packTitle(i));
            EXPECT_EQ(segmentCount(level.paths), entry.segments);
            ASSERT_EQ(level.lastPoint + 1, static_cast<int>(word.size()));

            const Solution solution = drawSolution(entry, entry.seed);
            EXPECT_EQ(level.attractor.flag, solution.attractor.flag);
            if (entry.attractor) {
                EXPECT_EQ(level.attractor.x, solution.attractor.x);
                EXPECT_EQ(level.attractor.y, solution.attractor.y);
            }
            level.paths = solution.path;
            EXPECT_TRUE(allSet(touched(level), word.size()));
            EXPECT_EQ(flown(level), word);
            EXPECT_EQ(visitList.size(), word.size()) << "a letter is passed more than once";
        }
    }
}

TEST_F(PackTest, StoredChecksumMatchesOnlyOnceEveryWordIsFlown) {
    for (const PackPuzzle& puzzle : packPuzzles) {
        SCOPED_TRACE(puzzle.fileName);
        readCommitted(puzzle);
        const uint32_t stored = storedChecksum;
        levelList.clear();
        for (size_t i = 0; i < levels.size(); ++i) levelList.push_back(static_cast<uint16_t>(i));
        // As loaded, the titles must not already give the colour.
        EXPECT_NE(levelChecksum(), stored);
        for (size_t i = 0; i < levels.size(); ++i) levels[i].code = packWord(puzzle.levels[i]);
        EXPECT_EQ(levelChecksum(), stored);
        // The words count in level order.
        if (levelList.size() > 1) {
            std::swap(levelList[0], levelList[1]);
            EXPECT_NE(levelChecksum(), stored);
        }
    }
}

TEST_F(PackTest, AttractorLevelsAreNotSolvedWithoutTheirAttractor) {
    size_t attractorLevels = 0;
    for (const PackPuzzle& puzzle : packPuzzles) {
        const std::vector<Level> loaded = readCommitted(puzzle);
        for (size_t i = 0; i < loaded.size(); ++i) {
            if (!puzzle.levels[i].attractor) continue;
            SCOPED_TRACE(std::string(puzzle.fileName) + " level " + packTitle(i));
            ++attractorLevels;
            Level level = loaded[i];
            level.paths = drawSolution(puzzle.levels[i], puzzle.levels[i].seed).path;
            level.attractor.flag = 0;
            EXPECT_FALSE(allSet(touched(level), static_cast<size_t>(level.lastPoint) + 1));
        }
    }
    EXPECT_GE(attractorLevels, 5u);
}

TEST_F(PackTest, LettersAreWholeApartOnThePageAndDrawnByTheFont) {
    for (const PackPuzzle& puzzle : packPuzzles) {
        const std::vector<Level> loaded = readCommitted(puzzle);
        for (size_t i = 0; i < loaded.size(); ++i) {
            SCOPED_TRACE(std::string(puzzle.fileName) + " level " + packTitle(i));
            const Level& level = loaded[i];
            const std::string word = packWord(puzzle.levels[i]);
            for (int j = 0; j <= level.lastPoint; ++j) {
                const Vector p = level.points[j];
                EXPECT_EQ(static_cast<char>(p.flag), word[j]) << "letters in flight order";
                EXPECT_TRUE(isDrawnLetter(static_cast<uint8_t>(p.flag)));
                EXPECT_GE(p.x, 8.0f);
                EXPECT_LE(p.x, 632.0f);
                EXPECT_GE(p.y, 8.0f);
                EXPECT_LE(p.y, 472.0f);
                for (int m = j + 1; m <= level.lastPoint; ++m) {
                    EXPECT_GE(vecDistance(p, level.points[m]), kLetterClearance);
                }
                if (level.attractor.flag != 0) {
                    EXPECT_GE(vecDistance(p, level.attractor), kLetterClearance);
                }
            }
        }
    }
}

TEST_F(PackTest, RegeneratingGivesTheCommittedBytesFromTheTableSeeds) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("orvet-pack-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    for (const PackPuzzle& puzzle : packPuzzles) {
        SCOPED_TRACE(puzzle.fileName);
        std::vector<uint32_t> seeds;
        ASSERT_TRUE(writePackPuzzle(puzzle, dir.string(), seeds));
        ASSERT_EQ(seeds.size(), puzzle.levels.size());
        for (size_t i = 0; i < seeds.size(); ++i) EXPECT_EQ(seeds[i], puzzle.levels[i].seed);
        const std::string fresh = fileBytes((dir / puzzle.fileName).string());
        EXPECT_FALSE(fresh.empty());
        EXPECT_EQ(fresh, fileBytes(kPackDir + "/" + puzzle.fileName));
    }
    std::filesystem::remove_all(dir);
}

TEST_F(PackTest, PackDirectoryHoldsOnlyThePuzzles) {
    size_t files = 0;
    for (const auto& item : std::filesystem::directory_iterator(kPackDir)) {
        const std::string name = item.path().filename().string();
        bool known = false;
        for (const PackPuzzle& puzzle : packPuzzles) known = known || name == puzzle.fileName;
        EXPECT_TRUE(known) << name << " is not a puzzle of the pack";
        ++files;
    }
    EXPECT_EQ(files, packPuzzles.size());
}

TEST_F(PackTest, LettersGoInFlightOrderAlongAStraightPath) {
    // Knot (100, 240) to knot (500, 240), handles on the same line.
    const Path path = pathOf({at(100, 240), at(200, 240), at(500, 240), at(600, 240)});
    const std::string word = cp("кућа");
    std::vector<Vector> points;
    ASSERT_TRUE(placeLetters(path, Vector{}, word, points));
    ASSERT_EQ(points.size(), word.size());
    for (size_t j = 0; j < points.size(); ++j) {
        EXPECT_EQ(points[j].y, 240.0f);
        EXPECT_EQ(static_cast<char>(points[j].flag), word[j]);
        if (j > 0) {
            EXPECT_GE(points[j].x - points[j - 1].x, kLetterClearance);
        }
    }
    Level level;
    level.paths = path;
    level.setPointCount(static_cast<int>(points.size()));
    for (size_t j = 0; j < points.size(); ++j) level.points[j] = points[j];
    EXPECT_TRUE(levelSpells(level, word));
    EXPECT_TRUE(levelTouchesAll(level));
}

TEST_F(PackTest, NoLetterWhereThePathPassesTwiceOrHasNoRoom) {
    // Out along y = 240 and back over the same line: every spot of the first
    // third of the flight is passed again on the way back.
    const Path doubled =
        pathOf({at(100, 240), at(200, 240), at(500, 240), at(600, 240), at(100, 240), at(0, 240)});
    std::vector<Vector> points;
    EXPECT_FALSE(placeLetters(doubled, Vector{}, cp("сир"), points));
    EXPECT_TRUE(points.empty());
    // Twenty pixels of curve hold no five letters 15 pixels apart.
    const Path shortPath = pathOf({at(300, 240), at(305, 240), at(320, 240), at(325, 240)});
    EXPECT_FALSE(placeLetters(shortPath, Vector{}, cp("сунце"), points));
    EXPECT_FALSE(placeLetters(shortPath, Vector{}, "", points));
}

TEST_F(PackTest, LettersKeepClearOfTheAttractor) {
    // An attractor 100 pixels below the middle of a straight path pulls the
    // middle of the curve to within a few pixels of itself; no letter may
    // sit there under its spiral.
    const Path path = pathOf({at(100, 240), at(200, 240), at(500, 240), at(600, 240)});
    Vector attractor = at(300, 340);
    attractor.flag = -1;
    float closest = 1000.0f;
    for (int k = 0; k <= 100; ++k) {
        const Vector c = pathPointAt(segmentOf(path, 0), k / 100.0f, attractor);
        closest = std::min(closest, vecDistance(c, attractor));
    }
    ASSERT_LT(closest, kLetterClearance);
    std::vector<Vector> points;
    ASSERT_TRUE(placeLetters(path, attractor, cp("сир"), points));
    for (const Vector& p : points) EXPECT_GE(vecDistance(p, attractor), kLetterClearance);
}

TEST_F(PackTest, OnlyTheFontsLettersMakeAWord) {
    EXPECT_TRUE(isDrawnLetter(0x90));   // ђ
    EXPECT_TRUE(isDrawnLetter(0x9F));   // џ
    EXPECT_TRUE(isDrawnLetter(0xE0));   // а
    EXPECT_FALSE(isDrawnLetter(0xF9));  // щ
    EXPECT_FALSE(isDrawnLetter(0xFF));  // я
    EXPECT_FALSE(isDrawnLetter('a'));
    EXPECT_EQ(cp("ђак"), std::string("\x90\xE0\xEA"));
    EXPECT_EQ(cp("щука"), "");
    EXPECT_EQ(cp("dom"), "");
}

TEST_F(PackTest, ChecksumOfWordsPutsTheCodesAndListBack) {
    levels.resize(2);
    levels[0].code = "1";
    levels[1].code = "2";
    levelList = {1, 0};
    const uint32_t crc = hiddenWordsChecksum({cp("сир"), cp("море")});
    const std::string input = " " + cp("сир") + " " + cp("море");
    EXPECT_EQ(crc, crc32Bytes(0, input.data(), input.size()));
    EXPECT_EQ(levels[0].code, "1");
    EXPECT_EQ(levels[1].code, "2");
    EXPECT_EQ(levelList, (std::vector<uint16_t>{1, 0}));
}

}  // namespace
