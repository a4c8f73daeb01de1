// Start-up: the command line, the tables, the window, the chooser, the
// puzzle file and the first level, in that order.
#include "app/startup.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "app/flight.h"
#include "app/game.h"
#include "app/pointer.h"
#include "app/share_command.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "platform/cp1251.h"
#include "platform/mouse_state.h"
#include "platform/platform.h"
#include "text/key_map.h"
#include "ui/chooser.h"
#include "ui/menu.h"
#include "ui/row_pick.h"

namespace {

std::string asciiLower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

// Why a file that exists could not be read, for the one-line report.
std::string readFailureReason(const std::string& name) {
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

void reportReadResult(PuzzleReadResult result, const std::string& name) {
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
                         name.c_str(), readFailureReason(name).c_str());
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

std::string titleFor(const std::string& name) {
    const std::string suffix = ".zag";
    if (name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return "Orvet: " + displayFileName(name.substr(0, name.size() - suffix.size()));
    }
    return "Orvet: " + displayFileName(name);
}

// What `orvet --help` prints. A puzzle file with one of the option names is
// opened by another spelling of its path (./--help).
const char* const kUsage =
    "Usage: orvet [PUZZLE.zag [pravi]]\n"
    "       orvet --share [--qr] PUZZLE.zag\n"
    "       orvet --open-link LINK\n"
    "       orvet --help | --version\n"
    "\n"
    "Orvet is a puzzle game about one curved path: drag its knots, handles and\n"
    "the attractor until the curve touches every lettered point.\n"
    "\n"
    "Without PUZZLE.zag the game lists the *.zag files of the current directory\n"
    "to choose from. A second argument pravi (any case) starts the puzzle editor;\n"
    "a puzzle that does not exist yet gives one empty level, which the editor\n"
    "takes as the start of a new puzzle. Open a puzzle named --help as ./--help.\n"
    "\n"
    "  --share      print a link that holds the puzzle (on the page's address,\n"
    "               ORVET_SHARE_URL or \"" ORVET_SHARE_URL
    "\"); --qr also prints\n"
    "               it as a QR code where qrencode is installed\n"
    "  --open-link  store the link's puzzle here (NAME.zag, or NAME-2.zag ... when\n"
    "               a different NAME.zag is here) and open it\n"
    "  --help       show this help and exit\n"
    "  --version    show the version and exit\n"
    "\n"
    "The keys and the file formats are described in orvet(6).\n";

// A solved level drops whatever the pointer held and opens the menu.
void onLevelSolved() {
    historyEndDrag();
    grabTarget = -1;
    runMenu();
}

}  // namespace

int startUp(int argc, char** argv) {
    std::string arg1 = argc > 1 && argv[1] != nullptr ? argv[1] : "";
    std::string arg2 = argc > 2 && argv[2] != nullptr ? argv[2] : "";
#ifndef __EMSCRIPTEN__
    if (arg1 == "--share" || arg1 == "--open-link") {
        const int status = runShareOption(argc, argv, arg1);
        if (status >= 0) return status;
        arg2.clear();
    }
#endif

    // The two options answer on stdout before anything else is set up, so
    // they work without a window system.
    if (arg1 == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arg1 == "--version") {
        std::printf("orvet %s\n", ORVET_VERSION);
        return 0;
    }

    buildKeyMap();
    resetLevelSet();
    editorMode = asciiLower(arg2) == "pravi";
    puzzleFileName = arg1;
    visitList.clear();
    visitList.reserve(kMaxVisits);

    // The state a fresh process starts with, so that a second run in the
    // same process (the tests) begins the same way.
    mouseX = 0;
    mouseY = 0;
    mouseButtons = 0;
    mouseFailed = 0;
    leftLatch = 0;
    rightLatch = 0;
    authorView = false;

    setWindowTitle("Orvet: Odaberi zagonetku");
    if (!openWindow()) {
        std::fprintf(stderr, "orvet: cannot open a window: no window system available\n");
        return 1;
    }
    setPaletteEntry(1, 200, 200, 255);
    setForeground(0);
    setBackground(15);
    seedRandom(-1);

    thisLevel().setPointCount(0);
    grabTarget = -1;
    levelSolvedHook = onLevelSolved;
    programLeavingHook = writeRecoveryFile;

    if (puzzleFileName.empty()) {
        chooseFile();
        if (programEnding()) return 0;
    }

    reportReadResult(readPuzzleFile(), puzzleFileName);
    setWindowTitle(titleFor(puzzleFileName));

    if (editorMode) {
        lastLevel = static_cast<uint16_t>(levels.size() - 1);
        rebuildLevelList();
        reportRecoveryFile();
    }
    selectLevel(0);
    // The history starts with the puzzle as read, which counts as saved.
    historyClear();
    historyMarkSaved();
    return -1;
}
