// The solver's parts shared by its own source files: point orders, the fit
// of a path through ordered points, and the objective on the exact samples.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "geometry/path.h"
#include "geometry/vector.h"

// A path and attractor as the optimiser sees them: x and y of slot i at 2i
// and 2i + 1, then the attractor's x and y when there is one.
using PathVariables = std::vector<double>;

PathVariables variablesOf(const Path& path, int segments, Vector attractor);
Path pathOf(const PathVariables& x, int segments);
Vector attractorOf(const PathVariables& x, int segments);  // flag 0 when x has none

// The points in the order of a short open path through them: nearest
// neighbours from `first`, then improved by reversing stretches.
std::vector<int> shortOpenOrder(const std::vector<Vector>& points, int first);
// The first point of the shortest of the nearest-neighbour paths.
int bestFirstPoint(const std::vector<Vector>& points);
// An order whose letters spell word, the points of a repeated letter taken
// nearest first; empty when the points' letters are not those of the word.
std::vector<int> wordOrder(const std::vector<Vector>& points, const std::string& word);

// How the points' places along the path are chosen.
enum class Spacing : uint8_t { Chord, Centripetal, Even };

// A path of `segments` segments through the points in `order` (and, when
// attractor.flag != 0, bent by it): points spread along the segments by
// their spacing (the knots moved by up to `jitter` of a segment's share),
// each cubic fitted by least squares, the points' places refined a few
// times. Slots are kept on the page.
PathVariables fitPath(const std::vector<Vector>& points, const std::vector<int>& order,
                      int segments, Vector attractor, Spacing spacing, double jitter,
                      std::mt19937& random);

// The distance by which the points lie beyond (5 - margin) pixels of the
// path's frame samples, on both axes, summed: 0 when every point is that
// near.
struct PathObjective {
    const std::vector<Vector>* points = nullptr;
    int segments = 0;
    bool attractor = false;
    double margin = 0.0;
    std::vector<float> xs, ys;  // the samples, reused
};
double objectiveValue(PathObjective& objective, const double* x);
