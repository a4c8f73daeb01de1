// Slots in use and the segments of a path (the point on a segment is inline
// in path.h).
#include "geometry/path.h"

int usedSlots(const Path& path) {
    // lastSlot is read as a signed byte on purpose: 255 is -1, no slot.
    const int last = static_cast<int8_t>(path.lastSlot);  // NOLINT(bugprone-signed-char-misuse)
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
