// The main loop: one key, the pointer, one frame, the editor's key, the
// mouse and one window event per pass, with no pause between passes.
#include <string>

#include "app/game.h"
#include "app/pointer.h"
#include "app/startup.h"
#include "level/level_set.h"
#include "platform/mouse_state.h"
#include "platform/platform.h"
#include "scene/scene.h"

int runGame(int argc, char** argv) {
    const int status = startUp(argc, argv);
    if (status >= 0) return status;

    LastGoodPosition lastGood;
    for (;;) {
        const std::string key = readKey();
        handlePointer();
        if (programEnding()) break;
        drawFrame();
        if (programEnding()) break;
        if (editorMode && authorView) drawAuthorView();
        if (key == kKeyEscape) break;
        if (!dispatchSessionKey(key) && editorMode) dispatchEditorKey(key);
        if (programEnding()) break;
        readMouseState(lastGood);
        WindowEvent event{};
        if (popEvent(event) && event.type == kEventClose) break;
    }
    writeRecoveryFile();
    return 0;
}
