// Any bytes as the saved game of a small fixed puzzle: continuing must keep
// the level set sound and leave alone what a saved game never holds; saving
// and continuing again must restore exactly what was saved.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_files.h"
#include "geometry/path.h"
#include "level/checksum.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "level/saved_game.h"
#include "level_invariants.h"

namespace {

// Three levels: points with Cyrillic letters, an attractor on level 1, a code
// holding a comma and a double quote on level 2.
const char* const kSeedPuzzle =
    "\"LVL\"\r\n49,\"code\"\r\n120,200,-32,300,250,-31,\"points\"\r\n2,\"paths\"\r\n"
    "320,240,\"attractor\"\r\n\r\n"
    "\"LVL\"\r\n50,\"code\"\r\n10,10,97,630,470,98,320,240,99,\"points\"\r\n3,\"paths\"\r\n"
    "100,400,\"attractor\"\r\n\r\n"
    "\"LVL\"\r\n44,34,\"code\"\r\n\"points\"\r\n24,\"paths\"\r\n\r\n"
    "12345\r\n\"END\"\r\n";

// What a saved game may not touch.
void checkKeptFromPuzzle(const LevelSetValues& puzzle) {
    if (levels.size() != puzzle.levels.size()) fuzzFail("a saved game changed the level count");
    if (currentLevel != puzzle.currentLevel) fuzzFail("a saved game changed currentLevel");
    if (storedChecksum != puzzle.storedChecksum) fuzzFail("a saved game changed the checksum");
    for (size_t i = 0; i < levels.size(); ++i) {
        const Level& now = levels[i];
        const LevelValues& was = puzzle.levels[i];
        const long index = static_cast<long>(i);
        if (now.baseCode != was.baseCode) fuzzFail("a saved game changed baseCode", index);
        if (now.lastPoint != was.lastPoint) fuzzFail("a saved game changed lastPoint", index);
        for (int t = 0; t <= now.lastPoint; ++t) {
            const Vector& p = now.points[t];
            const Vector& q = was.points[t];
            if (p.x != q.x || p.y != q.y || p.flag != q.flag) {
                fuzzFail("a saved game changed a point", t);
            }
        }
    }
}

// Compares the state continued from our own save with the state saved.
void compareContinued(const LevelSetValues& saved, bool& wrapped) {
    const auto same = [&](float a, float b) {
        if (a != b) wrapped = true;
        return sameRereadCoordinate(a, b);
    };
    if (levelList != saved.levelList) fuzzFail("levelList not restored");
    for (size_t i = 0; i < levels.size(); ++i) {
        const Level& now = levels[i];
        const LevelValues& was = saved.levels[i];
        const long index = static_cast<long>(i);
        if (now.code != was.code) fuzzFail("code not restored", index);
        if (now.solved != was.solved) fuzzFail("solved not restored", index);
        if (static_cast<int8_t>(now.paths.lastSlot) != was.lastSlot) {
            fuzzFail("lastSlot not restored", index);
        }
        for (size_t t = 0; t < was.slots.size(); ++t) {
            if (!same(was.slots[t].x, now.paths.slots[t].x) ||
                !same(was.slots[t].y, now.paths.slots[t].y)) {
                fuzzFail("path slot not restored", static_cast<long>(t));
            }
        }
        if (now.attractor.flag != was.attractor.flag) fuzzFail("attractor flag not restored");
        if (was.attractor.flag != 0 &&
            (!same(was.attractor.x, now.attractor.x) || !same(was.attractor.y, now.attractor.y))) {
            fuzzFail("attractor not restored", index);
        }
    }
}

// The level set as the seed puzzle reads, read once: reading it again for
// every input would draw new random paths each time (the same input would
// not give the same run) and cost more than the saved game itself.
struct SeedLevelSet {
    std::vector<Level> levels;
    std::vector<uint16_t> levelList;
    uint16_t currentLevel = 0;
    uint16_t lastLevel = 0;
    uint32_t storedChecksum = 0;
};
SeedLevelSet seed;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string puzzle = scratchPath("seed.zag");
    writeScratchFile(puzzle, kSeedPuzzle);
    editorMode = false;
    resetLevelSet();
    puzzleFileName = puzzle;
    if (readPuzzleFile() != PuzzleReadResult::Read || levels.size() != 3) {
        fuzzFail("the seed puzzle was not read");
    }
    seed = {levels, levelList, currentLevel, lastLevel, storedChecksum};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string puzzle = scratchPath("seed.zag");
    static const std::string saved = savedGameName(puzzle);

    editorMode = false;
    levelSolvedHook = nullptr;
    levels = seed.levels;
    levelList = seed.levelList;
    currentLevel = seed.currentLevel;
    lastLevel = seed.lastLevel;
    storedChecksum = seed.storedChecksum;
    puzzleFileName = puzzle;
    selectLevel(0);
    const LevelSetValues fromPuzzle = takeLevelSetValues();

    writeScratchFile(saved, data, size);
    readSavedGame();
    checkLevelSet();
    checkKeptFromPuzzle(fromPuzzle);
    levelChecksum();  // the menu's colour test on whatever list was read

    if (!writeSavedGame()) fuzzFail("the game could not be saved");
    const LevelSetValues savedValues = takeLevelSetValues();
    const std::string firstBytes = readScratchFile(saved);
    if (firstBytes.rfind("\"SAVEDGAME\"\r\n", 0) != 0 || firstBytes.size() < 7 ||
        firstBytes.compare(firstBytes.size() - 7, 7, "\"END\"\r\n") != 0) {
        fuzzFail("the saved game is not framed by SAVEDGAME and END");
    }

    readSavedGame();
    checkLevelSet();
    checkKeptFromPuzzle(fromPuzzle);
    bool wrapped = false;
    compareContinued(savedValues, wrapped);
    if (!writeSavedGame()) fuzzFail("the game could not be saved again");
    if (!wrapped && readScratchFile(saved) != firstBytes) fuzzFail("a resave changed the file");

    // Play goes on with whatever list the saved game left: pick its last
    // entry and solve it.
    if (!levelList.empty()) selectLevel(levelList.back());
    markLevelSolved();
    checkLevelSet();
    return 0;
}
