// The stroke command interpreter: moves a pen over the work page and draws
// with the set pixel and line primitives.
//
// Commands: U D L R E F G H (moves, optional count, default 1), B and N
// (prefixes for the next move or M), M x,y (line, absolute or relative) and
// TA n (turn angle). Letters may be in either case; anything else is skipped.
//
// Hostile input is harmless: numbers saturate at the 32-bit range, a move of
// any length only visits the positions that can land on the page, the pen is
// kept finite and bounded, and M lines are clipped by the line primitive.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/platform.h"
#include "text/stroke_font.h"

int32_t turnAngle = 0;

namespace {

// The pen never leaves this box; beyond it nothing can be drawn anyway, and
// the bound keeps every later sum finite.
constexpr float kPenLimit = 1.0e9f;

struct Pen {
    float x;
    float y;
};

struct Number {
    int64_t value;
    bool present;
    bool plus;   // written with a leading "+"
    bool minus;  // written with a "-"
};

// A unit step: the direction's cosine and minus its sine (screen y grows down).
struct Step {
    float dx;
    float dy;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

char lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

float boundCoordinate(float v) {
    if (std::isnan(v)) return 0.0f;
    return std::clamp(v, -kPenLimit, kPenLimit);
}

Pen boundPen(Pen p) {
    return {boundCoordinate(p.x), boundCoordinate(p.y)};
}

// The centre of the pixel holding p.
Pen pixelCentre(Pen p) {
    return boundPen({std::floor(p.x) + 0.5f, std::floor(p.y) + 0.5f});
}

// Reads an optional number at pos: blanks, any "+" signs, an optional "-",
// more "+" signs, then at least one digit. Saturates at the 32-bit range.
// When there are no digits, pos is left unchanged and present is false.
Number readNumber(std::string_view s, size_t& pos) {
    Number n{0, false, false, false};
    size_t p = pos;
    while (p < s.size() && isBlank(s[p])) ++p;
    while (p < s.size() && s[p] == '+') {
        n.plus = true;
        ++p;
    }
    if (p < s.size() && s[p] == '-') {
        n.minus = true;
        ++p;
        while (p < s.size() && s[p] == '+') ++p;
    }
    constexpr int64_t kMagnitudeCap = int64_t{1} << 31;
    int64_t magnitude = 0;
    bool digits = false;
    while (p < s.size() && s[p] >= '0' && s[p] <= '9') {
        digits = true;
        magnitude = std::min(magnitude * 10 + (s[p] - '0'), kMagnitudeCap);
        ++p;
    }
    if (!digits) return {0, false, false, false};
    n.value = n.minus ? -magnitude : std::min(magnitude, kMagnitudeCap - 1);
    n.present = true;
    pos = p;
    return n;
}

// Cosine and sine of a whole number of degrees; the axis directions are exact.
void cosSin(int64_t degrees, float& c, float& s) {
    static constexpr float kAxes[4][2] = {{1.0f, 0.0f}, {0.0f, 1.0f}, {-1.0f, 0.0f}, {0.0f, -1.0f}};
    int64_t a = degrees % 360;
    if (a < 0) a += 360;
    if (a % 90 == 0) {
        c = kAxes[a / 90][0];
        s = kAxes[a / 90][1];
        return;
    }
    const double radians = static_cast<double>(a) * 3.14159265358979323846 / 180.0;
    c = static_cast<float>(std::cos(radians));
    s = static_cast<float>(std::sin(radians));
}

// Position number i of a move from start: start + i unit steps.
float positionAt(float start, float delta, int64_t i) {
    return static_cast<float>(static_cast<double>(start) +
                              static_cast<double>(i) * static_cast<double>(delta));
}

// The range [first, last] of positions 0..steps whose pixel column (or row)
// trunc(v) lies in 0..size-1, i.e. -1 < v < size. Positions are monotonic in
// i, so both ends are found by bisection. An empty range has first > last.
void onPageRange(float start, float delta, int64_t steps, int size, int64_t& first, int64_t& last) {
    const float top = static_cast<float>(size);
    if (delta == 0.0f) {
        first = 0;
        last = (start > -1.0f && start < top) ? steps : -1;
        return;
    }
    // The first i in [lo, steps] where pred holds (pred turns true once and
    // stays true), or steps + 1.
    const auto firstWhere = [&](int64_t lo, auto pred) {
        int64_t hi = steps + 1;
        while (lo < hi) {
            const int64_t mid = lo + (hi - lo) / 2;
            if (pred(mid)) {
                hi = mid;
            } else {
                lo = mid + 1;
            }
        }
        return lo;
    };
    if (delta > 0.0f) {
        first = firstWhere(0, [&](int64_t i) { return positionAt(start, delta, i) > -1.0f; });
        last = firstWhere(first, [&](int64_t i) { return positionAt(start, delta, i) >= top; }) - 1;
    } else {
        first = firstWhere(0, [&](int64_t i) { return positionAt(start, delta, i) < top; });
        last =
            firstWhere(first, [&](int64_t i) { return positionAt(start, delta, i) <= -1.0f; }) - 1;
    }
}

// One move of count steps along step: plots steps + 1 positions (those on the
// page) unless blank, then leaves the pen at the centre of the pixel reached
// unless goBack.
void move(Pen& pen, Step step, int64_t steps, bool blank, bool goBack) {
    if (!blank) {
        int64_t firstX = 0, lastX = 0, firstY = 0, lastY = 0;
        onPageRange(pen.x, step.dx, steps, kScreenWidth, firstX, lastX);
        onPageRange(pen.y, step.dy, steps, kScreenHeight, firstY, lastY);
        const int64_t first = std::max(firstX, firstY);
        const int64_t last = std::min(lastX, lastY);
        for (int64_t i = first; i <= last; ++i) {
            const float x = positionAt(pen.x, step.dx, i);
            const float y = positionAt(pen.y, step.dy, i);
            setPixel(static_cast<int>(std::trunc(x)), static_cast<int>(std::trunc(y)));
        }
    }
    if (!goBack) {
        pen = pixelCentre({positionAt(pen.x, step.dx, steps), positionAt(pen.y, step.dy, steps)});
    }
}

// The direction angle of a move letter in degrees, or -1: R 0, E 45, U 90,
// H 135, L 180, G 225, D 270, F 315.
int directionOf(char letter) {
    const std::string_view letters = "reuhlgdf";
    const size_t index = letters.find(letter);
    return index == std::string_view::npos ? -1 : static_cast<int>(index) * 45;
}

}  // namespace

void drawStrokes(std::string_view commands) {
    const float startX = lastPointX();
    const float startY = lastPointY();
    Pen pen = boundPen({startX + 0.5f, startY + 0.5f});
    bool blank = false;
    bool goBack = false;
    bool malformed = false;
    size_t pos = 0;
    while (!malformed && pos < commands.size()) {
        const char letter = lower(commands[pos++]);
        if (letter == 'b') {
            blank = true;
            continue;
        }
        if (letter == 'n') {
            goBack = true;
            continue;
        }
        const int direction = directionOf(letter);
        if (direction >= 0) {
            const Number count = readNumber(commands, pos);
            const int64_t n = count.present ? std::max<int64_t>(count.value, 0) : 1;
            const bool diagonal = direction % 90 != 0;
            const int64_t steps =
                diagonal
                    ? static_cast<int64_t>(std::trunc(static_cast<double>(n) * 1.4142135 + 0.5))
                    : n;
            Step step{};
            float s = 0.0f;
            cosSin(int64_t{direction} + turnAngle, step.dx, s);
            step.dy = -s;
            move(pen, step, steps, blank, goBack);
            blank = goBack = false;
            continue;
        }
        if (letter == 'm') {
            const Number x = readNumber(commands, pos);
            while (pos < commands.size() && isBlank(commands[pos])) ++pos;
            if (!x.present || pos >= commands.size() || commands[pos] != ',') {
                malformed = true;
                continue;
            }
            ++pos;
            const Number y = readNumber(commands, pos);
            if (!y.present) {
                malformed = true;
                continue;
            }
            const double mx = static_cast<double>(x.value);
            const double my = static_cast<double>(y.value);
            Pen target{};
            if (x.plus || x.minus || y.minus) {
                float c = 0.0f, s = 0.0f;
                cosSin(turnAngle, c, s);
                target.x = static_cast<float>(pen.x + mx * c + my * s);
                target.y = static_cast<float>(pen.y + my * c - mx * s);
            } else {
                target.x = static_cast<float>(mx + 0.5);
                target.y = static_cast<float>(my + 0.5);
            }
            if (!blank) {
                drawLine(std::trunc(pen.x), std::trunc(pen.y), std::trunc(target.x),
                         std::trunc(target.y));
            }
            if (!goBack) pen = pixelCentre(target);
            blank = goBack = false;
            continue;
        }
        if (letter == 't' && pos < commands.size() && lower(commands[pos]) == 'a') {
            ++pos;
            const Number angle = readNumber(commands, pos);
            if (!angle.present) {
                malformed = true;
                continue;
            }
            turnAngle = static_cast<int32_t>(angle.value);
            continue;
        }
        // Anything else (blanks, separators, unknown letters) is skipped.
    }
    if (malformed) {
        // What was drawn stays; the pen goes back to where the string began
        // (the line primitive moves the last point, so put it back).
        setLastPoint(startX, startY);
        return;
    }
    setLastPoint(std::floor(pen.x), std::floor(pen.y));
}
