// Start-up: the command line, the tables, the window, the chooser, the
// puzzle file and the first level, in that order.
#include "app/startup.h"

#include <cstdio>
#include <string>

#include "app/game.h"
#include "app/pointer.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "platform/cp1251.h"
#include "platform/platform.h"
#include "ui/chooser.h"
#include "ui/menu.h"

namespace {

std::string titleFor(const std::string& name) {
    const std::string suffix = ".zag";
    if (name.size() >= suffix.size() &&
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return "Orvet: " + displayFileName(name.substr(0, name.size() - suffix.size()));
    }
    return "Orvet: " + displayFileName(name);
}

// A solved level drops whatever the pointer held and opens the menu.
void onLevelSolved() {
    historyEndDrag();
    grabTarget = kGrabNothing;
    runMenu();
}

}  // namespace

int startUp(int argc, char** argv) {
    CommandLine line;
    const int status = parseCommandLine(argc, argv, line);
    if (status >= 0) return status;

    resetGameState();
    editorMode = line.editor;
    puzzleFileName = line.puzzleFile;

    setWindowTitle("Orvet: Odaberi zagonetku");
    if (!openWindow()) {
        std::fprintf(stderr, "orvet: cannot open a window: no window system available\n");
        return 1;
    }
    setPaletteEntry(1, 200, 200, 255);
    setForeground(0);
    setBackground(15);
    seedRandom(-1);

    levelSolvedHook = onLevelSolved;
    programLeavingHook = writeRecoveryFile;

    if (puzzleFileName.empty()) {
        chooseFile();
        if (programEnding()) return 0;
    }

    reportPuzzleRead(readPuzzleFile(), puzzleFileName);
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
