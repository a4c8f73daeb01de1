// The straightforward frame, kept as the yardstick for the game's drawFrame:
// the frame's steps drawn with the rasterisers of reference_drawing.h, with
// every curve sample tested against every point. It draws on the reference
// page, so the benchmarks and the equivalence tests compare its pixels and
// flags with the game's. Header-only so the tests use the very same code as
// the benchmarks.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/level_set.h"
#include "platform/mouse_state.h"
#include "platform/platform.h"
#include "reference_drawing.h"
#include "reference_hit_test.h"
#include "scene/scene.h"

namespace reference {

inline std::vector<uint8_t> flags;  // the frame's touched points

// The 101 pieces of a segment, and every sample against every point (or,
// withHits false, no hit test at all).
inline void segment(const Segment& seg, bool withHits) {
    const Level& level = thisLevel();
    const size_t count = flags.size();
    Vector previous = pathPointAt(seg, 0.0f, level.attractor);
    for (float t = 0.0f; t <= 1.0f; t += 0.01f) {
        const Vector current = pathPointAt(seg, t, level.attractor);
        line(previous.x, previous.y, current.x, current.y, -1);
        previous = current;
        if (!withHits) continue;
        for (size_t j = 0; j < count; ++j) {
            if (isNear(current, level.points[j])) flags[j] = 255;
        }
    }
}

inline int16_t nearestPixel(float v) {
    if (std::isnan(v)) return 0;
    if (v <= -32768.0f) return -32768;
    if (v >= 32767.0f) return 32767;
    return int16_t(std::lround(v));
}

// The attractor's spiral; turns spinAngle on as the game's drawAttractor does.
inline void attractorSpiral() {
    const Vector attractor = thisLevel().attractor;
    if (attractor.flag != -1) return;
    const double now = timer();
    spinAngle = float(double(spinAngle) - 5.0 * (now - spinTime));
    spinTime = timer();
    const float cx = float(nearestPixel(attractor.x));
    const float cy = float(nearestPixel(attractor.y));
    const float startX = cx + 10.0f * std::sin(spinAngle);
    const float startY = cy + 10.0f * std::cos(spinAngle);
    line(startX, startY, startX, startY, 12);
    for (float m = 0.0f; m <= 15.0f; m += 0.5f) {
        const float r = 10.0f - m / 1.5f;
        lineTo(cx + r * std::sin(spinAngle + m), cy + r * std::cos(spinAngle + m), 12);
    }
}

// drawFrame's steps on the reference page: points, handle lines, the curve
// with its hit test, touched points, slot markers and the spiral. The solved
// test is left out (the callers run in editor mode).
inline void frame(bool withHits) {
    clear(uint8_t(background()));
    const Level& level = thisLevel();
    const bool hasPoints = level.lastPoint >= 0;
    const int count = referencePointCount(level);
    if (hasPoints) {
        for (int i = 0; i < count; ++i)
            circle(level.points[size_t(i)].x, level.points[size_t(i)].y, 3.0f, 2);
        flags.assign(size_t(count), 0);
    }
    const Path& path = level.paths;
    const int used = usedSlots(path);
    for (int i = 1; i < used; i += 2) {
        const Vector handle = path.slots[i];
        const Vector knot = path.slots[i - 1];
        const Vector mirror = vecSub(vecAdd(knot, knot), handle);
        line(handle.x, handle.y, mirror.x, mirror.y, 1);
    }
    const int segments = segmentCount(path);
    for (int s = 0; s < segments; ++s) segment(segmentOf(path, 2 * s), withHits);
    if (hasPoints) {
        for (size_t j = 0; j < flags.size() && j < size_t(count); ++j) {
            if (flags[j] != 0) circle(level.points[j].x, level.points[j].y, 3.0f, 2, true);
        }
    }
    for (int i = 0; i < used; ++i) {
        const Vector v = path.slots[i];
        int colour = i == 0 ? 1 : 15;
        if (isNear(v, Vector{float(mouseX), float(mouseY), 0})) colour = 12;
        line(v.x - 2.0f, v.y - 2.0f, v.x + 2.0f, v.y + 2.0f, colour, LineKind::FilledBox);
        line(v.x - 2.0f, v.y - 2.0f, v.x + 2.0f, v.y + 2.0f, 0, LineKind::Box);
    }
    attractorSpiral();
}

// True when the game's work page and hitFlags hold the reference frame.
inline bool workPageMatches() {
    return hitFlags == flags && std::memcmp(page, pagePixels(workPage()), sizeof page) == 0;
}

}  // namespace reference
