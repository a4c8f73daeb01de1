// The level's points as circle outlines.
#include "level/level_set.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "scene/scene_points.h"

void drawLevelPoints() {
    const Level& level = thisLevel();
    const int count = levelPointCount(level);
    for (int i = 0; i < count; ++i) drawCircle(level.points[i].x, level.points[i].y, 3.0f, 2);
}
