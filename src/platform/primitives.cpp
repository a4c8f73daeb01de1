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

// Cohen-Sutherland against the box around the page. False when nothing of
// the segment is left. The crossing points come from the line's implicit form
// x * dy - y * dx + c = 0, built once from the original end points, so a line
// between two far-away points keeps its place near the page.
bool clipToMarginBox(double& x0, double& y0, double& x1, double& y1) {
    constexpr int kLeft = 1, kRight = 2, kTop = 4, kBottom = 8;
    const double left = -kMargin;
    const double top = -kMargin;
    const double right = kScreenWidth + kMargin;
    const double bottom = kScreenHeight + kMargin;
    const auto code = [&](double x, double y) {
        int c = 0;
        if (x < left) c |= kLeft;
        if (x > right) c |= kRight;
        if (y < top) c |= kTop;
        if (y > bottom) c |= kBottom;
        return c;
    };
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double c = y0 * x1 - x0 * y1;
    const auto yAt = [&](double x) { return (x * dy + c) / dx; };
    const auto xAt = [&](double y) { return (y * dx - c) / dy; };
    int code0 = code(x0, y0);
    int code1 = code(x1, y1);
    // Each pass moves one end onto a box edge; four per end at the most.
    for (int pass = 0; pass < 8; ++pass) {
        if ((code0 | code1) == 0) return true;
        if ((code0 & code1) != 0) return false;
        const bool firstEnd = code0 != 0;
        const int out = firstEnd ? code0 : code1;
        double x;
        double y;
        if (out & kTop) {
            y = top;
            x = xAt(y);
        } else if (out & kBottom) {
            y = bottom;
            x = xAt(y);
        } else if (out & kLeft) {
            x = left;
            y = yAt(x);
        } else {
            x = right;
            y = yAt(x);
        }
        if (!std::isfinite(x) || !std::isfinite(y)) return false;
        if (firstEnd) {
            x0 = x;
            y0 = y;
            code0 = code(x0, y0);
        } else {
            x1 = x;
            y1 = y;
            code1 = code(x1, y1);
        }
    }
    return (code0 | code1) == 0;
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
