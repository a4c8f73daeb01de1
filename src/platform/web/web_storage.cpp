// Keeping the storage folder in the browser's storage. The page marks the
// folder changed whenever the game writes, renames or removes a file there;
// the next poll writes the changes out and waits for that before the game
// goes on, so a tab closed right after a save loses nothing.
#include <emscripten.h>

#include <cstdio>

#include "platform/platform.h"
#include "platform/web/web_host.h"

namespace {

// clang-format off
EM_JS(int, storageChanged, (), {
    const storage = Module['orvetStorage'];
    return storage && storage.changed ? 1 : 0;
});
// 0 when nothing changed, 1 when stored, 2 when stored and a puzzle or saved
// game was among the changes, or -1 with the reason in the message buffer.
EM_ASYNC_JS(int, storeChangedFiles, (char* message, int size), {
    const storage = Module['orvetStorage'];
    if (!storage || !storage.changed) return 0;
    const saved = storage.saved;
    storage.changed = false;
    storage.saved = false;
    const error = await new Promise(function(resolve) { FS.syncfs(false, resolve); });
    if (error) {
        stringToUTF8(String(error.message || error.errno || error), message, size);
        return -1;
    }
    return saved ? 2 : 1;
});
EM_JS(void, showSaved, (), {
    if (Module['orvetStatus']) Module['orvetStatus']('saved', 3000);
});
// clang-format on

}  // namespace

// The page is being left (reloaded, closed, sent elsewhere) while the game
// runs: the game keeps what it would keep at its end, and the page then
// stores the folder as far as the browser lets it. Called by the page only
// while the game waits in a poll, never during a write.
extern "C" EMSCRIPTEN_KEEPALIVE void orvetPageLeaving() {
    if (programLeavingHook != nullptr && !programEnding()) programLeavingHook();
}

void flushStorageIfChanged() {
    // Most polls find nothing to do: asking costs no turn of the browser.
    if (!storageChanged()) return;
    char message[200] = "";
    const int stored = storeChangedFiles(message, sizeof message);
    if (stored < 0) {
        std::fprintf(stderr, "orvet: could not keep the files in the browser's storage: %s\n",
                     message);
    } else if (stored == 2) {
        showSaved();
    }
}
