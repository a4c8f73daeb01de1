// Turns the browser's keyboard and mouse events into the game's input through
// the same feed as the desktop window: key strings in Windows-1251, clicks
// read in turn where they happened, and the pointer off the canvas as a
// failed reading.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstring>

#include "platform/host.h"
#include "platform/web/web_host.h"
#include "platform/web/web_keys.h"
#include "platform/window/input_feed.h"

namespace {

constexpr const char* kCanvas = "#canvas";

// clang-format off
// Page coordinates to game pixels: the canvas's place on the page and the
// whole scaling factor the page chose for it.
EM_JS(void, canvasPlace, (double* out), {
    const canvas = Module['canvas'];
    const rect = canvas.getBoundingClientRect();
    HEAPF64[out >> 3] = rect.left;
    HEAPF64[(out >> 3) + 1] = rect.top;
    HEAPF64[(out >> 3) + 2] = rect.width > 0 ? rect.width / canvas.width : 1;
});
// The page's own fields keep their keys.
EM_JS(int, pageFieldFocused, (), {
    const active = document.activeElement;
    const fields = ['INPUT', 'SELECT', 'TEXTAREA', 'BUTTON'];
    return active && fields.indexOf(active.tagName) >= 0 ? 1 : 0;
});
EM_JS(void, toggleFullScreen, (), {
    if (document.fullscreenElement) {
        document.exitFullscreen();
    } else {
        document.documentElement.requestFullscreen().catch(function() {});
    }
});
// clang-format on

// One Unicode character: the key produced text rather than naming a key.
bool isOneCharacter(const char* utf8) {
    const size_t length = std::strlen(utf8);
    if (length == 0) return false;
    const unsigned char lead = static_cast<unsigned char>(utf8[0]);
    const size_t expected = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    return length == expected;
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, the editing keys, as on the desktop: Alt
// and the system key up (AltGr arrives as Ctrl+Alt and keeps typing), the
// layout's letter, or the key's place when the layout has no Latin letter.
bool editingKeyFor(const EmscriptenKeyboardEvent& event, Key& key) {
    if (!event.ctrlKey || event.altKey || event.metaKey) return false;
    const char* k = event.key;
    const bool latin =
        std::strlen(k) == 1 && ((k[0] >= 'a' && k[0] <= 'z') || (k[0] >= 'A' && k[0] <= 'Z'));
    const char letter = latin ? static_cast<char>(k[0] | 0x20) : 0;
    const bool z = latin ? letter == 'z' : std::strcmp(event.code, "KeyZ") == 0;
    const bool y = latin ? letter == 'y' : std::strcmp(event.code, "KeyY") == 0;
    if (z) {
        key = event.shiftKey ? Key::ShiftRedo : Key::Undo;
        return true;
    }
    if (y && !event.shiftKey) {
        key = Key::Redo;
        return true;
    }
    return false;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
    if (pageFieldFocused()) return EM_FALSE;
    const bool enter = std::strcmp(event->key, "Enter") == 0;
    // Alt+Enter and F11 belong to the window, not to the game.
    if ((enter && event->altKey) || std::strcmp(event->key, "F11") == 0) {
        if (!event->repeat) toggleFullScreen();
        return EM_TRUE;
    }
    for (const WebKey& named : kWebKeys) {
        if (std::strcmp(event->key, named.name) == 0) {
            feedSpecialKey(named.key);
            return EM_TRUE;
        }
    }
    Key key;
    if (editingKeyFor(*event, key)) {
        feedSpecialKey(key);
        return EM_TRUE;
    }
    // Typed text in whatever layout (AltGr arrives as Ctrl+Alt); shortcuts
    // of the browser are left to it.
    const bool shortcut = (event->ctrlKey && !event->altKey) || event->metaKey;
    if (!shortcut && isOneCharacter(event->key)) {
        feedText(event->key);
        return EM_TRUE;
    }
    return EM_FALSE;
}

// A position in game pixels (off the picture when off the canvas).
void canvasPosition(const EmscriptenMouseEvent* event, int& x, int& y) {
    double place[3];
    canvasPlace(place);
    const double gx = (event->clientX - place[0]) / place[2];
    const double gy = (event->clientY - place[1]) / place[2];
    x = gx < 0 ? -1 : static_cast<int>(gx);
    y = gy < 0 ? -1 : static_cast<int>(gy);
}

bool onCanvas(int x, int y) {
    return x >= 0 && y >= 0 && x < kScreenWidth && y < kScreenHeight;
}

EM_BOOL onMouseMove(int, const EmscriptenMouseEvent* event, void*) {
    int x, y;
    canvasPosition(event, x, y);
    feedPointerMoved(x, y);
    return EM_FALSE;
}

EM_BOOL onMouseButton(int type, const EmscriptenMouseEvent* event, void*) {
    int x, y;
    canvasPosition(event, x, y);
    // The browser numbers the buttons 0 left, 1 middle, 2 right.
    feedButton(x, y, event->button + 1, type == EMSCRIPTEN_EVENT_MOUSEDOWN);
    return EM_TRUE;
}

// A release off the canvas still ends a press that began on it.
EM_BOOL onWindowMouseUp(int, const EmscriptenMouseEvent* event, void*) {
    int x, y;
    canvasPosition(event, x, y);
    if (!onCanvas(x, y)) feedButton(x, y, event->button + 1, false);
    return EM_FALSE;
}

EM_BOOL onMouseEnter(int, const EmscriptenMouseEvent*, void*) {
    feedPointerEntered();
    return EM_FALSE;
}

EM_BOOL onMouseLeave(int, const EmscriptenMouseEvent*, void*) {
    feedPointerLeft();
    return EM_FALSE;
}

EM_BOOL onWheel(int, const EmscriptenWheelEvent* event, void*) {
    // The browser's positive delta is toward the user; the game's is away.
    if (event->deltaY < 0) feedWheel(1);
    if (event->deltaY > 0) feedWheel(-1);
    return EM_TRUE;
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*) {
    webHost.shown.redrawNeeded = true;
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent*, void*) {
    webHost.shown.redrawNeeded = true;
    return EM_FALSE;
}

}  // namespace

void listenForInput() {
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, nullptr, EM_TRUE, onKeyDown);
    emscripten_set_mousemove_callback(kCanvas, nullptr, EM_TRUE, onMouseMove);
    emscripten_set_mousedown_callback(kCanvas, nullptr, EM_TRUE, onMouseButton);
    emscripten_set_mouseup_callback(kCanvas, nullptr, EM_TRUE, onMouseButton);
    emscripten_set_mouseup_callback(window, nullptr, EM_FALSE, onWindowMouseUp);
    emscripten_set_mouseenter_callback(kCanvas, nullptr, EM_TRUE, onMouseEnter);
    emscripten_set_mouseleave_callback(kCanvas, nullptr, EM_TRUE, onMouseLeave);
    emscripten_set_wheel_callback(kCanvas, nullptr, EM_TRUE, onWheel);
    emscripten_set_resize_callback(window, nullptr, EM_FALSE, onResize);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
}
