// The straightforward rasterisers, kept as the yardstick and the model of the
// game's primitives: lines, boxes and circles stepped exactly as the game
// steps them, but written pixel by pixel with a page test for every pixel,
// on a page of their own. Header-only so the tests use the very same code as
// the benchmarks.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "platform/platform.h"

namespace reference {

inline uint8_t page[kScreenWidth * kScreenHeight];  // the frame's pixels
inline float lastX = 0.0f;                          // the last point of the lines
inline float lastY = 0.0f;

constexpr double kMargin = 16384.0;
constexpr double kClampLimit = 1.0e7;
constexpr long kMidpointRadiusLimit = 1L << 20;

inline void plot(int x, int y, uint8_t colour) {
    if (x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight) {
        page[y * kScreenWidth + x] = colour;
    }
}

inline void fillSpan(int x0, int x1, int y, uint8_t colour) {
    if (y < 0 || y >= kScreenHeight) return;
    if (x0 > x1) std::swap(x0, x1);
    if (x1 < 0 || x0 >= kScreenWidth) return;
    if (x0 < 0) x0 = 0;
    if (x1 >= kScreenWidth) x1 = kScreenWidth - 1;
    std::memset(&page[y * kScreenWidth + x0], colour, size_t(x1 - x0 + 1));
}

inline int roundPixel(double v) {
    if (v < -kClampLimit) v = -kClampLimit;
    if (v > kClampLimit) v = kClampLimit;
    return static_cast<int>(std::round(v));
}

// Cohen-Sutherland against the box 16384 pixels around the page, the
// crossings taken from the line's implicit form.
inline bool clipToMarginBox(double& x0, double& y0, double& x1, double& y1) {
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
    int code0 = code(x0, y0);
    int code1 = code(x1, y1);
    for (int pass = 0; pass < 8; ++pass) {
        if ((code0 | code1) == 0) return true;
        if ((code0 & code1) != 0) return false;
        const bool firstEnd = code0 != 0;
        const int out = firstEnd ? code0 : code1;
        double x;
        double y;
        if (out & (kTop | kBottom)) {
            y = (out & kTop) ? top : bottom;
            x = (y * dx - c) / dy;
        } else {
            x = (out & kLeft) ? left : right;
            y = (x * dy + c) / dx;
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

inline uint8_t colourOf(int colour) {
    return static_cast<uint8_t>(colour == -1 ? foreground() : colour);
}

// Bresenham's line with a page test at every pixel.
inline void line(float x1, float y1, float x2, float y2, int colour, LineKind kind = LineKind::Line,
                 bool fromLast = false) {
    double ax = x1;
    double ay = y1;
    if (fromLast) {
        ax += lastX;
        ay += lastY;
    }
    lastX = x2;
    lastY = y2;
    if (!std::isfinite(ax) || !std::isfinite(ay) || !std::isfinite(x2) || !std::isfinite(y2)) {
        return;
    }
    const uint8_t c = colourOf(colour);
    double bx = x2;
    double by = y2;
    if (kind != LineKind::Line) {
        int x0 = roundPixel(ax), y0 = roundPixel(ay), xe = roundPixel(bx), ye = roundPixel(by);
        if (x0 > xe) std::swap(x0, xe);
        if (y0 > ye) std::swap(y0, ye);
        const int rowFirst = std::max(y0, 0);
        const int rowLast = std::min(ye, kScreenHeight - 1);
        if (kind == LineKind::FilledBox) {
            for (int y = rowFirst; y <= rowLast; ++y) fillSpan(x0, xe, y, c);
            return;
        }
        fillSpan(x0, xe, y0, c);
        fillSpan(x0, xe, ye, c);
        for (int y = rowFirst; y <= rowLast; ++y) {
            plot(x0, y, c);
            plot(xe, y, c);
        }
        return;
    }
    if (!clipToMarginBox(ax, ay, bx, by)) return;
    int x0 = roundPixel(ax);
    int y0 = roundPixel(ay);
    const int xe = roundPixel(bx);
    const int ye = roundPixel(by);
    const int dx = std::abs(xe - x0);
    const int dy = -std::abs(ye - y0);
    const int sx = x0 < xe ? 1 : -1;
    const int sy = y0 < ye ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plot(x0, y0, c);
        if (x0 == xe && y0 == ye) break;
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

inline void lineTo(float x2, float y2, int colour) {
    line(0.0f, 0.0f, x2, y2, colour, LineKind::Line, true);
}

// The midpoint circle: eight pixels or four spans per step, each tested.
inline void midpointCircle(int cx, int cy, int r, bool filled, uint8_t colour) {
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

inline void largeCircle(double cx, double cy, double r, bool filled, uint8_t colour) {
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

// An outline misses the page when the page lies outside its bounding square
// or within 2 pixels inside it.
inline bool outlineMissesPage(double cx, double cy, double r) {
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

inline void circle(float cx, float cy, float radius, int colour, bool filled = false) {
    lastX = cx;
    lastY = cy;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) return;
    const double r = std::fabs(static_cast<double>(radius));
    if (filled ? (cx + r < -1.0 || cx - r > kScreenWidth || cy + r < -1.0 || cy - r > kScreenHeight)
               : outlineMissesPage(cx, cy, r)) {
        return;
    }
    const uint8_t c = colourOf(colour);
    const double rounded = std::round(r);
    if (rounded > static_cast<double>(kMidpointRadiusLimit)) {
        largeCircle(cx, cy, r, filled, c);
    } else {
        midpointCircle(roundPixel(cx), roundPixel(cy), static_cast<int>(rounded), filled, c);
    }
}

inline void clear(uint8_t colour) {
    std::memset(page, colour, sizeof page);
}

}  // namespace reference
