// Random paths: knots kept apart, handles whose mirror stays on screen.
#include <cmath>

#include "geometry/path.h"
#include "platform/platform.h"

namespace {

// A whole-number position in 5..634 x 5..474, x drawn first.
Vector randomPosition() {
    Vector v;
    v.x = static_cast<float>(5.0 + std::floor(630.0 * randomUnit()));
    v.y = static_cast<float>(5.0 + std::floor(470.0 * randomUnit()));
    return v;
}

bool nearAnyKnot(const Path& path, int knots, Vector p) {
    for (int i = 0; i < knots; ++i) {
        if (isNear(p, path.slots[2 * i])) return true;
    }
    return false;
}

bool mirrorOffScreen(Vector m) {
    return m.x < 5.0f || m.x > 635.0f || m.y < 5.0f || m.y > 475.0f;
}

}  // namespace

Path generatePath(int16_t n) {
    const int segments = n < 0 ? 0 : (n > kMaxSegments ? kMaxSegments : n);
    Path path;
    for (int i = 0; i <= segments; ++i) {
        Vector knot = randomPosition();
        while (nearAnyKnot(path, i, knot)) knot = randomPosition();
        path.slots[2 * i] = knot;
    }
    for (int i = 0; i <= segments; ++i) {
        const Vector knot = path.slots[2 * i];
        Vector handle = randomPosition();
        while (mirrorOffScreen(vecSub(vecAdd(knot, knot), handle))) handle = randomPosition();
        path.slots[2 * i + 1] = handle;
    }
    path.lastSlot = static_cast<uint8_t>(2 * segments + 1);
    return path;
}
