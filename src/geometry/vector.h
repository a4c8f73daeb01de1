// The 2-D vector of every position in the game and the nearness rule.
//
// Arithmetic is single precision on purpose: every product and sum is a float,
// so curve points and hit tests come out the same on every machine.
#pragma once

#include <cmath>
#include <cstdint>

struct Vector {
    float x = 0.0f;
    float y = 0.0f;
    int8_t flag = 0;  // 0 in arithmetic results; a point's letter; -1 for a present attractor
};

// The arithmetic is inline: the curve's sampling loops call it hundreds of
// times per segment, and a call each time cost more than the sums.
inline Vector vecAdd(Vector a, Vector b) {
    Vector r;
    r.x = a.x + b.x;
    r.y = a.y + b.y;
    return r;
}

inline Vector vecSub(Vector a, Vector b) {
    Vector r;
    r.x = a.x - b.x;
    r.y = a.y - b.y;
    return r;
}

inline Vector vecScale(float s, Vector v) {
    Vector r;
    r.x = s * v.x;
    r.y = s * v.y;
    return r;
}

// float(sqrt(dx*dx + dy*dy)) with the float differences squared and summed in
// double and the root rounded once.
inline float vecDistance(Vector a, Vector b) {
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

// p lies within 5 pixels of centre c on both axes, edges included.
bool isNear(Vector p, Vector c);
