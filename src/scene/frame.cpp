// One frame of the current level: page flip, points, handle lines, curve,
// touched points, slot markers and the attractor; and the solved test.
#include <algorithm>

#include "level/level_set.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "scene/point_grid.h"
#include "scene/scene.h"
#include "scene/scene_points.h"

std::vector<uint8_t> hitFlags;
bool pointGridCurrent = false;

void drawFrame() {
    flipPages();
    clearPage();

    const bool hasPoints = thisLevel().lastPoint >= 0;
    if (hasPoints) {
        drawLevelPoints();
        // assign keeps the vector's storage, so frames after the first one
        // of the biggest level allocate nothing.
        hitFlags.assign(size_t(levelPointCount(thisLevel())), 0);
    }

    drawHandleLines();

    // Drawing the curve changes no point, so one check of the point grid
    // serves every segment of the frame.
    const int segments = segmentCount(thisLevel().paths);
    if (hasPoints && segments > 0) {
        refreshPointGrid(thisLevel());
        pointGridCurrent = true;
    }
    for (int s = 0; s < segments; ++s) drawSegment(segmentOf(thisLevel().paths, 2 * s));
    pointGridCurrent = false;

    if (hasPoints) {
        // May open the menu, which can change the current level or end the
        // program; the rest of the frame uses whatever level is current then.
        drawHits();
        if (programEnding()) return;
    }

    drawSlotMarkers();
    drawAttractor();
}

void drawHits() {
    const Level& level = thisLevel();
    const size_t count = std::min(hitFlags.size(), size_t(levelPointCount(level)));
    bool all = true;
    for (size_t j = 0; j < hitFlags.size(); ++j) {
        if (hitFlags[j] == 0) {
            all = false;
        } else if (j < count) {
            drawCircle(level.points[j].x, level.points[j].y, 3.0f, 2, true);
        }
    }
    if (all && !hitFlags.empty() && !editorMode) markLevelSolved();
}
