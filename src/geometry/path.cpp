// Segments of a path and the point on a segment, bent by the attractor.
#include "geometry/path.h"

int usedSlots(const Path& path) {
    const int last = static_cast<int8_t>(path.lastSlot);
    if (last < 0 || last >= kPathSlots) return 0;
    return last + 1;
}

int segmentCount(const Path& path) {
    const int last = usedSlots(path) - 1;
    // k = 0, 2, ... while k <= last - 3; last <= 50 keeps k + 3 inside the slots.
    if (last < 3) return 0;
    return (last - 3) / 2 + 1;
}

Segment segmentOf(const Path& path, int k) {
    Segment seg;
    if (k < 0 || k + 3 >= kPathSlots) return seg;
    const Vector& knot = path.slots[k + 2];
    seg.p0 = path.slots[k];
    seg.p1 = path.slots[k + 1];
    seg.p2 = vecSub(vecAdd(knot, knot), path.slots[k + 3]);
    seg.p3 = knot;
    return seg;
}

Vector pathPointAt(const Segment& seg, float t, Vector attractor) {
    const float s = 1.0f - t;
    const double ds = s;
    const double dt = t;
    const float w0 = static_cast<float>(ds * ds * ds);
    const float w1 = static_cast<float>(3.0 * dt * ds * ds);
    const float w2 = static_cast<float>(3.0 * dt * dt * ds);
    const float w3 = static_cast<float>(dt * dt * dt);
    Vector b = vecAdd(vecScale(w0, seg.p0), vecScale(w1, seg.p1));
    b = vecAdd(b, vecScale(w2, seg.p2));
    b = vecAdd(b, vecScale(w3, seg.p3));
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
