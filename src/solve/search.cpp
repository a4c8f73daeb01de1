// The search: first guesses from point orders and spacings, each improved by
// NLopt's subplex method on the exact objective, rounded to whole pixels and
// judged by the frame's own test; restarts until one passes or the bounds run
// out.
#include <nlopt.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>

#include "scene/scene.h"
#include "solve/solve_parts.h"
#include "solve/solver.h"

namespace {

// The optimiser aims this far inside the 5-pixel reach, so that rounding to
// whole pixels seldom loses a point.
constexpr double kAimMargin = 1.0;
// Evaluations of one optimiser run, per variable.
constexpr long kEvaluationsPerVariable = 150;
// Once a path is found that does not spell the preferred word, this many
// more guesses in the word's order are tried.
constexpr int kWordRetries = 24;

using Clock = std::chrono::steady_clock;

struct Search {
    const Level* level = nullptr;
    std::vector<Vector> points;
    int firstPoint = 0;  // the start of the shortest open path found
    int segments = 0;
    bool attractor = false;
    SolveOptions options;
    Clock::time_point started;
    long evaluations = 0;
    PathObjective aim;    // with kAimMargin
    PathObjective exact;  // with no margin

    double secondsUsed() const {
        return std::chrono::duration<double>(Clock::now() - started).count();
    }
    bool outOfBounds() const {
        return evaluations >= options.maxEvaluations || secondsUsed() >= options.maxSeconds;
    }
};

double aimObjective(unsigned n, const double* x, double* gradient, void* data) {
    (void)n;
    (void)gradient;
    Search& search = *static_cast<Search*>(data);
    ++search.evaluations;
    return objectiveValue(search.aim, x);
}

void clampToPage(PathVariables& x) {
    for (size_t i = 0; i < x.size(); ++i) {
        x[i] = std::clamp(x[i], 0.0, double(i % 2 == 0 ? kSolveRight : kSolveBottom));
    }
}

void roundToPixels(PathVariables& x) {
    for (double& v : x) v = std::round(v);
    clampToPage(x);
}

bool passes(Search& search, const PathVariables& x) {
    return pathTouchesEveryPoint(*search.level, pathOf(x, search.segments),
                                 attractorOf(x, search.segments));
}

// Whole-pixel steps of one coordinate at a time while they bring the
// untouched points nearer, until the frame's test passes.
bool mendRounding(Search& search, PathVariables& x) {
    double value = objectiveValue(search.exact, x.data());
    ++search.evaluations;
    for (int pass = 0; pass < 4; ++pass) {
        if (passes(search, x)) return true;
        if (search.secondsUsed() >= search.options.maxSeconds) break;
        bool better = false;
        for (size_t i = 0; i < x.size(); ++i) {
            for (double step : {-1.0, 1.0, -2.0, 2.0}) {
                const double kept = x[i];
                x[i] =
                    std::clamp(kept + step, 0.0, double(i % 2 == 0 ? kSolveRight : kSolveBottom));
                const double tried = objectiveValue(search.exact, x.data());
                ++search.evaluations;
                if (tried < value) {
                    value = tried;
                    better = true;
                    break;
                }
                x[i] = kept;
            }
        }
        if (!better) break;
    }
    return passes(search, x);
}

// Improves x from its first guess; true when the result, in whole pixels,
// passes the frame's test.
bool improve(Search& search, PathVariables& x) {
    clampToPage(x);
    PathVariables rounded = x;
    roundToPixels(rounded);
    if (passes(search, rounded)) {
        x = rounded;
        return true;
    }

    const unsigned dimension = unsigned(x.size());
    nlopt_opt opt = nlopt_create(NLOPT_LN_SBPLX, dimension);
    if (opt == nullptr) return false;
    std::vector<double> lower(x.size(), 0.0);
    std::vector<double> upper(x.size());
    for (size_t i = 0; i < x.size(); ++i) upper[i] = i % 2 == 0 ? kSolveRight : kSolveBottom;
    nlopt_set_lower_bounds(opt, lower.data());
    nlopt_set_upper_bounds(opt, upper.data());
    nlopt_set_min_objective(opt, aimObjective, &search);
    nlopt_set_stopval(opt, 0.0);
    nlopt_set_xtol_abs1(opt, 0.01);
    nlopt_set_initial_step1(opt, 6.0);
    const long left = search.options.maxEvaluations - search.evaluations;
    nlopt_set_maxeval(
        opt, int(std::clamp(kEvaluationsPerVariable * long(dimension), 1L, std::max(left, 1L))));
    // A little is kept back for the rounding and the frame's test after it.
    nlopt_set_maxtime(opt,
                      std::max(search.options.maxSeconds - search.secondsUsed() - 0.02, 0.001));
    double value = 0.0;
    nlopt_optimize(opt, x.data(), &value);
    nlopt_destroy(opt);

    rounded = x;
    roundToPixels(rounded);
    if (mendRounding(search, rounded)) {
        x = rounded;
        return true;
    }
    return false;
}

// A first guess for attempt k.
PathVariables guess(Search& search, int k, const std::vector<int>& preferred,
                    std::mt19937& random) {
    const int n = search.segments;
    if (k == 0 && search.options.start != nullptr && segmentCount(*search.options.start) == n) {
        Vector a = search.options.startAttractor;
        if (search.attractor && a.flag == 0) a = search.level->attractor;
        return variablesOf(*search.options.start, n, search.attractor ? a : Vector{});
    }
    std::vector<int> order;
    if (!preferred.empty() && k % 2 == 0) {
        order = preferred;
    } else {
        // The best start first, then others, each path either way round.
        const int m = int(search.points.size());
        const int first =
            k < 4 ? search.firstPoint : std::uniform_int_distribution<int>(0, m - 1)(random);
        order = shortOpenOrder(search.points, first);
        if ((k / 2) % 2 == 1) std::reverse(order.begin(), order.end());
    }
    const Spacing spacing = k % 3 == 0   ? Spacing::Chord
                            : k % 3 == 1 ? Spacing::Centripetal
                                         : Spacing::Even;
    const double jitter = k < 3 ? 0.0 : 0.35;
    Vector a;
    if (search.attractor) {
        a.flag = -1;
        if (k < 2) {
            a = search.level->attractor;
            a.flag = -1;
        } else {
            a.x = std::uniform_real_distribution<float>(0.0f, kSolveRight)(random);
            a.y = std::uniform_real_distribution<float>(0.0f, kSolveBottom)(random);
        }
        a.x = std::clamp(std::round(a.x), 0.0f, kSolveRight);
        a.y = std::clamp(std::round(a.y), 0.0f, kSolveBottom);
    }
    return fitPath(search.points, order, n, a, spacing, jitter, random);
}

}  // namespace

