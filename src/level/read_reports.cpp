// The one-line reports on stderr of a puzzle file or saved game that was not
// read, side by side: both name the file and say why and what happens instead.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "level/saved_game.h"

namespace {

// Why a puzzle file that exists could not be read: it cannot be opened, or
// its first byte cannot be read.
std::string puzzleFailureReason(const std::string& name) {
    errno = 0;
    std::FILE* f = std::fopen(name.c_str(), "rb");
    if (f == nullptr) return errno != 0 ? std::strerror(errno) : "cannot open it";
    errno = 0;
    std::fgetc(f);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed && err != 0) return std::strerror(err);
    return "read error";
}

}  // namespace

void reportPuzzleRead(PuzzleReadResult result, const std::string& name) {
    if (result == PuzzleReadResult::Read) return;
    if (name.empty()) {
        std::fprintf(stderr, "orvet: no puzzle files (*.zag) were found; %s\n",
                     editorMode ? "starting a new puzzle" : "showing an empty level");
        return;
    }
    switch (result) {
        case PuzzleReadResult::Missing:
            if (editorMode) {
                std::fprintf(stderr, "orvet: \"%s\" does not exist yet; starting a new puzzle\n",
                             name.c_str());
            } else {
                std::fprintf(stderr, "orvet: puzzle \"%s\" not found; showing an empty level\n",
                             name.c_str());
            }
            break;
        case PuzzleReadResult::Unreadable:
            std::fprintf(stderr, "orvet: cannot read \"%s\": %s; showing an empty level\n",
                         name.c_str(), puzzleFailureReason(name).c_str());
            break;
        case PuzzleReadResult::NotAPuzzle:
            std::fprintf(stderr,
                         "orvet: \"%s\" is not a puzzle file (it does not begin with \"LVL\"); "
                         "showing an empty level\n",
                         name.c_str());
            break;
        case PuzzleReadResult::Read:
            break;
    }
}

void reportSavedGameRead(SavedGameReadResult result) {
    const std::string name = savedGameName(puzzleFileName);
    switch (result) {
        case SavedGameReadResult::Read:
            break;
        case SavedGameReadResult::Missing:
            std::fprintf(stderr, "orvet: saved game \"%s\" not found; nothing continued\n",
                         name.c_str());
            break;
        case SavedGameReadResult::Unreadable: {
            // Why, asked again: the file cannot be opened, or it is a folder.
            errno = 0;
            std::FILE* f = std::fopen(name.c_str(), "rb");
            const int error = f == nullptr ? errno : EISDIR;
            if (f != nullptr) std::fclose(f);
            std::fprintf(stderr, "orvet: cannot read \"%s\": %s; nothing continued\n", name.c_str(),
                         error != 0 ? std::strerror(error) : "cannot open it");
            break;
        }
        case SavedGameReadResult::NotASavedGame:
            std::fprintf(stderr,
                         "orvet: \"%s\" is not a saved game (it does not begin with "
                         "\"SAVEDGAME\"); nothing continued\n",
                         name.c_str());
            break;
    }
}
