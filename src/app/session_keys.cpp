// The keys of the main loop in both modes: F1 the help page, Ctrl+Z undo,
// Ctrl+Y and Ctrl+Shift+Z redo, F2 the editor's author's view, and F3 the
// solver (the editor's solution, play's hint) where the game has it.
#include "app/game.h"
#include "level/edit_history.h"
#include "level/level_set.h"
#include "platform/platform.h"
#include "ui/menu.h"

bool dispatchSessionKey(const std::string& key) {
    if (key == kKeyF1) {
        openHelpPage();
    } else if (key == kKeyUndo) {
        historyUndo();
    } else if (key == kKeyRedo || key == kKeyShiftRedo) {
        historyRedo();
    } else if (key == kKeyF2 && editorMode) {
        authorView = !authorView;
#ifdef ORVET_HAVE_SOLVER
    } else if (key == kKeyF3) {
        if (editorMode) {
            solveCurrentLevel();
        } else {
            giveHint();
        }
#endif
    } else {
        return false;
    }
    return true;
}
