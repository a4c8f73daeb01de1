// The heading arrow: a small arrow head at a point, pointing away from the
// point before it.

#include <cmath>
#include <cstdio>

#include "platform/platform.h"
#include "text/stroke_font.h"

namespace {

// v rounded to the nearest integer, halves to even; false when v is not a
// finite number within 16 bits.
bool toPixel(float v, int& out) {
    if (!std::isfinite(v)) return false;
    const double r = std::nearbyint(static_cast<double>(v));
    if (r < -32768.0 || r > 32767.0) return false;
    out = static_cast<int>(r);
    return true;
}

}  // namespace

void drawArrow(Vector p, Vector previous) {
    int px = 0, py = 0;
    if (!toPixel(p.x, px) || !toPixel(p.y, py)) return;
    if (px <= 0 || px >= kScreenWidth || py <= 0 || py >= kScreenHeight) return;
    const float u = p.x - previous.x;
    const float v = p.y - previous.y;
    const double degrees =
        std::atan2(static_cast<double>(u), static_cast<double>(v)) * 180.0 / 3.14159265358979323846;
    // A previous point that is not a number gives no direction to point in.
    if (!std::isfinite(degrees)) return;
    const int angle = static_cast<int>(std::trunc(degrees)) + 180;
    char commands[96];
    std::snprintf(commands, sizeof commands, "BM%d,%d TA%d NL5 NR5 U10 NM+5,+10 NM-5,+10 TA0", px,
                  py, angle);
    drawStrokes(commands);
}
