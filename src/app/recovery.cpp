// The editor's safety net: unsaved changes go to NAME~ beside the puzzle when
// the editor ends.
#include <cstdio>
#include <string>

#include "app/game.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"

void writeRecoveryFile() {
    // Without a name (no puzzle file to start from) there is no "beside".
    if (!editorMode || puzzleFileName.empty() || !historyChangedSinceSave()) return;
    const std::string name = puzzleFileName + "~";
    if (writePuzzleFileAs(name)) {
        std::fprintf(stderr, "orvet: unsaved changes written to \"%s\"\n", name.c_str());
    }
}
