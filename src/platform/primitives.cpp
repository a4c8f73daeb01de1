// Lines, boxes and circles on the work page, clipped to the page.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "platform/core_state.h"
#include "platform/platform.h"

namespace {

// Far beyond the page but small enough that stepping through it is cheap and
// pixel arithmetic stays inside int.
constexpr double kMargin = 16384.0;
constexpr double kClampLimit = 1.0e7;
// Above this radius the midpoint walk would take too long; such circles are
// drawn row by row instead.
constexpr long kMidpointRadiusLimit = 1L << 20;

bool onPage(int x, int y) {
    return x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight;
}

void plot(int x, int y, uint8_t colour) {
    if (onPage(x, y)) plotUnchecked(x, y, colour);
}

// Nearest whole pixel, halves away from zero, held inside a range where the
// result fits an int with room to spare.
int roundPixel(double v) {
    if (v < -kClampLimit) v = -kClampLimit;
    if (v > kClampLimit) v = kClampLimit;
    return static_cast<int>(std::round(v));
}

// Liang-Barsky: cuts the segment to the box around the page. False when
// nothing of it is left.
bool clipToMarginBox(double& x0, double& y0, double& x1, double& y1) {
    const double lo[2] = {-kMargin, -kMargin};
    const double hi[2] = {kScreenWidth + kMargin, kScreenHeight + kMargin};
    if (x0 >= lo[0] && x0 <= hi[0] && x1 >= lo[0] && x1 <= hi[0] && y0 >= lo[1] && y0 <= hi[1] &&
        y1 >= lo[1] && y1 <= hi[1]) {
        return true;
    }
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - lo[0], hi[0] - x0, y0 - lo[1], hi[1] - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            if (t > t0) t0 = t;
        } else {
            if (t < t0) return false;
            if (t < t1) t1 = t;
        }
    }
    const double nx0 = x0 + t0 * dx;
    const double ny0 = y0 + t0 * dy;
    const double nx1 = x0 + t1 * dx;
    const double ny1 = y0 + t1 * dy;
    x0 = nx0;
    y0 = ny0;
    x1 = nx1;
    y1 = ny1;
    return std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1);
}

void rasterLine(double fx0, double fy0, double fx1, double fy1, uint8_t colour) {
    if (!clipToMarginBox(fx0, fy0, fx1, fy1)) return;
    int x0 = roundPixel(fx0);
    int y0 = roundPixel(fy0);
    const int x1 = roundPixel(fx1);
    const int y1 = roundPixel(fy1);
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void rasterBox(double fx0, double fy0, double fx1, double fy1, bool filled, uint8_t colour) {
    int x0 = roundPixel(fx0);
    int y0 = roundPixel(fy0);
    int x1 = roundPixel(fx1);
    int y1 = roundPixel(fy1);
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    const int rowFirst = std::max(y0, 0);
    const int rowLast = std::min(y1, kScreenHeight - 1);
    if (filled) {
        for (int y = rowFirst; y <= rowLast; ++y) fillSpan(x0, x1, y, colour);
        return;
    }
    fillSpan(x0, x1, y0, colour);
    fillSpan(x0, x1, y1, colour);
    for (int y = rowFirst; y <= rowLast; ++y) {
        plot(x0, y, colour);
        plot(x1, y, colour);
    }
}

// Midpoint circle, outline or filled with horizontal spans.
void midpointCircle(int cx, int cy, int r, bool filled, uint8_t colour) {
    int x = r;
    int y = 0;
    long err = 1 - r;
    while (x >= y) {
        if (filled) {
            fillSpan(cx - x, cx + x, cy + y, colour);
            fillSpan(cx - x, cx + x, cy - y, colour);
            fillSpan(cx - y, cx + y, cy + x, colour);
            fillSpan(cx - y, cx + y, cy - x, colour);
        } else {
            plot(cx + x, cy + y, colour);
            plot(cx - x, cy + y, colour);
            plot(cx + x, cy - y, colour);
            plot(cx - x, cy - y, colour);
            plot(cx + y, cy + x, colour);
            plot(cx - y, cy + x, colour);
            plot(cx + y, cy - x, colour);
            plot(cx - y, cy - x, colour);
        }
        ++y;
        if (err < 0) {
            err += 2L * y + 1;
        } else {
            --x;
            err += 2L * (y - x) + 1;
        }
    }
}

// A very large circle, walked over the page's rows and columns only.
void largeCircle(double cx, double cy, double r, bool filled, uint8_t colour) {
    for (int y = 0; y < kScreenHeight; ++y) {
        const double dy = y - cy;
        if (std::fabs(dy) > r) continue;
        const double half = std::sqrt(r * r - dy * dy);
        const int left = roundPixel(cx - half);
        const int right = roundPixel(cx + half);
        if (filled) {
            fillSpan(left, right, y, colour);
        } else {
            plot(left, y, colour);
            plot(right, y, colour);
        }
    }
    if (filled) return;
    for (int x = 0; x < kScreenWidth; ++x) {
        const double dx = x - cx;
        if (std::fabs(dx) > r) continue;
        const double half = std::sqrt(r * r - dx * dx);
        plot(x, roundPixel(cy - half), colour);
        plot(x, roundPixel(cy + half), colour);
    }
}

// True when the circle's outline cannot touch the page: the page lies
// outside its bounding square or wholly inside the circle.
bool outlineMissesPage(double cx, double cy, double r) {
    if (cx + r < -1.0 || cx - r > kScreenWidth || cy + r < -1.0 || cy - r > kScreenHeight) {
        return true;
    }
    const double inner = r - 2.0;
    if (inner <= 0.0) return false;
    const double corners[4][2] = {
        {-1.0, -1.0}, {kScreenWidth, -1.0}, {-1.0, kScreenHeight}, {kScreenWidth, kScreenHeight}};
    for (const auto& c : corners) {
        if (std::hypot(c[0] - cx, c[1] - cy) >= inner) return false;
    }
    return true;
}

}  // namespace

void drawLine(float x1, float y1, float x2, float y2, int colour, LineKind kind, bool fromLast) {
    double ax = x1;
    double ay = y1;
    if (fromLast) {
        ax += lastPointX();
        ay += lastPointY();
    }
    setLastPoint(x2, y2);
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    const uint8_t c = resolveColour(colour);
    if (kind == LineKind::Line) {
        rasterLine(ax, ay, x2, y2, c);
    } else {
        rasterBox(ax, ay, x2, y2, kind == LineKind::FilledBox, c);
    }
    drawingDone();
}

void drawLineTo(float x2, float y2, int colour) {
    drawLine(0.0f, 0.0f, x2, y2, colour, LineKind::Line, true);
}

void drawCircle(float cx, float cy, float radius, int colour, bool filled) {
    setLastPoint(cx, cy);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) return;
    const double r = std::fabs(static_cast<double>(radius));
    if (filled ? (cx + r < -1.0 || cx - r > kScreenWidth || cy + r < -1.0 || cy - r > kScreenHeight)
               : outlineMissesPage(cx, cy, r)) {
        return;
    }
    const uint8_t c = resolveColour(colour);
    const double rounded = std::round(r);
    if (rounded > static_cast<double>(kMidpointRadiusLimit)) {
        largeCircle(cx, cy, r, filled, c);
    } else {
        midpointCircle(roundPixel(cx), roundPixel(cy), static_cast<int>(rounded), filled, c);
    }
    drawingDone();
}
