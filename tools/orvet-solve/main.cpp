// orvet-solve: looks for a solution of each level of a puzzle and writes the
// paths found as the puzzle's saved game.
//
//   orvet-solve [--force] [--seed N] [--seconds S] PUZZLE.zag [LEVEL...]
//
// Prints one line per level: found or not found, the time taken and the word
// a flight along the found path spells. Writes the saved game beside the
// puzzle (levels not found keep the puzzle's path), unless one is there
// already and --force is not given. Exit status 0 when every level asked for
// was found, 1 when one was not, 2 for a usage error or a file that cannot be
// read or written.
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "level/saved_game.h"
#include "platform/cp1251.h"
#include "solve/solver.h"

namespace {

const char* const kUsage =
    "Usage: orvet-solve [--force] [--seed N] [--seconds S] PUZZLE.zag [LEVEL...]\n"
    "       orvet-solve --help | --version\n"
    "\n"
    "Looks for a path that touches every point of each level (all levels, or\n"
    "the LEVEL numbers given, counted from 1), with the level's own number of\n"
    "segments and its attractor, judged by the game's own test. Prints per level\n"
    "found or not found, the time taken and the word a flight along the path\n"
    "spells. Writes the puzzle's saved game (PUZZLE.zap) holding the found paths,\n"
    "so that continuing it in the game shows each of those levels solved.\n"
    "Exit status: 0 when every level was found, 1 when one was not, 2 for a\n"
    "usage error or a file that cannot be read or written.\n"
    "\n"
    "  --force      replace a saved game that is already there (else it is kept\n"
    "               and nothing is solved)\n"
    "  --seed N     the search's seed (default 1); a seed gives the same paths\n"
    "  --seconds S  the longest search for one level (default 5)\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n";

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && value >= 0.0;
}

}  // namespace

int main(int argc, char** argv) {
    bool force = false;
    SolveOptions options;
    std::string puzzle;
    std::vector<long> wanted;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        double value = 0.0;
        if (arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        } else if (arg == "--version") {
            std::printf("orvet-solve %s\n", ORVET_VERSION);
            return 0;
        } else if (arg == "--force") {
            force = true;
        } else if ((arg == "--seed" || arg == "--seconds") && i + 1 < argc &&
                   parseNumber(argv[i + 1], value)) {
            if (arg == "--seed") {
                options.seed = static_cast<uint32_t>(value);
            } else {
                options.maxSeconds = value;
            }
            ++i;
        } else if (puzzle.empty() && !arg.empty() && arg[0] != '-') {
            puzzle = arg;
        } else if (!puzzle.empty() && parseNumber(arg.c_str(), value) && value >= 1.0) {
            wanted.push_back(static_cast<long>(value));
        } else {
            std::fprintf(stderr, "orvet-solve: unexpected argument \"%s\"\n%s", arg.c_str(),
                         kUsage);
            return 2;
        }
    }
    if (puzzle.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    resetLevelSet();
    puzzleFileName = puzzle;
    if (readPuzzleFile() != PuzzleReadResult::Read) {
        std::fprintf(stderr, "orvet-solve: cannot read the puzzle \"%s\"\n", puzzle.c_str());
        return 2;
    }
    const std::string saved = savedGameName(puzzle);
    struct stat info {};
    if (!force && ::lstat(saved.c_str(), &info) == 0) {
        std::fprintf(stderr,
                     "orvet-solve: \"%s\" is there already; it is kept (--force replaces it)\n",
                     saved.c_str());
        return 2;
    }
    if (wanted.empty()) {
        for (size_t i = 0; i < levels.size(); ++i) wanted.push_back(static_cast<long>(i + 1));
    }

    int status = 0;
    bool anyFound = false;
    for (long number : wanted) {
        if (static_cast<size_t>(number) > levels.size()) {
            std::printf("level %ld: not found (the puzzle has %zu levels)\n", number,
                        levels.size());
            status = 1;
            continue;
        }
        Level& level = levels[static_cast<size_t>(number - 1)];
        const int segments = segmentCount(level.paths);
        if (segments == 0) {
            std::printf("level %ld: not found (the level has no path)\n", number);
            status = 1;
            continue;
        }
        SolveOptions these = options;
        these.word = preferredWord(level);
        const SolveResult result = solveLevel(level, segments, these);
        if (!result.found) {
            std::printf("level %ld: not found in %.2f s\n", number, result.seconds);
            status = 1;
            continue;
        }
        level.paths = result.path;
        level.attractor = result.attractor;
        anyFound = true;
        std::printf(
            "level %ld: found in %.2f s, the flight spells \"%s\"%s\n", number, result.seconds,
            cp1251ToUtf8(result.word).c_str(),
            these.word.empty() ? "" : (result.spellsWord ? " (its code)" : " (not its code)"));
    }
    std::fflush(stdout);
    if (anyFound) {
        if (!writeSavedGame()) return 2;
        std::printf("wrote %s\n", saved.c_str());
    }
    return status;
}
