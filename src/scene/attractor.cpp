// The attractor's turning spiral.
#include <cmath>

#include "level/level_set.h"
#include "platform/platform.h"
#include "scene/scene.h"

float spinAngle = kSpinAngleStart;
double spinTime = 0.0;

namespace {

// Nearest whole pixel, kept inside 16 bits (a damaged file may hold any float).
int16_t nearestPixel(float v) {
    if (std::isnan(v)) return 0;
    if (v <= -32768.0f) return -32768;
    if (v >= 32767.0f) return 32767;
    return int16_t(std::lround(v));
}

}  // namespace

void drawAttractor() {
    const Vector attractor = thisLevel().attractor;
    if (attractor.flag != -1) return;
    const double now = timer();
    spinAngle = float(double(spinAngle) - 5.0 * (now - spinTime));
    spinTime = timer();
    drawSpiral(nearestPixel(attractor.x), nearestPixel(attractor.y), spinAngle, 12);
}

void drawSpiral(int16_t x, int16_t y, float angle, int colour) {
    const float cx = float(x);
    const float cy = float(y);
    const float startX = cx + 10.0f * std::sin(angle);
    const float startY = cy + 10.0f * std::cos(angle);
    drawLine(startX, startY, startX, startY, colour);
    for (float m = 0.0f; m <= 15.0f; m += 0.5f) {
        const float r = 10.0f - m / 1.5f;
        drawLineTo(cx + r * std::sin(angle + m), cy + r * std::cos(angle + m), colour);
    }
}
