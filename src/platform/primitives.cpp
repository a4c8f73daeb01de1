// Lines, boxes and circles on the work page, clipped to the page.
//
// Every shape is stepped in integers once its corners or centre are rounded.
// Where the whole shape lies on the page its pixels are written straight into
// the page; only shapes that cross the page's edge test each pixel.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
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

void plotChecked(uint8_t* page, int x, int y, uint8_t colour) {
    if (onPage(x, y)) page[y * kScreenWidth + x] = colour;
}

// Fills x0..x1 (either order) of row y, clipped to the page.
void fillSpan(uint8_t* page, int x0, int x1, int y, uint8_t colour) {
    if (y < 0 || y >= kScreenHeight) return;
    if (x0 > x1) std::swap(x0, x1);
    if (x1 < 0 || x0 >= kScreenWidth) return;
    if (x0 < 0) x0 = 0;
    if (x1 >= kScreenWidth) x1 = kScreenWidth - 1;
    std::memset(page + y * kScreenWidth + x0, colour, size_t(x1 - x0 + 1));
}

// Nearest whole pixel, halves away from zero, held inside a range where the
// result fits an int with room to spare. Within that range this is exactly
// std::round: the cast drops the fraction, and v - i, the fraction itself, is
// exact in double. (A call to round for every corner cost more than the rest
// of a short line.)
int roundPixel(double v) {
    if (v < -kClampLimit) v = -kClampLimit;
    if (v > kClampLimit) v = kClampLimit;
    const int i = static_cast<int>(v);
    const double fraction = v - i;
    // Without branches: the halves fall either way as often as not.
    return i + int(fraction >= 0.5) - int(fraction <= -0.5);
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

// Bresenham's steps between two rounded end points on the page, and so every
// pixel between. The line has max(dx, -dy) + 1 pixels and every step moves
// along the longer axis (it has to, to get there in that many steps), so
// only the other axis needs the test, taken without a branch: a short line's
// pixels would mispredict it about every other time.
inline void stepLineOnPage(uint8_t* page, int x0, int y0, int x1, int y1, uint8_t colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int rowStep = y0 < y1 ? kScreenWidth : -kScreenWidth;
    int err = dx + dy;
    uint8_t* p = page + y0 * kScreenWidth + x0;
    if (dx >= -dy) {
        for (int n = dx; n > 0; --n) {
            *p = colour;
            // All ones when 2 * err <= dx, else zero (err stays far inside int).
            const int yStep = (2 * err - dx - 1) >> 31;
            err += dy + (dx & yStep);
            p += sx + (rowStep & yStep);
        }
    } else {
        for (int n = -dy; n > 0; --n) {
            *p = colour;
            const int xStep = (dy - 2 * err - 1) >> 31;  // all ones when 2 * err >= dy
            err += dx + (dy & xStep);
            p += rowStep + (sx & xStep);
        }
    }
    *p = colour;
}

// Bresenham's line between two rounded end points, clipped to the page pixel
// by pixel where it crosses the page's edge.
void stepLine(uint8_t* page, int x0, int y0, int x1, int y1, uint8_t colour) {
    // Every pixel lies in the box of the two ends: a box off the page draws
    // nothing.
    if (std::max(x0, x1) < 0 || std::min(x0, x1) >= kScreenWidth || std::max(y0, y1) < 0 ||
        std::min(y0, y1) >= kScreenHeight) {
        return;
    }
    if (onPage(x0, y0) && onPage(x1, y1)) {
        stepLineOnPage(page, x0, y0, x1, y1, colour);
        return;
    }
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        plotChecked(page, x0, y0, colour);
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

void rasterLine(double fx0, double fy0, double fx1, double fy1, uint8_t colour) {
    if (!clipToMarginBox(fx0, fy0, fx1, fy1)) return;
    stepLine(workPagePixels(), roundPixel(fx0), roundPixel(fy0), roundPixel(fx1), roundPixel(fy1),
             colour);
}

// roundPixel of a single-precision coordinate inside the margin box, in
// fewer steps: |v| + 0.5 is exact in double for every float of at least
// 2^-29 up to the box's edge, and a smaller one cannot reach 1 with it.
int roundFloatPixel(float v) {
    const double d = v;
    return static_cast<int>(d + std::copysign(0.5, d));
}

// Inside the box that clipToMarginBox clips to, where it leaves a line as it
// is. False for NaN.
bool insideMarginBox(double x, double y) {
    return x >= -kMargin && x <= kScreenWidth + kMargin && y >= -kMargin &&
           y <= kScreenHeight + kMargin;
}

void rasterBox(double fx0, double fy0, double fx1, double fy1, bool filled, uint8_t colour) {
    int x0 = roundPixel(fx0);
    int y0 = roundPixel(fy0);
    int x1 = roundPixel(fx1);
    int y1 = roundPixel(fy1);
    if (x0 > x1) std::swap(x0, x1);
    if (y0 > y1) std::swap(y0, y1);
    uint8_t* page = workPagePixels();
    const int rowFirst = std::max(y0, 0);
    const int rowLast = std::min(y1, kScreenHeight - 1);
    if (filled) {
        for (int y = rowFirst; y <= rowLast; ++y) fillSpan(page, x0, x1, y, colour);
        return;
    }
    fillSpan(page, x0, x1, y0, colour);
    fillSpan(page, x0, x1, y1, colour);
    if (x0 >= 0 && x1 < kScreenWidth) {
        for (int y = rowFirst; y <= rowLast; ++y) {
            page[y * kScreenWidth + x0] = colour;
            page[y * kScreenWidth + x1] = colour;
        }
        return;
    }
    for (int y = rowFirst; y <= rowLast; ++y) {
        plotChecked(page, x0, y, colour);
        plotChecked(page, x1, y, colour);
    }
}

// Midpoint circle, outline or filled with horizontal spans. A circle wholly
// on the page is written without tests: its outline pixel by pixel, its disc
// one span per row (the walk's spans of a row share its centre, so the widest
// covers the others).
void midpointCircle(int cx, int cy, int r, bool filled, uint8_t colour) {
    uint8_t* page = workPagePixels();
    const bool wholeOnPage =
        cx - r >= 0 && cx + r < kScreenWidth && cy - r >= 0 && cy + r < kScreenHeight;
    int x = r;
    int y = 0;
    long err = 1 - r;
    if (wholeOnPage && filled) {
        // r < kScreenHeight / 2 here.
        int half[kScreenHeight / 2];
        std::fill(half, half + r + 1, -1);
        while (x >= y) {
            half[y] = std::max(half[y], x);
            half[x] = std::max(half[x], y);
            ++y;
            if (err < 0) {
                err += 2L * y + 1;
            } else {
                --x;
                err += 2L * (y - x) + 1;
            }
        }
        for (int k = 0; k <= r; ++k) {
            if (half[k] < 0) continue;
            const size_t width = size_t(2 * half[k] + 1);
            std::memset(page + (cy + k) * kScreenWidth + cx - half[k], colour, width);
            std::memset(page + (cy - k) * kScreenWidth + cx - half[k], colour, width);
        }
        return;
    }
    if (wholeOnPage) {
        uint8_t* centre = page + cy * kScreenWidth + cx;
        while (x >= y) {
            const int xRows = x * kScreenWidth;
            const int yRows = y * kScreenWidth;
            centre[yRows + x] = colour;
            centre[yRows - x] = colour;
            centre[-yRows + x] = colour;
            centre[-yRows - x] = colour;
            centre[xRows + y] = colour;
            centre[xRows - y] = colour;
            centre[-xRows + y] = colour;
            centre[-xRows - y] = colour;
            ++y;
            if (err < 0) {
                err += 2L * y + 1;
            } else {
                --x;
                err += 2L * (y - x) + 1;
            }
        }
        return;
    }
    while (x >= y) {
        if (filled) {
            fillSpan(page, cx - x, cx + x, cy + y, colour);
            fillSpan(page, cx - x, cx + x, cy - y, colour);
            fillSpan(page, cx - y, cx + y, cy + x, colour);
            fillSpan(page, cx - y, cx + y, cy - x, colour);
        } else {
            plotChecked(page, cx + x, cy + y, colour);
            plotChecked(page, cx - x, cy + y, colour);
            plotChecked(page, cx + x, cy - y, colour);
            plotChecked(page, cx - x, cy - y, colour);
            plotChecked(page, cx + y, cy + x, colour);
            plotChecked(page, cx - y, cy + x, colour);
            plotChecked(page, cx + y, cy - x, colour);
            plotChecked(page, cx - y, cy - x, colour);
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
    uint8_t* page = workPagePixels();
    for (int y = 0; y < kScreenHeight; ++y) {
        const double dy = y - cy;
        if (std::fabs(dy) > r) continue;
        const double half = std::sqrt(r * r - dy * dy);
        const int left = roundPixel(cx - half);
        const int right = roundPixel(cx + half);
        if (filled) {
            fillSpan(page, left, right, y, colour);
        } else {
            plotChecked(page, left, y, colour);
            plotChecked(page, right, y, colour);
        }
    }
    if (filled) return;
    for (int x = 0; x < kScreenWidth; ++x) {
        const double dx = x - cx;
        if (std::fabs(dx) > r) continue;
        const double half = std::sqrt(r * r - dx * dx);
        plotChecked(page, x, roundPixel(cy - half), colour);
        plotChecked(page, x, roundPixel(cy + half), colour);
    }
}

// True when the circle's outline cannot touch the page: the page lies
// outside its bounding square or wholly inside the circle.
bool outlineMissesPage(double cx, double cy, double r) {
    if (cx + r < -1.0 || cx - r > kScreenWidth || cy + r < -1.0 || cy - r > kScreenHeight) {
        return true;
    }
    // Opposite corners lie more than 801 apart, so no circle of radius 400
    // or less holds all four: no need to measure.
    const double inner = r - 2.0;
    if (inner <= 400.0) return false;
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
        ax += drawing.lastX;
        ay += drawing.lastY;
    }
    drawing.lastX = x2;
    drawing.lastY = y2;
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

void drawPolyline(const float* xs, const float* ys, int n, int colour) {
    if (n <= 0) return;
    const uint8_t c = resolveColour(colour);
    uint8_t* page = workPagePixels();
    // A piece whose two ends lie in the margin box needs no clipping, one
    // whose two ends lie on the page no test at all, and each end is rounded
    // once for both of its pieces.
    float previousX = xs[0];
    float previousY = ys[0];
    bool previousInside = insideMarginBox(previousX, previousY);
    int px = previousInside ? roundFloatPixel(previousX) : 0;
    int py = previousInside ? roundFloatPixel(previousY) : 0;
    bool previousOn = previousInside && onPage(px, py);
    for (int i = 0; i < n; ++i) {
        const float x = xs[i];
        const float y = ys[i];
        const bool inside = insideMarginBox(x, y);
        const int rx = inside ? roundFloatPixel(x) : 0;
        const int ry = inside ? roundFloatPixel(y) : 0;
        const bool on = inside && onPage(rx, ry);
        if (previousOn && on) {
            stepLineOnPage(page, px, py, rx, ry, c);
        } else if (previousInside && inside) {
            stepLine(page, px, py, rx, ry, c);
        } else if (std::isfinite(previousX) && std::isfinite(previousY) && std::isfinite(x) &&
                   std::isfinite(y)) {
            rasterLine(previousX, previousY, x, y, c);
        }
        previousX = x;
        previousY = y;
        previousInside = inside;
        previousOn = on;
        px = rx;
        py = ry;
    }
    drawing.lastX = xs[n - 1];
    drawing.lastY = ys[n - 1];
    drawingDone();
}

void drawLineTo(float x2, float y2, int colour) {
    drawLine(0.0f, 0.0f, x2, y2, colour, LineKind::Line, true);
}

void drawCircle(float cx, float cy, float radius, int colour, bool filled) {
    drawing.lastX = cx;
    drawing.lastY = cy;
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(radius)) return;
    const double r = std::fabs(static_cast<double>(radius));
    if (filled ? (cx + r < -1.0 || cx - r > kScreenWidth || cy + r < -1.0 || cy - r > kScreenHeight)
               : outlineMissesPage(cx, cy, r)) {
        return;
    }
    const uint8_t c = resolveColour(colour);
    const double rounded = r <= kClampLimit ? double(roundPixel(r)) : std::round(r);
    if (rounded > static_cast<double>(kMidpointRadiusLimit)) {
        largeCircle(cx, cy, r, filled, c);
    } else {
        // A centre this close to the page is rounded the short way.
        const bool near = insideMarginBox(cx, cy);
        midpointCircle(near ? roundFloatPixel(cx) : roundPixel(cx),
                       near ? roundFloatPixel(cy) : roundPixel(cy), static_cast<int>(rounded),
                       filled, c);
    }
    drawingDone();
}
