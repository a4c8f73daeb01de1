// Single-precision vector arithmetic and the nearness rule.
#include "geometry/vector.h"

#include <cmath>

Vector vecAdd(Vector a, Vector b) {
    Vector r;
    r.x = a.x + b.x;
    r.y = a.y + b.y;
    return r;
}

Vector vecSub(Vector a, Vector b) {
    Vector r;
    r.x = a.x - b.x;
    r.y = a.y - b.y;
    return r;
}

Vector vecScale(float s, Vector v) {
    Vector r;
    r.x = s * v.x;
    r.y = s * v.y;
    return r;
}

float vecDistance(Vector a, Vector b) {
    // The differences are floats; squaring and summing happen in double and
    // the root is rounded once.
    const double dx = a.x - b.x;
    const double dy = a.y - b.y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

bool isNear(Vector p, Vector c) {
    return c.x - 5.0f <= p.x && p.x <= c.x + 5.0f && c.y - 5.0f <= p.y && p.y <= c.y + 5.0f;
}
