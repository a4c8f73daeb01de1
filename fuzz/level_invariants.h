// The rules a level set must keep whatever file was read into it, and a copy
// of the level set's values for comparing a file with its rewrite.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "level/level_set.h"

// Aborts (a libFuzzer crash) when a rule is broken: lastPoint in -1..500 with
// that many points held, a path within its 51 slots, levelList naming only
// existing levels, currentLevel naming a level, no NaN in any coordinate,
// and the set within its 65536 levels.
void checkLevelSet();

struct LevelValues {
    uint8_t solved;
    std::string code;
    std::string baseCode;
    int lastSlot;                // signed; -1 = no slot
    std::vector<Vector> slots;   // the slots in use
    std::vector<Vector> points;  // points 0..lastPoint
    int lastPoint;
    Vector attractor;
};

struct LevelSetValues {
    std::vector<LevelValues> levels;
    std::vector<uint16_t> levelList;
    uint16_t currentLevel;
    uint32_t storedChecksum;
};

LevelSetValues takeLevelSetValues();

// A coordinate written and read back: equal, except that 2^31 (the float
// nearest the largest 32-bit number) wraps to -2^31 under the number rule.
bool sameRereadCoordinate(float written, float reread);
