// The editor's key table: each key string to its level operation.
#include <cstdint>
#include <string>

#include "app/game.h"
#include "level/editor_ops.h"
#include "platform/mouse_state.h"
#include "text/key_map.h"

void dispatchEditorKey(const std::string& key) {
    if (key.empty()) return;
    if (key == "0") {
        editorDeleteAt(mouseX, mouseY);
    } else if (key == "*") {
        editorSetAttractor(mouseX, mouseY);
    } else if (key == "\xFFQ") {  // Page Down
        editorPreviousLevel();
    } else if (key == "\xFFI") {  // Page Up
        editorNextLevel();
    } else if (key == "\xFFR") {  // Insert
        editorAppendLevel();
    } else if (key == "\xFFS") {  // Delete
        editorRemoveLastLevel();
    } else if (key[0] >= '1' && key[0] <= '9') {
        editorNewPath(key[0] - '0');
    } else if (key.size() == 1) {
        editorAddPoint(mouseX, mouseY, keyMap[static_cast<uint8_t>(key[0])]);
    }
}
