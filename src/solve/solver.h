// The solver: knot, handle and attractor positions on the page that touch
// every point of a level, found by fitting a path through the points and
// improving it with a derivative-free optimiser, and reported only when the
// frame's own test marks every point; and the play hint's one move towards
// such a solution.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/level_set.h"

// Every position the solver gives lies in 0..kSolveRight x 0..kSolveBottom,
// in whole pixels, where a player can drag to it.
constexpr float kSolveRight = 639.0f;
constexpr float kSolveBottom = 479.0f;

struct SolveOptions {
    uint32_t seed = 1;
    // The search gives up after this much wall-clock time or this many
    // evaluations of a path, whichever comes first. For a given seed the
    // result is the same whenever the time bound is not what ended it.
    double maxSeconds = 5.0;
    long maxEvaluations = 600000;
    // The flight word to prefer (Windows-1251 letters), "" for none.
    std::string word;
    // A path of the right segment count (and its attractor) to try first,
    // so that the solution found lies near it; nullptr for none.
    const Path* start = nullptr;
    Vector startAttractor;
};

struct SolveResult {
    bool found = false;
    Path path;                // the found path (segments as asked); unchanged otherwise
    Vector attractor;         // flag -1 when the level has one
    std::string word;         // the letters a flight along the found path spells
    bool spellsWord = false;  // word == SolveOptions::word (and that was not "")
    double seconds = 0.0;
    long evaluations = 0;
};

// Looks for a path of `segments` segments (1..kMaxSegments), with the
// level's attractor when it has one, that touches every point of the level.
SolveResult solveLevel(const Level& level, int segments, const SolveOptions& options);

// The word to prefer for a level: its code when every letter of it is the
// letter of some point, else "".
std::string preferredWord(const Level& level);

// One move of the play hint: a path slot (a knot carries its handle along,
// as a drag does) or the attractor, and where it goes.
struct HintMove {
    int slot = -1;  // 0..50 a path slot, kHintAttractor the attractor, -1 none
    Vector to;
};
constexpr int kHintAttractor = -2;

// Of the items of the level's path and attractor that differ from the
// solution, the one whose move alone leaves the fewest points untouched, by
// the least distance (ties: the longest move). `solution` has the level's
// segment count.
HintMove hintMove(const Level& level, const Path& solution, Vector solutionAttractor);
// Makes that move on the level.
void applyHintMove(Level& level, const HintMove& move);
