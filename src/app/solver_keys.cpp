// F3: the editor's solution of the current level and play's hint, each one
// undo step. Built only with the solver (ORVET_SOLVER).
#ifdef ORVET_HAVE_SOLVER
#include <cstdio>

#include "app/game.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "platform/cp1251.h"
#include "scene/scene.h"
#include "solve/solver.h"

namespace {

// The last solution found for a hint, reused while it still solves its
// level (play never moves the points).
struct HintSolution {
    bool valid = false;
    uint16_t level = 0;
    Path path;
    Vector attractor;
};
HintSolution hintSolution;

}  // namespace

void solveCurrentLevel() {
    Level& level = thisLevel();
    const int segments = segmentCount(level.paths);
    if (segments == 0) {
        std::fprintf(stderr, "orvet: level %u has no path to solve (1..9 make one)\n",
                     unsigned(currentLevel) + 1);
        return;
    }
    const Path start = level.paths;
    SolveOptions options;
    options.word = preferredWord(level);
    options.start = &start;
    options.startAttractor = level.attractor;
    const SolveResult result = solveLevel(level, segments, options);
    if (!result.found) {
        std::fprintf(stderr, "orvet: no path of %d segments found for level %u in %.1f s\n",
                     segments, unsigned(currentLevel) + 1, result.seconds);
        return;
    }
    historyBegin(StepKind::Shape, currentLevel);
    level.paths = result.path;
    level.attractor = result.attractor;
    historyCommit();
    std::fprintf(
        stderr, "orvet: level %u solved in %.1f s; the flight spells \"%s\"%s\n",
        unsigned(currentLevel) + 1, result.seconds, cp1251ToUtf8(result.word).c_str(),
        options.word.empty() ? "" : (result.spellsWord ? " (its code)" : " (not its code)"));
}

void giveHint() {
    Level& level = thisLevel();
    const int segments = segmentCount(level.paths);
    if (segments == 0 || pathTouchesEveryPoint(level, level.paths, level.attractor)) return;
    if (!hintSolution.valid || hintSolution.level != currentLevel ||
        segmentCount(hintSolution.path) != segments ||
        !pathTouchesEveryPoint(level, hintSolution.path, hintSolution.attractor)) {
        const Path start = level.paths;
        SolveOptions options;
        options.start = &start;
        options.startAttractor = level.attractor;
        const SolveResult result = solveLevel(level, segments, options);
        if (!result.found) {
            std::fprintf(stderr, "orvet: no hint: no solution found for this level\n");
            hintSolution.valid = false;
            return;
        }
        hintSolution = HintSolution{true, currentLevel, result.path, result.attractor};
    }
    const HintMove move = hintMove(level, hintSolution.path, hintSolution.attractor);
    if (move.slot == -1) return;
    historyBegin(StepKind::Shape, currentLevel);
    applyHintMove(level, move);
    historyCommit();
}
#endif
