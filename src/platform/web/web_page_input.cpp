// Input that the page's own scripts hand to the game (web/pointer.js for
// touch and pen, web/keys.js for the on-screen keys): queued into the same
// feed as the browser's keyboard and mouse events, never acted on here. The
// page wakes the host's sleep afterwards, so the game reads it in its next
// pass.
#include <emscripten.h>

#include <string_view>

#include "platform/keys.h"
#include "platform/window/input_feed.h"

// A pointer at game pixel (x, y): kind 0 moved, 1 a button pressed, 2 a
// button released; button 1 left, 2 middle, 3 right.
extern "C" EMSCRIPTEN_KEEPALIVE void orvetPagePointer(int kind, int x, int y, int button) {
    if (kind == 0) {
        feedPointerMoved(x, y);
    } else {
        feedButton(x, y, button, kind == 1);
    }
}

// A key by its name in the key table ("Escape", "F1", "Ctrl+Z"); 0 when no
// key has that name.
extern "C" EMSCRIPTEN_KEEPALIVE int orvetPageKey(const char* name) {
    const std::string_view wanted(name);
    if (wanted.empty()) return 0;
    for (const KeyEntry& entry : kKeyTable) {
        if (entry.name == wanted) {
            feedSpecialKey(entry.key);
            return 1;
        }
    }
    return 0;
}

// Typed text (UTF-8), one key string per character, as the keyboard's.
extern "C" EMSCRIPTEN_KEEPALIVE void orvetPageText(const char* utf8) {
    feedText(utf8);
}
