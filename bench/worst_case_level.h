// Random levels for the benchmarks and the equivalence tests: the worst case
// of the game (24 segments, 501 points spread over the screen, an attractor),
// and harder variants whose points sit exactly on the edges of the samples'
// 5-pixel squares, off the screen, or on top of each other.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "geometry/path.h"
#include "level/level_set.h"
#include "platform/platform.h"

// A whole-number position anywhere on the screen.
inline Vector randomScreenPoint(int8_t letter) {
    Vector v;
    v.x = float(std::floor(640.0 * randomUnit()));
    v.y = float(std::floor(480.0 * randomUnit()));
    v.flag = letter;
    return v;
}

// 501 points spread over the screen, a 24-segment path and an attractor on
// the screen. Uses the random service, so seedRandom first for a fixed level.
inline void makeWorstCaseLevel(Level& level) {
    level.setPointCount(kMaxPoints);
    for (int j = 0; j < kMaxPoints; ++j)
        level.points[size_t(j)] = randomScreenPoint(int8_t('a' + j % 26));
    level.paths = generatePath(kMaxSegments);
    level.attractor = randomScreenPoint(-1);
}

// A float near v: v itself, or a few units in the last place either way.
inline float nudged(float v, int steps) {
    const float toward = steps < 0 ? -std::numeric_limits<float>::infinity()
                                   : std::numeric_limits<float>::infinity();
    for (int i = 0; i < std::abs(steps); ++i) v = std::nextafter(v, toward);
    return v;
}

// Like makeWorstCaseLevel with random sizes, and with many points placed at
// (or a rounding step beyond) exactly 5 pixels from a sample of the curve,
// some far off the screen, some on one spot, some NaN. The attractor is
// sometimes absent or lies on a knot.
inline void makeTrickyLevel(Level& level) {
    const int points = 1 + int(randomUnit() * kMaxPoints);
    level.setPointCount(points);
    level.paths = generatePath(int16_t(1 + randomUnit() * kMaxSegments));
    const double attractorKind = randomUnit();
    if (attractorKind < 0.2) {
        level.attractor = Vector{};
    } else if (attractorKind < 0.3) {
        level.attractor = level.paths.slots[2];
        level.attractor.flag = -1;
    } else {
        level.attractor = randomScreenPoint(-1);
    }
    const int segments = segmentCount(level.paths);
    for (int j = 0; j < points; ++j) {
        Vector v = randomScreenPoint(int8_t('a' + j % 26));
        const double kind = randomUnit();
        if (kind < 0.5) {
            // On the edge of a sample's square, or just past it.
            const Segment seg = segmentOf(level.paths, 2 * int(randomUnit() * segments));
            const float t = float(int(randomUnit() * 101)) * 0.01f;
            const Vector p = pathPointAt(seg, t, level.attractor);
            const float dx = randomUnit() < 0.5 ? 5.0f : -5.0f;
            const float dy = float(std::floor(11.0 * randomUnit())) - 5.0f;
            const int steps = int(randomUnit() * 5.0) - 2;
            if (randomUnit() < 0.5) {
                v.x = nudged(p.x + dx, steps);
                v.y = p.y + dy;
            } else {
                v.x = p.x + dy;
                v.y = nudged(p.y + dx, steps);
            }
        } else if (kind < 0.55) {
            v.x = float((randomUnit() - 0.5) * 1e6);  // far off the screen
        } else if (kind < 0.57) {
            v.y = std::numeric_limits<float>::quiet_NaN();
        } else if (kind < 0.6 && j > 0) {
            v = level.points[size_t(j - 1)];  // on top of the previous point
        } else if (kind < 0.65) {
            // Just outside the indexed area's border.
            v.x = float(-70.0 + 20.0 * randomUnit());
        }
        level.points[size_t(j)] = v;
    }
}
