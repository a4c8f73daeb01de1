// The flight's visits and the letters they spell, for any level: the flight
// draws them, and the solver reads the word a found path spells.
#include <algorithm>

#include "level/level_set.h"
#include "scene/point_grid.h"
#include "scene/scene.h"
#include "scene/scene_points.h"

void collectLevelVisits(const Level& level, std::vector<Visit>& visits) {
    visits.clear();
    visits.reserve(kMaxVisits);
    const int segments = segmentCount(level.paths);
    if (levelPointCount(level) == 0) return;
    refreshPointGrid(level);
    // The near points of one sample, in index order (the grid indexes at
    // most 501 points).
    uint16_t near[kMaxPoints];

    for (int s = 0; s < segments; ++s) {
        const Segment seg = segmentOf(level.paths, 2 * s);
        // Accumulated in double: the samples are 0, 0.01, ..., 0.99.
        for (double u = 0.0; u <= 1.0; u += 0.01) {
            const Vector p = pathPointAt(seg, static_cast<float>(u), level.attractor);
            const int nearCount = nearPointsInOrder(p, near);
            for (int i = 0; i < nearCount; ++i) {
                const uint16_t j = near[i];
                if (!visits.empty() && visits.back().pointIndex == j) continue;
                // A long path over many close points keeps its first visits.
                if (static_cast<int>(visits.size()) >= kMaxVisits) return;
                visits.push_back(Visit{j, s + u});
            }
        }
    }
}

std::string visitedLetters(const Level& level, const std::vector<Visit>& visits, double t) {
    const int points = levelPointCount(level);
    std::string word;
    for (const Visit& v : visits) {
        if (v.position < t && v.pointIndex < points) {
            word.push_back(static_cast<char>(level.points[v.pointIndex].flag));
        }
    }
    return word;
}
