// The editor's key table: each key string to its level operation, each
// operation one undo step.
#include <cstdint>
#include <string>

#include "app/game.h"
#include "level/edit_history.h"
#include "level/editor_ops.h"
#include "level/level_set.h"
#include "platform/keys.h"
#include "platform/mouse_state.h"
#include "text/key_map.h"

namespace {

// Page Up and Page Down are no steps; a drag held across them goes on as a
// step on the level now shown.
void changeLevel(void (*op)()) {
    const bool dragging = historyDragging();
    if (dragging) historyEndDrag();
    op();
    if (dragging) historyBeginDrag();
}

}  // namespace

void dispatchEditorKey(const std::string& key) {
    if (key.empty()) return;
    if (key == kKeyPageDown) {
        changeLevel(editorPreviousLevel);
        return;
    }
    if (key == kKeyPageUp) {
        changeLevel(editorNextLevel);
        return;
    }
    if (key == "0") {
        historyBegin(StepKind::Points, currentLevel);
        editorDeleteAt(mouseX, mouseY);
    } else if (key == "*") {
        historyBegin(StepKind::Shape, currentLevel);
        editorSetAttractor(mouseX, mouseY);
    } else if (key == kKeyInsert) {
        historyBegin(StepKind::Levels, currentLevel);
        editorAppendLevel();
    } else if (key == kKeyDelete) {
        historyBegin(StepKind::Levels, currentLevel);
        editorRemoveLastLevel();
    } else if (key[0] >= '1' && key[0] <= '9') {
        historyBegin(StepKind::Shape, currentLevel);
        editorNewPath(key[0] - '0');
    } else if (key.size() == 1) {
        historyBegin(StepKind::Points, currentLevel);
        editorAddPoint(mouseX, mouseY, keyMap[static_cast<uint8_t>(key[0])]);
    } else {
        return;
    }
    historyCommit();
}
