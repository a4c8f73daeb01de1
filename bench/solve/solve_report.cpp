// The solver's figures: the bundled pack, levels built by the pack's own
// construction, and levels made impossible on purpose. Every path the solver
// reports is replayed through the game's frame.
//
//   orvet_solve_report [--generated N] [--impossible N] [--seconds S] [--seed N]
//
// Prints per group the share found, the median, 90th percentile and worst
// time, and a histogram of times. Exit status 1 when a reported path does
// not solve its level in the frame.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "make-pack/pack_builder.h"
#include "platform/cp1251.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "scene/scene.h"
#include "solve/solver.h"

namespace {

struct Outcome {
    bool found = false;
    double seconds = 0.0;
};

bool replayFails = false;

// The frame itself, drawn with the found path: does it mark every point?
bool frameMarksAll(const Level& level, const SolveResult& result) {
    resetLevelSet();
    levels[0] = level;
    levels[0].paths = result.path;
    levels[0].attractor = result.attractor;
    drawFrame();
    const int count = level.lastPoint + 1;
    if (count <= 0 || hitFlags.size() != size_t(count)) return false;
    for (uint8_t hit : hitFlags) {
        if (hit == 0) return false;
    }
    return true;
}

Outcome solveAndCheck(const Level& level, const SolveOptions& options, const char* what) {
    const SolveResult result = solveLevel(level, segmentCount(level.paths), options);
    Outcome outcome{result.found, result.seconds};
    if (result.found && !frameMarksAll(level, result)) {
        std::printf("  WRONG: %s reported found, but the frame leaves a point untouched\n", what);
        replayFails = true;
        outcome.found = false;
    }
    return outcome;
}

double quantile(std::vector<double> v, double q) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    const size_t at = std::min(v.size() - 1, size_t(q * double(v.size() - 1) + 0.5));
    return v[at];
}

void summarise(const char* group, const std::vector<Outcome>& outcomes) {
    std::vector<double> found;
    std::vector<double> all;
    for (const Outcome& o : outcomes) {
        all.push_back(o.seconds);
        if (o.found) found.push_back(o.seconds);
    }
    std::printf("%s: %zu of %zu found (%.1f%%)\n", group, found.size(), outcomes.size(),
                outcomes.empty() ? 0.0 : 100.0 * double(found.size()) / double(outcomes.size()));
    std::printf("  time of found:  median %.3f s, 90%% %.3f s, worst %.3f s\n",
                quantile(found, 0.5), quantile(found, 0.9),
                found.empty() ? 0.0 : quantile(found, 1.0));
    std::printf("  time of all:    median %.3f s, worst %.3f s\n", quantile(all, 0.5),
                all.empty() ? 0.0 : quantile(all, 1.0));
    const double edges[] = {0.01, 0.1, 0.5, 1.0, 2.0, 5.0, 1e9};
    const char* names[] = {"<0.01", "<0.1", "<0.5", "<1", "<2", "<5", ">=5"};
    std::printf("  histogram (all):");
    for (size_t b = 0; b < 7; ++b) {
        const double lo = b == 0 ? -1.0 : edges[b - 1];
        const long n = std::count_if(all.begin(), all.end(),
                                     [&](double s) { return s >= lo && s < edges[b]; });
        std::printf(" %s s: %ld", names[b], n);
    }
    std::printf("\n");
}

// A random word of `length` letters the font draws, as UTF-8, as the pack
// table spells its words.
std::string randomWord(std::mt19937& random, int length) {
    std::string letters;
    for (int b = 0; b < 256; ++b) {
        if (isDrawnLetter(uint8_t(b))) letters.push_back(char(b));
    }
    std::string word;
    std::uniform_int_distribution<size_t> pick(0, letters.size() - 1);
    for (int i = 0; i < length; ++i) word.push_back(letters[pick(random)]);
    return cp1251ToUtf8(word);
}

// The level as a player meets it: the solution's path replaced by a random
// one, the attractor (where there is one) put somewhere else on the page.
void hideSolution(Level& level, std::mt19937& random) {
    level.paths = generatePath(int16_t(segmentCount(level.paths)));
    if (level.attractor.flag != 0) {
        level.attractor.x = float(std::uniform_int_distribution<int>(0, 639)(random));
        level.attractor.y = float(std::uniform_int_distribution<int>(0, 479)(random));
    }
}

}  // namespace

