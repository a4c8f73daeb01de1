// The editor's operations on the current level and on the level set.
#include "level/editor_ops.h"

#include <string>

#include "geometry/path.h"
#include "level/level_set.h"

namespace {

Vector pointer(int32_t x, int32_t y) {
    Vector v;
    v.x = static_cast<float>(x);
    v.y = static_cast<float>(y);
    return v;
}

}  // namespace

void editorAddPoint(int32_t x, int32_t y, uint8_t letter) {
    Level& level = thisLevel();
    const int count = levelPointCount(level);
    if (count >= kMaxPoints) return;
    level.setPointCount(count + 1);
    Vector& p = level.points[static_cast<size_t>(count)];
    p = pointer(x, y);
    p.flag = static_cast<int8_t>(letter);
}

void editorSetAttractor(int32_t x, int32_t y) {
    Level& level = thisLevel();
    level.attractor = pointer(x, y);
    level.attractor.flag = -1;
}

void editorDeleteAt(int32_t x, int32_t y) {
    Level& level = thisLevel();
    const Vector at = pointer(x, y);
    if (level.attractor.flag != 0 && isNear(level.attractor, at)) level.attractor.flag = 0;
    // A point under the pointer is replaced by the last one, which is then
    // tested at the same index; the last points so fill the gaps.
    int count = levelPointCount(level);
    int i = 0;
    while (i < count) {
        if (isNear(level.points[static_cast<size_t>(i)], at)) {
            level.points[static_cast<size_t>(i)] = level.points[static_cast<size_t>(count - 1)];
            --count;
        } else {
            ++i;
        }
    }
    if (count != level.lastPoint + 1) level.setPointCount(count);
}

void editorNewPath(int n) {
    if (n < 0) n = 0;
    if (n > kMaxSegments) n = kMaxSegments;
    thisLevel().paths = generatePath(static_cast<int16_t>(n));
}

void editorPreviousLevel() {
    if (currentLevel > 0) selectLevel(static_cast<uint16_t>(currentLevel - 1));
}

void editorNextLevel() {
    if (currentLevel < lastLevel) selectLevel(static_cast<uint16_t>(currentLevel + 1));
}

void editorAppendLevel() {
    // Level indices are 16-bit: a 65537th level could not be named.
    if (levels.size() >= static_cast<size_t>(kMaxLevels)) return;
    levels.emplace_back();
    lastLevel = static_cast<uint16_t>(levels.size() - 1);
    rebuildLevelList();
    Level& level = levels.back();
    level.setPointCount(0);
    level.code = std::to_string(lastLevel);
    selectLevel(lastLevel);
}

void editorRemoveLastLevel() {
    if (levels.size() > 1) levels.pop_back();
    lastLevel = static_cast<uint16_t>(levels.size() - 1);
    rebuildLevelList();
    selectLevel(lastLevel);
}
