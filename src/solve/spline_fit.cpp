// The first guess of a path through ordered points: the points spread along
// the segments, each cubic fitted by least squares (through the points as
// the attractor would have them before its pull), the points' places along
// the curve refined a few times.
#include <algorithm>
#include <cmath>

#include "solve/solve_parts.h"
#include "solve/solver.h"

namespace {

// Pulls the least-squares fit this little towards the first guess, so that a
// segment with few points (or none) keeps a sensible shape.
constexpr double kSteadiness = 1e-3;
constexpr int kRefinements = 4;

struct Point2 {
    double x = 0.0, y = 0.0;
};

Point2 lerp(Point2 a, Point2 b, double t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

double clampTo(double v, double hi) {
    return std::clamp(v, 0.0, hi);
}

// The polyline through the ordered points at arc position d.
Point2 polylineAt(const std::vector<Point2>& q, const std::vector<double>& arc, double d) {
    if (q.size() == 1 || d <= arc.front()) return q.front();
    if (d >= arc.back()) return q.back();
    const size_t k = size_t(std::upper_bound(arc.begin(), arc.end(), d) - arc.begin());
    const double span = arc[k] - arc[k - 1];
    return lerp(q[k - 1], q[k], span > 0.0 ? (d - arc[k - 1]) / span : 0.0);
}

// Solves the symmetric positive definite system a x = b (n unknowns) in
// place by Gaussian elimination with partial pivoting.
void solveLinear(std::vector<double>& a, std::vector<double>& b, int n) {
    for (int c = 0; c < n; ++c) {
        int pivot = c;
        for (int r = c + 1; r < n; ++r) {
            if (std::fabs(a[size_t(r * n + c)]) > std::fabs(a[size_t(pivot * n + c)])) pivot = r;
        }
        if (pivot != c) {
            for (int k = 0; k < n; ++k) std::swap(a[size_t(c * n + k)], a[size_t(pivot * n + k)]);
            std::swap(b[size_t(c)], b[size_t(pivot)]);
        }
        const double d = a[size_t(c * n + c)];
        if (std::fabs(d) < 1e-12) continue;
        for (int r = c + 1; r < n; ++r) {
            const double f = a[size_t(r * n + c)] / d;
            if (f == 0.0) continue;
            for (int k = c; k < n; ++k) a[size_t(r * n + k)] -= f * a[size_t(c * n + k)];
            b[size_t(r)] -= f * b[size_t(c)];
        }
    }
    for (int c = n - 1; c >= 0; --c) {
        double s = b[size_t(c)];
        for (int k = c + 1; k < n; ++k) s -= a[size_t(c * n + k)] * b[size_t(k)];
        const double d = a[size_t(c * n + c)];
        b[size_t(c)] = std::fabs(d) < 1e-12 ? 0.0 : s / d;
    }
}

// The weights of global place T on the unknowns (knot, handle of each
// joint): the segment's p0 = K_s, p1 = H_s, p2 = 2 K_s+1 - H_s+1, p3 = K_s+1.
void placeWeights(double T, int segments, int& s, double c[4]) {
    s = std::clamp(int(std::floor(T)), 0, segments - 1);
    const PathWeights w = pathWeights(float(T - s));
    c[0] = w.w0;
    c[1] = w.w1;
    c[2] = 2.0 * w.w2 + w.w3;
    c[3] = -double(w.w2);
}

Vector curvePoint(const PathVariables& x, int segments, double T, Vector attractor) {
    const Path path = pathOf(x, segments);
    const int s = std::clamp(int(std::floor(T)), 0, segments - 1);
    return pathPointAt(segmentOf(path, 2 * s), float(T - s), attractor);
}

// The attractor's share of the pull at the unbent point of place T.
double pullAt(const PathVariables& x, int segments, double T, Vector attractor) {
    const Path path = pathOf(x, segments);
    const int s = std::clamp(int(std::floor(T)), 0, segments - 1);
    const Segment seg = segmentOf(path, 2 * s);
    const Vector b = pathCurvePoint(seg, pathWeights(float(T - s)));
    const double d = vecDistance(b, attractor);
    const double u = vecDistance(b, seg.p0);
    const double v = vecDistance(b, seg.p3);
    if (u == 0.0 || v == 0.0) return 0.0;
    return 1.0 / (1.0 + d * d / u / v / 2.0);
}

}  // namespace

PathVariables fitPath(const std::vector<Vector>& points, const std::vector<int>& order,
                      int segments, Vector attractor, Spacing spacing, double jitter,
                      std::mt19937& random) {
    const int n = segments;
    const size_t m = order.size();
    std::vector<Point2> q(m);
    for (size_t j = 0; j < m; ++j) q[j] = {points[size_t(order[j])].x, points[size_t(order[j])].y};

    // Arc positions of the points by the spacing's measure of each link.
    std::vector<double> arc(m, 0.0);
    for (size_t j = 1; j < m; ++j) {
        const double d = std::hypot(q[j].x - q[j - 1].x, q[j].y - q[j - 1].y);
        const double step = spacing == Spacing::Chord         ? d
                            : spacing == Spacing::Centripetal ? std::sqrt(d)
                                                              : 1.0;
        arc[j] = arc[j - 1] + step;
    }
    const double total = arc.back();

    PathVariables x(size_t(4 * (n + 1)) + (attractor.flag != 0 ? 2 : 0), 0.0);
    std::vector<double> T(m, 0.5 * n);
    if (total <= 0.0) {
        // One place for every point: a straight path across it, 60 pixels a
        // segment, centred on the point.
        const Point2 c = q.empty() ? Point2{320.0, 240.0} : q.front();
        const double left =
            std::clamp(c.x - 30.0 * n, 0.0, std::max(0.0, double(kSolveRight) - 60.0 * n));
        for (int i = 0; i <= n; ++i) {
            x[size_t(4 * i)] = clampTo(left + 60.0 * i, kSolveRight);
            x[size_t(4 * i + 1)] = c.y;
            x[size_t(4 * i + 2)] = clampTo(left + 60.0 * i + 20.0, kSolveRight);
            x[size_t(4 * i + 3)] = c.y;
        }
    } else {
        // Knot i sits at arc position b[i]: evenly spread, moved by the jitter.
        std::vector<double> b(size_t(n + 1));
        std::uniform_real_distribution<double> shift(-jitter, jitter);
        for (int i = 0; i <= n; ++i) {
            double share = double(i);
            if (i > 0 && i < n && jitter > 0.0) share += shift(random);
            b[size_t(i)] = total * share / n;
        }
        for (size_t j = 0; j < m; ++j) {
            int i = 0;
            while (i < n - 1 && arc[j] >= b[size_t(i + 1)]) ++i;
            const double span = b[size_t(i + 1)] - b[size_t(i)];
            T[j] =
                std::clamp(i + (span > 0.0 ? (arc[j] - b[size_t(i)]) / span : 0.0), 0.0, double(n));
        }
        for (int i = 0; i <= n; ++i) {
            const Point2 k = polylineAt(q, arc, b[size_t(i)]);
            const double per =
                i < n ? b[size_t(i + 1)] - b[size_t(i)] : b[size_t(i)] - b[size_t(i - 1)];
            const double h = std::max(per * 0.3, 1e-6);
            const Point2 ahead = polylineAt(q, arc, b[size_t(i)] + h);
            const Point2 behind = polylineAt(q, arc, b[size_t(i)] - h);
            const double len = std::hypot(ahead.x - behind.x, ahead.y - behind.y);
            // The curve moves about `per` of arc per unit of place.
            const double scale = len > 0.0 ? per / len / 3.0 : 0.0;
            x[size_t(4 * i)] = k.x;
            x[size_t(4 * i + 1)] = k.y;
            x[size_t(4 * i + 2)] = k.x + (ahead.x - behind.x) * scale;
            x[size_t(4 * i + 3)] = k.y + (ahead.y - behind.y) * scale;
        }
    }
    if (attractor.flag != 0) {
        x[size_t(4 * (n + 1))] = attractor.x;
        x[size_t(4 * (n + 1) + 1)] = attractor.y;
    }

    const int unknowns = 2 * (n + 1);
    for (int round = 0; round < kRefinements && m > 0; ++round) {
        // The targets: where the points lie before the attractor's pull.
        std::vector<Point2> target(q);
        if (attractor.flag != 0) {
            for (size_t j = 0; j < m; ++j) {
                const double f = std::min(pullAt(x, n, T[j], attractor), 0.8);
                target[j] = {(q[j].x - f * attractor.x) / (1.0 - f),
                             (q[j].y - f * attractor.y) / (1.0 - f)};
            }
        }
        const PathVariables guess = x;
        for (int axis = 0; axis < 2; ++axis) {
            std::vector<double> a(size_t(unknowns * unknowns), 0.0);
            std::vector<double> rhs(size_t(unknowns), 0.0);
            for (int k = 0; k < unknowns; ++k) {
                a[size_t(k * unknowns + k)] += kSteadiness;
                rhs[size_t(k)] += kSteadiness * guess[size_t(2 * k + axis)];
            }
            for (size_t j = 0; j < m; ++j) {
                int s = 0;
                double c[4];
                placeWeights(T[j], n, s, c);
                const double value = axis == 0 ? target[j].x : target[j].y;
                for (int r = 0; r < 4; ++r) {
                    for (int k = 0; k < 4; ++k)
                        a[size_t((2 * s + r) * unknowns + 2 * s + k)] += c[r] * c[k];
                    rhs[size_t(2 * s + r)] += c[r] * value;
                }
            }
            solveLinear(a, rhs, unknowns);
            for (int k = 0; k < unknowns; ++k) {
                x[size_t(2 * k + axis)] =
                    clampTo(rhs[size_t(k)], axis == 0 ? kSolveRight : kSolveBottom);
            }
        }
        // Each point's place moves to the nearest point of the curve between
        // its neighbours' places.
        for (size_t j = 0; j < m; ++j) {
            const double lo = j > 0 ? T[j - 1] : 0.0;
            const double hi = j + 1 < m ? T[j + 1] : double(n);
            double best = T[j];
            double bestDistance = 1e300;
            const int steps = 24;
            for (int k = 0; k <= steps; ++k) {
                const double t = lo + (hi - lo) * k / steps;
                const Vector p = curvePoint(x, n, t, attractor);
                const double d = std::hypot(p.x - q[j].x, p.y - q[j].y);
                if (d < bestDistance) {
                    bestDistance = d;
                    best = t;
                }
            }
            T[j] = best;
        }
    }
    return x;
}