int main(int argc, char** argv) {
    int generated = 200;
    int impossible = 50;
    double seconds = 5.0;
    uint32_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--generated") {
            generated = std::atoi(argv[i + 1]);
        } else if (arg == "--impossible") {
            impossible = std::atoi(argv[i + 1]);
        } else if (arg == "--seconds") {
            seconds = std::atof(argv[i + 1]);
        } else if (arg == "--seed") {
            seed = uint32_t(std::atol(argv[i + 1]));
        }
    }
    headlessReset();
    if (!openWindow()) return 1;
    editorMode = true;  // the frame marks points without opening the menu

    // The bundled pack, as it is shipped; each level under 2 s.
    {
        SolveOptions options;
        options.seed = seed;
        options.maxSeconds = 2.0;
        std::vector<Outcome> outcomes;
        for (const PackPuzzle& puzzle : packPuzzles) {
            resetLevelSet();
            puzzleFileName = std::string(ORVET_SOURCE_DIR) + "/puzzles/" + puzzle.fileName;
            if (readPuzzleFile() != PuzzleReadResult::Read) return 1;
            const std::vector<Level> pack = levels;
            for (size_t i = 0; i < pack.size(); ++i) {
                const Outcome o = solveAndCheck(pack[i], options, puzzle.fileName);
                std::printf("  %s level %zu: %s in %.3f s\n", puzzle.fileName, i + 1,
                            o.found ? "found" : "NOT FOUND", o.seconds);
                outcomes.push_back(o);
            }
        }
        summarise("bundled pack (bound 2 s)", outcomes);
    }

    std::mt19937 random(seed);
    // Levels by the pack's construction: random seeds, 1..9 segments, 1..16
    // letters, half with an attractor.
    {
        SolveOptions options;
        options.seed = seed;
        options.maxSeconds = seconds;
        std::vector<Outcome> outcomes;
        std::vector<Outcome> withAttractor;
        int built = 0;
        while (built < generated) {
            PackLevel entry{};
            const std::string word =
                randomWord(random, std::uniform_int_distribution<int>(1, 16)(random));
            entry.word = word.c_str();
            entry.segments = int16_t(std::uniform_int_distribution<int>(1, 9)(random));
            entry.attractor = built % 2 == 1;
            entry.seed = uint32_t(random());
            Level level;
            bool ok = false;
            for (uint32_t t = 0; t < kSeedTries && !ok; ++t)
                ok = buildLevel(entry, entry.seed + t, 0, level);
            if (!ok) continue;
            hideSolution(level, random);
            const Outcome o = solveAndCheck(level, options, "a generated level");
            if (!o.found) {
                std::printf("  not found: %d segments, %d points%s, %.2f s\n", entry.segments,
                            level.lastPoint + 1, entry.attractor ? ", attractor" : "", o.seconds);
            }
            (entry.attractor ? withAttractor : outcomes).push_back(o);
            ++built;
        }
        std::vector<Outcome> both = outcomes;
        both.insert(both.end(), withAttractor.begin(), withAttractor.end());
        char title[96];
        std::snprintf(title, sizeof title, "generated levels (bound %.0f s)", seconds);
        summarise(title, both);
        summarise("  of which without attractor", outcomes);
        summarise("  of which with attractor", withAttractor);
    }

    // Impossible on purpose: 1..3 segments and 16 points spread over the
    // whole page, one in each cell of a 4 x 4 grid.
    {
        SolveOptions options;
        options.seed = seed;
        options.maxSeconds = seconds;
        std::vector<Outcome> outcomes;
        for (int k = 0; k < impossible; ++k) {
            Level level;
            level.setPointCount(16);
            for (int j = 0; j < 16; ++j) {
                level.points[size_t(j)].x =
                    float(20 + 160 * (j % 4) + std::uniform_int_distribution<int>(0, 120)(random));
                level.points[size_t(j)].y =
                    float(20 + 120 * (j / 4) + std::uniform_int_distribution<int>(0, 80)(random));
                level.points[size_t(j)].flag = -32;
            }
            level.paths = generatePath(int16_t(1 + k % 3));
            if (k % 2 == 1) level.attractor = Vector{320.0f, 240.0f, -1};
            const Outcome o = solveAndCheck(level, options, "an impossible level");
            if (o.found) std::printf("  found (replayed, so it was possible after all)\n");
            outcomes.push_back(o);
        }
        summarise("impossible levels (expected: none found, each within the bound)", outcomes);
    }
    return replayFails ? 1 : 0;
}
