// The keys of the main loop in both modes: F1 the help page, Ctrl+Z undo,
// Ctrl+Y and Ctrl+Shift+Z redo, and F2 the editor's author's view.
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
    } else {
        return false;
    }
    return true;
}
