// Any bytes as a puzzle file: reading must keep the level set sound, and what
// the writer then makes of it must read back to the same level set.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_files.h"
#include "geometry/path.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "level_invariants.h"

namespace {

// Compares the level set read from the writer's file with the one written;
// sets normalised when the writer's text will differ the second time (a
// coordinate of 2^31 came back as -2^31, an all-zero path came back generated).
void compareReread(const LevelSetValues& written, bool& normalised) {
    if (levels.size() != written.levels.size()) {
        fuzzFail("level count changed by a rewrite", static_cast<long>(levels.size()));
    }
    if (storedChecksum != written.storedChecksum) fuzzFail("checksum changed by a rewrite");
    const auto same = [&](float a, float b) {
        if (a != b) normalised = true;
        return sameRereadCoordinate(a, b);
    };
    for (size_t i = 0; i < levels.size(); ++i) {
        const Level& now = levels[i];
        const LevelValues& was = written.levels[i];
        const long index = static_cast<long>(i);
        if (now.code != was.code) fuzzFail("code changed by a rewrite", index);
        if (now.baseCode != now.code) fuzzFail("baseCode differs from the code read", index);
        if (now.lastPoint != was.lastPoint) fuzzFail("point count changed by a rewrite", index);
        for (int t = 0; t <= now.lastPoint; ++t) {
            const Vector& p = now.points[t];
            const Vector& q = was.points[t];
            if (!same(q.x, p.x) || !same(q.y, p.y) || p.flag != q.flag) {
                fuzzFail("point changed by a rewrite", t);
            }
        }
        Path before;
        before.lastSlot = static_cast<uint8_t>(was.lastSlot);
        // A path never generated (lastSlot 0) is written as -0.5 segments
        // and comes back generated with none: same count, new text.
        if (was.lastSlot == 0) normalised = true;
        if (segmentCount(now.paths) != segmentCount(before)) {
            fuzzFail("segment count changed by a rewrite", index);
        }
        if (now.attractor.flag != was.attractor.flag) fuzzFail("attractor lost or gained", index);
        if (was.attractor.flag != 0 &&
            (!same(was.attractor.x, now.attractor.x) || !same(was.attractor.y, now.attractor.y))) {
            fuzzFail("attractor moved by a rewrite", index);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = scratchPath("input.zag");
    static const std::string first = scratchPath("first.zag");
    static const std::string second = scratchPath("second.zag");
    writeScratchFile(input, data, size);

    resetLevelSet();
    puzzleFileName = input;
    const PuzzleReadResult result = readPuzzleFile();
    checkLevelSet();
    if (result != PuzzleReadResult::Read && (levels.size() != 1 || storedChecksum != 0)) {
        fuzzFail("a file that was not read changed the level set");
    }

    // Written as the editor writes: every level.
    lastLevel = static_cast<uint16_t>(levels.size() - 1);
    puzzleFileName = first;
    if (!writePuzzleFile()) fuzzFail("the puzzle could not be written");
    const LevelSetValues written = takeLevelSetValues();

    resetLevelSet();
    if (readPuzzleFile() != PuzzleReadResult::Read) fuzzFail("the written puzzle was not read");
    checkLevelSet();
    bool normalised = false;
    compareReread(written, normalised);

    // Writing what was read back gives the same bytes, paths aside (only
    // their counts are written).
    lastLevel = static_cast<uint16_t>(levels.size() - 1);
    puzzleFileName = second;
    if (!writePuzzleFile()) fuzzFail("the puzzle could not be written again");
    if (!normalised && readScratchFile(first) != readScratchFile(second)) {
        fuzzFail("a rewrite changed the file");
    }
    return 0;
}
