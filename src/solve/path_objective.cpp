// The optimiser's view of a path, and its objective on the frame's samples.
#include <algorithm>
#include <cmath>

#include "scene/scene_points.h"
#include "solve/solve_parts.h"

PathVariables variablesOf(const Path& path, int segments, Vector attractor) {
    PathVariables x(size_t(4 * (segments + 1)) + (attractor.flag != 0 ? 2 : 0), 0.0);
    for (int i = 0; i < 2 * (segments + 1); ++i) {
        x[size_t(2 * i)] = path.slots[i].x;
        x[size_t(2 * i + 1)] = path.slots[i].y;
    }
    if (attractor.flag != 0) {
        x[size_t(4 * (segments + 1))] = attractor.x;
        x[size_t(4 * (segments + 1) + 1)] = attractor.y;
    }
    return x;
}

Path pathOf(const PathVariables& x, int segments) {
    Path path;
    for (int i = 0; i < 2 * (segments + 1); ++i) {
        path.slots[i].x = static_cast<float>(x[size_t(2 * i)]);
        path.slots[i].y = static_cast<float>(x[size_t(2 * i + 1)]);
    }
    path.lastSlot = static_cast<uint8_t>(2 * segments + 1);
    return path;
}

Vector attractorOf(const PathVariables& x, int segments) {
    Vector a;
    const size_t at = size_t(4 * (segments + 1));
    if (x.size() >= at + 2) {
        a.x = static_cast<float>(x[at]);
        a.y = static_cast<float>(x[at + 1]);
        a.flag = -1;
    }
    return a;
}

double objectiveValue(PathObjective& objective, const double* x) {
    const int n = objective.segments;
    const SampleWeights& weights = sampleWeights();
    const int per = weights.count;
    objective.xs.resize(size_t(n * per));
    objective.ys.resize(size_t(n * per));

    Path path;
    for (int i = 0; i < 2 * (n + 1); ++i) {
        path.slots[i].x = static_cast<float>(x[2 * i]);
        path.slots[i].y = static_cast<float>(x[2 * i + 1]);
    }
    path.lastSlot = static_cast<uint8_t>(2 * n + 1);
    Vector attractor;
    if (objective.attractor) {
        attractor.x = static_cast<float>(x[4 * (n + 1)]);
        attractor.y = static_cast<float>(x[4 * (n + 1) + 1]);
        attractor.flag = -1;
    }
    for (int s = 0; s < n; ++s) {
        pathPointsWithWeights(segmentOf(path, 2 * s), weights.w, per, attractor,
                              objective.xs.data() + s * per, objective.ys.data() + s * per);
    }
    const float* xs = objective.xs.data();
    const float* ys = objective.ys.data();
    const int samples = n * per;
    const double reach = 5.0 - objective.margin;
    double total = 0.0;
    for (const Vector& p : *objective.points) {
        float best = 1e30f;
        for (int i = 0; i < samples; ++i) {
            const float d = std::max(std::fabs(xs[i] - p.x), std::fabs(ys[i] - p.y));
            best = std::min(best, d);
        }
        // A NaN sample counts as far away.
        if (!(best <= 1e30f)) best = 1e30f;
        if (best > reach) total += best - reach;
    }
    return total;
}
