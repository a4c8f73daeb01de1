// What the page asks of the game besides the host's own calls: whether bytes
// that came in a link are a puzzle (by the game's own reader), and in the
// editor whether the puzzle has unsaved changes and saving it, for the
// page's Share control (web/share.js), and in either mode whether play or
// editing is unsaved, for leaving the page (web/leaving.js). Called while
// the game waits in a poll, or before it starts.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "level/edit_history.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"

extern "C" EMSCRIPTEN_KEEPALIVE int orvetIsPuzzleFile(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return 0;
    std::string bytes;
    char block[4096];
    size_t n = 0;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0) bytes.append(block, n);
    std::fclose(f);
    return isPuzzleBytes(bytes) ? 1 : 0;
}

extern "C" EMSCRIPTEN_KEEPALIVE int orvetUnsavedChanges() {
    return editorMode && historyChangedSinceSave() ? 1 : 0;
}

// Saves the puzzle as the menu's "запамти" does in the editor; 1 when saved.
extern "C" EMSCRIPTEN_KEEPALIVE int orvetSavePuzzle() {
    if (!editorMode || !writePuzzleFile()) return 0;
    historyMarkSaved();
    return 1;
}

// Whether anything was played or edited since the last save, for the page's
// question before it is left. In play, a game just started or just read
// from the saved game (no step taken since) has nothing to lose.
extern "C" EMSCRIPTEN_KEEPALIVE int orvetUnsavedProgress() {
    if (!editorMode && historyUndoCount() == 0 && historyRedoCount() == 0) return 0;
    return historyChangedSinceSave() ? 1 : 0;
}

// The page has stored a saved game written in play: what was played up to
// now is kept. (The editor marks its own saves.)
extern "C" EMSCRIPTEN_KEEPALIVE void orvetProgressSaved() {
    if (!editorMode) historyMarkSaved();
}
