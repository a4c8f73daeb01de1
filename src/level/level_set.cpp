// The level set's globals, level selection and the level-solved step.
#include "level/level_set.h"

namespace {

std::vector<Level> oneEmptyLevel() {
    std::vector<Level> set(1);
    set[0].setPointCount(0);
    return set;
}

}  // namespace

std::vector<Level> levels = oneEmptyLevel();
std::vector<uint16_t> levelList = {0};
uint16_t currentLevel = 0;
uint16_t lastLevel = 0;
uint32_t storedChecksum = 0;
bool editorMode = false;
std::string puzzleFileName;
void (*levelSolvedHook)() = nullptr;

void Level::setPointCount(int count) {
    if (count < 0) count = 0;
    if (count > kMaxPoints) count = kMaxPoints;
    points.resize(static_cast<size_t>(count));
    if (count == 0) points.shrink_to_fit();
    lastPoint = static_cast<int16_t>(count - 1);
}

Level& thisLevel() {
    if (levels.empty()) levels = oneEmptyLevel();
    if (currentLevel >= levels.size()) return levels.back();
    return levels[currentLevel];
}

void resetLevelSet() {
    levels = oneEmptyLevel();
    levelList.assign(1, 0);
    currentLevel = 0;
    lastLevel = 0;
    storedChecksum = 0;
}

void selectLevel(uint16_t i) {
    // An index naming no level is refused, so currentLevel always names one.
    if (i >= levels.size()) return;
    currentLevel = i;
    for (uint16_t& entry : levelList) {
        if (entry == i) {
            entry = levelList[0];
            levelList[0] = i;
        }
    }
}

void markLevelSolved() {
    if (editorMode) return;
    Level& level = thisLevel();
    if (level.solved == kSolved) return;
    const size_t next = static_cast<size_t>(currentLevel) + 1;
    if (next < levels.size()) {
        // levels never exceeds 65536 records, so neither does the list.
        levelList.resize(next + 1);
        levelList[next] = static_cast<uint16_t>(next);
    }
    level.solved = kSolved;
    if (levelSolvedHook != nullptr) levelSolvedHook();
}

void rebuildLevelList() {
    size_t count = static_cast<size_t>(lastLevel) + 1;
    if (count > levels.size()) count = levels.size();
    levelList.resize(count);
    for (size_t i = 0; i < count; ++i) levelList[i] = static_cast<uint16_t>(i);
}
