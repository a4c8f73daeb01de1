// Orders of the points along a path: a short open path, or the order that
// spells a word.
#include <algorithm>
#include <cmath>
#include <limits>

#include "solve/solve_parts.h"

namespace {

double distance(const Vector& a, const Vector& b) {
    const double dx = double(a.x) - b.x;
    const double dy = double(a.y) - b.y;
    return std::sqrt(dx * dx + dy * dy);
}

double orderLength(const std::vector<Vector>& points, const std::vector<int>& order) {
    double length = 0.0;
    for (size_t i = 1; i < order.size(); ++i) {
        length += distance(points[size_t(order[i - 1])], points[size_t(order[i])]);
    }
    return length;
}

std::vector<int> nearestNeighbours(const std::vector<Vector>& points, int first) {
    const size_t m = points.size();
    std::vector<int> order;
    std::vector<bool> used(m, false);
    int at = first;
    for (size_t k = 0; k < m; ++k) {
        order.push_back(at);
        used[size_t(at)] = true;
        int next = -1;
        double best = std::numeric_limits<double>::max();
        for (size_t j = 0; j < m; ++j) {
            if (used[j]) continue;
            const double d = distance(points[size_t(at)], points[j]);
            if (d < best) {
                best = d;
                next = int(j);
            }
        }
        if (next < 0) break;
        at = next;
    }
    return order;
}

}  // namespace

std::vector<int> shortOpenOrder(const std::vector<Vector>& points, int first) {
    if (points.empty()) return {};
    std::vector<int> order = nearestNeighbours(points, first);
    // Reversing order[i..j] changes only the two links at its ends (the
    // path is open, so the end j = last has one link).
    const size_t m = order.size();
    const auto at = [&](size_t i) { return points[size_t(order[i])]; };
    for (int pass = 0; pass < 50; ++pass) {
        bool better = false;
        for (size_t i = 1; i < m; ++i) {
            for (size_t j = i + 1; j <= m; ++j) {
                const size_t e = j - 1;  // the stretch is order[i..e]
                double before = distance(at(i - 1), at(i));
                double after = distance(at(i - 1), at(e));
                if (j < m) {
                    before += distance(at(e), at(j));
                    after += distance(at(i), at(j));
                }
                if (after < before - 1e-9) {
                    std::reverse(order.begin() + long(i), order.begin() + long(j));
                    better = true;
                }
            }
        }
        if (!better) break;
    }
    return order;
}

int bestFirstPoint(const std::vector<Vector>& points) {
    int best = 0;
    double bestLength = std::numeric_limits<double>::max();
    // Every start on a small level; a few on a big one, whose every order
    // costs the square of its points.
    const size_t m = points.size();
    const size_t starts = m <= 32 ? m : (m <= 128 ? 8 : 2);
    for (size_t f = 0; f < starts; ++f) {
        const size_t first = f * m / starts;
        const double length = orderLength(points, shortOpenOrder(points, int(first)));
        if (length < bestLength - 1e-9) {
            bestLength = length;
            best = int(first);
        }
    }
    return best;
}

std::vector<int> wordOrder(const std::vector<Vector>& points, const std::string& word) {
    if (word.empty() || word.size() != points.size()) return {};
    std::vector<bool> used(points.size(), false);
    std::vector<int> order;
    for (size_t k = 0; k < word.size(); ++k) {
        const int8_t letter = static_cast<int8_t>(word[k]);
        int pick = -1;
        double best = std::numeric_limits<double>::max();
        for (size_t j = 0; j < points.size(); ++j) {
            if (used[j] || points[j].flag != letter) continue;
            const double d =
                order.empty() ? 0.0 : distance(points[size_t(order.back())], points[j]);
            if (d < best) {
                best = d;
                pick = int(j);
            }
        }
        if (pick < 0) return {};
        used[size_t(pick)] = true;
        order.push_back(pick);
    }
    return order;
}
