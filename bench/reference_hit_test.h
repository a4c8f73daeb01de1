// The straightforward hit test (every sample against every point) and the
// straightforward flight visits, kept as the yardstick for the indexed ones
// in the game; the whole straightforward frame is in reference_frame.h.
// Header-only so the equivalence tests can use the very same code as the
// benchmarks.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/level_set.h"

// Points 0..lastPoint that the record holds.
inline int referencePointCount(const Level& level) {
    if (level.lastPoint < 0) return 0;
    return std::min(int(level.lastPoint) + 1, int(level.points.size()));
}

// The touched flags of a whole frame of level: 101 single-precision samples
// per segment, each tested against every point.
inline std::vector<uint8_t> referenceHitFlags(const Level& level) {
    const int count = referencePointCount(level);
    std::vector<uint8_t> flags(size_t(count), 0);
    const int segments = segmentCount(level.paths);
    for (int s = 0; s < segments; ++s) {
        const Segment seg = segmentOf(level.paths, 2 * s);
        for (float t = 0.0f; t <= 1.0f; t += 0.01f) {
            const Vector current = pathPointAt(seg, t, level.attractor);
            for (int j = 0; j < count; ++j) {
                if (isNear(current, level.points[size_t(j)])) flags[size_t(j)] = 255;
            }
        }
    }
    return flags;
}

struct ReferenceVisit {
    int pointIndex;
    double position;
};

// The flight's visits: 100 double-precision samples per segment; a point is
// recorded unless it is the most recent entry; at most 501 entries.
inline std::vector<ReferenceVisit> referenceVisits(const Level& level) {
    std::vector<ReferenceVisit> visits;
    const int count = referencePointCount(level);
    const int segments = segmentCount(level.paths);
    for (int s = 0; s < segments; ++s) {
        const Segment seg = segmentOf(level.paths, 2 * s);
        for (double u = 0.0; u <= 1.0; u += 0.01) {
            const Vector p = pathPointAt(seg, static_cast<float>(u), level.attractor);
            for (int j = 0; j < count; ++j) {
                if (!isNear(p, level.points[size_t(j)])) continue;
                if (!visits.empty() && visits.back().pointIndex == j) continue;
                if (visits.size() >= size_t(kMaxPoints)) return visits;
                visits.push_back(ReferenceVisit{j, s + u});
            }
        }
    }
    return visits;
}
