// The play hint: the one drag, of a knot (with its handle), a handle or the
// attractor, to its place in a found solution that helps most.
#include <algorithm>
#include <cmath>

#include "solve/solve_parts.h"
#include "solve/solver.h"

namespace {

bool samePlace(Vector a, Vector b) {
    return a.x == b.x && a.y == b.y;
}

}  // namespace

void applyHintMove(Level& level, const HintMove& move) {
    if (move.slot == kHintAttractor) {
        level.attractor.x = move.to.x;
        level.attractor.y = move.to.y;
        level.attractor.flag = -1;
        return;
    }
    if (move.slot < 0 || move.slot >= kPathSlots) return;
    Path& path = level.paths;
    const int k = move.slot;
    if (k % 2 == 0 && k + 1 < kPathSlots) {
        // The handle keeps its offset from its knot, as in a drag.
        path.slots[k + 1] = vecAdd(vecSub(path.slots[k + 1], path.slots[k]), move.to);
    }
    path.slots[k].x = move.to.x;
    path.slots[k].y = move.to.y;
    path.slots[k].flag = 0;
}

HintMove hintMove(const Level& level, const Path& solution, Vector solutionAttractor) {
    const int segments = segmentCount(level.paths);
    HintMove best;
    if (segments == 0 || segmentCount(solution) != segments) return best;
    const int count = levelPointCount(level);
    const std::vector<Vector> points(level.points.begin(), level.points.begin() + count);
    PathObjective objective;
    objective.points = &points;
    objective.segments = segments;
    objective.attractor = level.attractor.flag != 0;

    double bestValue = 0.0;
    double bestLength = 0.0;
    const auto consider = [&](const HintMove& move, Vector from) {
        Level moved = level;
        applyHintMove(moved, move);
        const PathVariables x = variablesOf(moved.paths, segments, moved.attractor);
        const double value = objectiveValue(objective, x.data());
        const double length = std::hypot(double(move.to.x) - from.x, double(move.to.y) - from.y);
        if (best.slot == -1 || value < bestValue || (value == bestValue && length > bestLength)) {
            best = move;
            bestValue = value;
            bestLength = length;
        }
    };
    for (int k = 0; k < 2 * (segments + 1); ++k) {
        if (samePlace(level.paths.slots[k], solution.slots[k])) continue;
        consider(HintMove{k, solution.slots[k]}, level.paths.slots[k]);
    }
    if (level.attractor.flag != 0 && !samePlace(level.attractor, solutionAttractor)) {
        consider(HintMove{kHintAttractor, solutionAttractor}, level.attractor);
    }
    best.to.flag = 0;
    return best;
}