std::string preferredWord(const Level& level) {
    const int count = levelPointCount(level);
    if (level.code.empty()) return "";
    for (char c : level.code) {
        bool some = false;
        for (int j = 0; j < count && !some; ++j) some = level.points[size_t(j)].flag == int8_t(c);
        if (!some) return "";
    }
    return level.code;
}

SolveResult solveLevel(const Level& level, int segments, const SolveOptions& options) {
    SolveResult result;
    result.path = level.paths;
    result.attractor = level.attractor;
    Search search;
    search.started = Clock::now();
    search.level = &level;
    search.options = options;
    search.segments = std::clamp(segments, 1, int(kMaxSegments));
    search.attractor = level.attractor.flag != 0;
    const int count = levelPointCount(level);
    search.points.assign(level.points.begin(), level.points.begin() + count);
    for (PathObjective* o : {&search.aim, &search.exact}) {
        o->points = &search.points;
        o->segments = search.segments;
        o->attractor = search.attractor;
    }
    search.aim.margin = kAimMargin;
    if (count == 0) return result;

    search.firstPoint = bestFirstPoint(search.points);
    nlopt_srand(options.seed);
    std::mt19937 random(options.seed);
    const std::vector<int> preferred = wordOrder(search.points, options.word);

    bool haveFallback = false;
    SolveResult fallback;
    int wordTries = 0;
    for (int k = 0; !search.outOfBounds(); ++k) {
        if (haveFallback) {
            // Only guesses in the word's order can still do better.
            if (preferred.empty() || wordTries >= kWordRetries) break;
            if (k % 2 != 0) continue;
            ++wordTries;
        }
        PathVariables x = guess(search, k, preferred, random);
        if (!improve(search, x)) continue;

        SolveResult found;
        found.found = true;
        found.path = pathOf(x, search.segments);
        found.attractor = attractorOf(x, search.segments);
        Level flown = level;
        flown.paths = found.path;
        flown.attractor = found.attractor;
        std::vector<Visit> visits;
        collectLevelVisits(flown, visits);
        found.word = visitedLetters(flown, visits, 1.0e9);
        found.spellsWord = !options.word.empty() && found.word == options.word;
        if (options.word.empty() || found.spellsWord) {
            result = found;
            haveFallback = false;
            break;
        }
        if (!haveFallback) {
            fallback = found;
            haveFallback = true;
        }
    }
    if (haveFallback) result = fallback;
    result.seconds = search.secondsUsed();
    result.evaluations = search.evaluations;
    return result;
}
