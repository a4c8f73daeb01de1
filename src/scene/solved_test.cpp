// The solved test for a path that is not drawn: the frame's samples of each
// segment and the nearness rule, every sample against every point.
#include <vector>

#include "scene/scene.h"
#include "scene/scene_points.h"

bool pathTouchesEveryPoint(const Level& level, const Path& path, Vector attractor) {
    const int count = levelPointCount(level);
    if (count == 0) return false;
    std::vector<uint8_t> touched(static_cast<size_t>(count), 0);
    const SampleWeights& weights = sampleWeights();
    const int n = weights.count;
    float xs[kSegmentSamples];
    float ys[kSegmentSamples];
    const int segments = segmentCount(path);
    for (int s = 0; s < segments; ++s) {
        pathPointsWithWeights(segmentOf(path, 2 * s), weights.w, n, attractor, xs, ys);
        for (int j = 0; j < count; ++j) {
            if (touched[static_cast<size_t>(j)] != 0) continue;
            const Vector point = level.points[static_cast<size_t>(j)];
            for (int i = 0; i < n; ++i) {
                if (isNear(Vector{xs[i], ys[i], 0}, Vector{point.x, point.y, 0})) {
                    touched[static_cast<size_t>(j)] = 255;
                    break;
                }
            }
        }
    }
    for (uint8_t t : touched) {
        if (t == 0) return false;
    }
    return true;
}
