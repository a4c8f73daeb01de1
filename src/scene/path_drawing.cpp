// The path: handle lines, the sampled curve pieces with the hit test, and the
// slot markers.
#include <algorithm>

#include "level/level_set.h"
#include "platform/mouse_state.h"
#include "platform/platform.h"
#include "scene/point_grid.h"
#include "scene/scene.h"
#include "scene/scene_points.h"

void drawHandleLines() {
    const Path& path = thisLevel().paths;
    const int used = usedSlots(path);
    for (int i = 1; i < used; i += 2) {
        const Vector handle = path.slots[i];
        const Vector knot = path.slots[i - 1];
        const Vector mirror = vecSub(vecAdd(knot, knot), handle);
        drawLine(handle.x, handle.y, mirror.x, mirror.y, 1);
    }
}

const SampleWeights& sampleWeights() {
    static const SampleWeights table = [] {
        SampleWeights made;
        // t is summed in single precision: 101 samples, the last at 0.9999993.
        for (float t = 0.0f; t <= 1.0f && made.count < kSegmentSamples; t += 0.01f) {
            made.w[made.count++] = pathWeights(t);
        }
        return made;
    }();
    return table;
}

void drawSegment(const Segment& seg) {
    const Level& level = thisLevel();
    const Vector attractor = level.attractor;
    const int count = static_cast<int>(std::min(size_t(levelPointCount(level)), hitFlags.size()));

    const SampleWeights& weights = sampleWeights();
    const int n = weights.count;
    float xs[kSegmentSamples];
    float ys[kSegmentSamples];
    pathPointsWithWeights(seg, weights.w, n, attractor, xs, ys);

    // The first piece runs from the point at t = 0 to itself.
    drawPolyline(xs, ys, n, -1);

    if (count == 0) return;
    if (!pointGridCurrent) refreshPointGrid(level);
    uint8_t* flags = hitFlags.data();
    for (int i = 0; i < n; ++i) {
        forEachNearPoint(Vector{xs[i], ys[i], 0}, [&](int j) {
            if (j < count) flags[j] = 255;
        });
    }
}

void drawSlotMarkers() {
    const Path& path = thisLevel().paths;
    const int used = usedSlots(path);
    for (int i = 0; i < used; ++i) drawSlotMarker(path.slots[i], i == 0 ? 1 : 15);
}

void drawSlotMarker(Vector v, int colour) {
    Vector pointer;
    pointer.x = float(mouseX);
    pointer.y = float(mouseY);
    if (isNear(v, pointer)) colour = 12;
    drawLine(v.x - 2.0f, v.y - 2.0f, v.x + 2.0f, v.y + 2.0f, colour, LineKind::FilledBox);
    drawLine(v.x - 2.0f, v.y - 2.0f, v.x + 2.0f, v.y + 2.0f, 0, LineKind::Box);
}
