// Level set rules checked after every fuzz input.
#include "level_invariants.h"

#include <cmath>

#include "fuzz_files.h"
#include "geometry/path.h"

namespace {

void checkVector(const Vector& v, const char* what) {
    if (std::isnan(v.x) || std::isnan(v.y)) fuzzFail(what);
}

}  // namespace

void checkLevelSet() {
    if (levels.empty()) fuzzFail("no level left");
    if (levels.size() > static_cast<size_t>(kMaxLevels)) fuzzFail("too many levels", levels.size());
    if (currentLevel >= levels.size()) fuzzFail("currentLevel names no level", currentLevel);
    if (levelList.size() > static_cast<size_t>(kMaxLevels)) {
        fuzzFail("levelList too long", static_cast<long>(levelList.size()));
    }
    for (uint16_t entry : levelList) {
        if (entry >= levels.size()) fuzzFail("levelList names no level", entry);
    }
    for (size_t i = 0; i < levels.size(); ++i) {
        const Level& level = levels[i];
        if (level.lastPoint < -1 || level.lastPoint > kMaxPoints - 1) {
            fuzzFail("lastPoint out of range", level.lastPoint);
        }
        if (level.points.size() < static_cast<size_t>(level.lastPoint + 1)) {
            fuzzFail("fewer points held than lastPoint names", static_cast<long>(i));
        }
        if (level.points.size() > static_cast<size_t>(kMaxPoints)) {
            fuzzFail("more than 501 points held", static_cast<long>(level.points.size()));
        }
        const int used = usedSlots(level.paths);
        if (used < 0 || used > kPathSlots) fuzzFail("usedSlots out of range", used);
        if (segmentCount(level.paths) > kMaxSegments) {
            fuzzFail("more segments than a path holds", segmentCount(level.paths));
        }
        for (int t = 0; t < used; ++t) checkVector(level.paths.slots[t], "NaN in a path slot");
        for (int t = 0; t <= level.lastPoint; ++t) checkVector(level.points[t], "NaN in a point");
        checkVector(level.attractor, "NaN in the attractor");
    }
}

LevelSetValues takeLevelSetValues() {
    LevelSetValues set;
    set.levelList = levelList;
    set.currentLevel = currentLevel;
    set.storedChecksum = storedChecksum;
    for (const Level& level : levels) {
        LevelValues v;
        v.solved = level.solved;
        v.code = level.code;
        v.baseCode = level.baseCode;
        v.lastSlot = static_cast<int8_t>(level.paths.lastSlot);
        v.slots.assign(level.paths.slots, level.paths.slots + usedSlots(level.paths));
        v.lastPoint = level.lastPoint;
        v.points.assign(level.points.begin(), level.points.begin() + (level.lastPoint + 1));
        v.attractor = level.attractor;
        set.levels.push_back(std::move(v));
    }
    return set;
}

bool sameRereadCoordinate(float written, float reread) {
    return written == reread || (written == 2147483648.0f && reread == -2147483648.0f);
}
