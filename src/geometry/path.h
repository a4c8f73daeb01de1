// A level's curve: knots and handles in 51 slots, its cubic segments, the
// attractor's pull and random path generation.
#pragma once

#include <cstdint>

#include "geometry/vector.h"

constexpr int kPathSlots = 51;
constexpr int kMaxSegments = 24;

// Path::lastSlot with no slot in use (it reads as -1).
constexpr uint8_t kNoSlot = 255;

struct Path {
    uint8_t lastSlot = 0;  // 2n + 1 for n segments; 0 for the all-zero path; or kNoSlot
    Vector slots[kPathSlots];
};

struct Segment {
    Vector p0, p1, p2, p3;
};

// Number of slots in use, 0..51: lastSlot taken as signed 8-bit plus one.
// A damaged value (negative, or above 50) counts as an empty path, so no loop
// over slots ever leaves the 51 slots.
int usedSlots(const Path& path);
// Number of segments: k = 0, 2, ... while k <= lastSlot - 3, within the slots.
int segmentCount(const Path& path);

// Segment k (k even, k + 3 <= 50).
Segment segmentOf(const Path& path, int k);
// The four weights of the point at t, with s = 1 - t: s^3, 3ts^2, 3t^2s and
// t^3, each worked out in double and rounded to single precision.
struct PathWeights {
    float w0, w1, w2, w3;
};

inline PathWeights pathWeights(float t) {
    const float s = 1.0f - t;
    const double ds = s;
    const double dt = t;
    PathWeights w;
    w.w0 = static_cast<float>(ds * ds * ds);
    w.w1 = static_cast<float>(3.0 * dt * ds * ds);
    w.w2 = static_cast<float>(3.0 * dt * dt * ds);
    w.w3 = static_cast<float>(dt * dt * dt);
    return w;
}

// The unbent point of the segment with weights w.
inline Vector pathCurvePoint(const Segment& seg, const PathWeights& w) {
    Vector b = vecAdd(vecScale(w.w0, seg.p0), vecScale(w.w1, seg.p1));
    b = vecAdd(b, vecScale(w.w2, seg.p2));
    return vecAdd(b, vecScale(w.w3, seg.p3));
}

// The point of the segment with weights w, pulled towards the attractor when
// its flag is not 0. At an end knot the pull vanishes and the knot is
// returned. Inline, so that sampling loops run without calls.
inline Vector pathPointWithWeights(const Segment& seg, const PathWeights& w, Vector attractor) {
    const Vector b = pathCurvePoint(seg, w);
    if (attractor.flag == 0) return b;

    const float d = vecDistance(b, attractor);
    const float u = vecDistance(b, seg.p0);
    const float v = vecDistance(b, seg.p3);
    // On an end knot the pull vanishes; returning the point itself also
    // avoids 0/0 when the attractor sits on that knot.
    if (u == 0.0f || v == 0.0f) return b;
    const float q = static_cast<float>(static_cast<double>(d) * d / u / v / 2.0);
    const float f = static_cast<float>(1.0 / (1.0 + q));
    return vecAdd(b, vecScale(f, vecSub(attractor, b)));
}

// pathPointWithWeights for n weight sets at once, into xs and ys: the very
// same operations, done for two points at a time where the processor can.
void pathPointsWithWeights(const Segment& seg, const PathWeights* w, int n, Vector attractor,
                           float* xs, float* ys);

// The point of the segment at t.
inline Vector pathPointAt(const Segment& seg, float t, Vector attractor) {
    return pathPointWithWeights(seg, pathWeights(t), attractor);
}

// A new random path of n segments (n limited to 0..24).
Path generatePath(int16_t n);
