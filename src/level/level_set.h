// The level record and the level set: every level of the puzzle, the menu's
// list of open levels, the current level and the stored checksum, with level
// selection and the level-solved step.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/path.h"
#include "geometry/vector.h"

constexpr int kMaxPoints = 501;
constexpr int kMaxLevels = 65536;
// Level::solved.
constexpr uint8_t kNotSolved = 0;
constexpr uint8_t kSolved = 255;

struct Level {
    uint8_t solved = 0;     // kNotSolved or kSolved
    std::string code;       // shown in the menu; rewritten by flights and the editor
    std::string baseCode;   // the code as the puzzle file gave it
    Path paths;             // knots and handles
    int16_t lastPoint = 0;  // index of the last point; -1 = no points
    // points[0..lastPoint]; holds lastPoint + 1 entries (one zero point for a
    // new record), never more than 501. Use setPointCount to change it.
    std::vector<Vector> points = std::vector<Vector>(1);
    Vector attractor;  // flag -1 = present, 0 = none

    // Sets lastPoint to count - 1 (count 0..501), keeping existing points and
    // zeroing new ones.
    void setPointCount(int count);
};

// The points the level really holds: lastPoint + 1, never more than the
// record has, 0 for a level without points.
inline int levelPointCount(const Level& level) {
    return std::clamp(static_cast<int>(level.lastPoint) + 1, 0,
                      static_cast<int>(level.points.size()));
}

extern std::vector<Level> levels;        // never empty
extern std::vector<uint16_t> levelList;  // open levels in menu order; entry 0 selected last
extern uint16_t currentLevel;            // the level shown, played and edited
extern uint16_t lastLevel;               // last index of levels (kept in editor mode)
extern uint32_t storedChecksum;          // the checksum the puzzle file carries
extern bool editorMode;                  // started with "pravi"
extern std::string puzzleFileName;       // the puzzle file, as given

// Called by markLevelSolved after it marks a level (releases the grab and
// opens the menu); installed by the application at start-up.
extern void (*levelSolvedHook)();

Level& thisLevel();

// One level with no points, levelList [0], currentLevel 0, lastLevel 0,
// storedChecksum 0.
void resetLevelSet();
// Makes level i current and moves it to the front of levelList.
void selectLevel(uint16_t i);
// Outside the editor, the first time a level is solved: open the next level,
// set solved, call levelSolvedHook.
void markLevelSolved();
// levelList := 0..lastLevel.
void rebuildLevelList();
