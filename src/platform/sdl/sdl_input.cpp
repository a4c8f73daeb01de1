// Collecting SDL input: the poll the game's reads run, and the translation of
// SDL events into keys, close requests and the pointer.
#include <span>

#include "platform/host.h"
#include "platform/sdl/sdl_host.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/window/input_feed.h"
#include "platform/window/poll_pacing.h"

namespace {

bool keyIn(std::span<const SdlKey> map, SDL_Scancode code, Key& key) {
    for (const SdlKey& entry : map) {
        if (entry.code == code) {
            key = entry.key;
            return true;
        }
    }
    return false;
}

// The key for a key press; false for keys that arrive as text (or not at
// all).
bool specialKeyFor(const SDL_Keysym& keysym, Key& key) {
    const SDL_Scancode code = keysym.scancode;
    if (keyIn(kSdlKeys, code, key)) return true;
    return !(keysym.mod & KMOD_NUM) && keyIn(kSdlKeypadKeys, code, key);
}

// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z, the editing keys; Alt must be up, so that
// AltGr (Ctrl+Alt on some systems) keeps typing its characters. The letter is
// the layout's, or the key's place when the layout has no Latin letter there.
bool editingKeyFor(const SDL_Keysym& keysym, Key& key) {
    const Uint16 mod = keysym.mod;
    if ((mod & KMOD_CTRL) == 0 || (mod & (KMOD_ALT | KMOD_GUI)) != 0) return false;
    const bool latin = keysym.sym >= 'a' && keysym.sym <= 'z';
    const bool z = latin ? keysym.sym == SDLK_z : keysym.scancode == SDL_SCANCODE_Z;
    const bool y = latin ? keysym.sym == SDLK_y : keysym.scancode == SDL_SCANCODE_Y;
    const bool shift = (mod & KMOD_SHIFT) != 0;
    if (z) {
        key = shift ? Key::ShiftRedo : Key::Undo;
        return true;
    }
    if (y && !shift) {
        key = Key::Redo;
        return true;
    }
    return false;
}

void handleKeyDown(const SDL_KeyboardEvent& event) {
    const SDL_Scancode code = event.keysym.scancode;
    const bool enter = code == SDL_SCANCODE_RETURN || code == SDL_SCANCODE_KP_ENTER;
    // Alt+Enter and F11 belong to the window, not to the game.
    if ((enter && (event.keysym.mod & KMOD_ALT)) || code == SDL_SCANCODE_F11) {
        if (!event.repeat) toggleFullScreen();
        return;
    }
    Key key;
    if (specialKeyFor(event.keysym, key) || editingKeyFor(event.keysym, key)) feedSpecialKey(key);
}

void handleWindowEvent(const SDL_WindowEvent& event) {
    if (event.windowID != sdlHost.windowId) return;
    switch (event.event) {
        case SDL_WINDOWEVENT_CLOSE:
            feedCloseRequest();
            break;
        case SDL_WINDOWEVENT_ENTER:
            feedPointerEntered();
            break;
        case SDL_WINDOWEVENT_LEAVE:
            feedPointerLeft();
            break;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_DISPLAY_CHANGED:
            updateRefreshRate();
            sdlHost.shown.redrawNeeded = true;
            break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_RESTORED:
            sdlHost.shown.redrawNeeded = true;
            break;
        default:
            break;
    }
}

// Handles the events that have arrived, first the one the wait returned.
void takeEvents(const SDL_Event* first) {
    feedBatchStart();
    if (first) handleSdlEvent(*first);
    SDL_Event event;
    while (SDL_PollEvent(&event)) handleSdlEvent(event);
}

// Sleeps until a window-system event arrives or the time is up.
void waitForEvents(double seconds) {
    // Whole milliseconds, rounded up, so that the wait does not end just
    // short of the moment it waits for.
    const int ms = static_cast<int>(seconds * 1000.0 + 0.999);
    SDL_Event event;
    if (SDL_WaitEventTimeout(&event, ms)) takeEvents(&event);
}

}  // namespace

void handleSdlEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            feedCloseRequest();
            break;
        case SDL_WINDOWEVENT:
            handleWindowEvent(event.window);
            break;
        case SDL_KEYDOWN:
            if (event.key.windowID == sdlHost.windowId || event.key.windowID == 0) {
                handleKeyDown(event.key);
            }
            break;
        case SDL_TEXTINPUT:
            feedText(event.text.text);
            break;
        case SDL_MOUSEMOTION:
            // Window coordinates, mapped through the picture's fit.
            if (event.motion.windowID == sdlHost.windowId) {
                int x = 0;
                int y = 0;
                mapPointer(event.motion.x, event.motion.y, x, y);
                feedPointerMoved(x, y);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (event.button.windowID == sdlHost.windowId) {
                int x = 0;
                int y = 0;
                mapPointer(event.button.x, event.button.y, x, y);
                feedButton(x, y, event.button.button, event.type == SDL_MOUSEBUTTONDOWN);
            }
            break;
        case SDL_MOUSEWHEEL: {
            const int steps =
                event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            feedWheel(steps);
            break;
        }
        case SDL_RENDER_DEVICE_RESET:
            // The texture went with the device.
            createTexture();
            sdlHost.shown.redrawNeeded = true;
            break;
        case SDL_RENDER_TARGETS_RESET:
            sdlHost.shown.redrawNeeded = true;
            break;
        default:
            break;
    }
}

void hostPoll() {
    if (!sdlHost.window) return;
    double now = hostTimer();
    comparePicture();
    PollView view;
    view.generation = displayGeneration();
    view.pictureWaiting = sdlHost.texture && presentWanted(sdlHost.shown);
    view.hidden = windowHidden();
    view.inputWaiting = inputQueued() || pointerUnread();
    const double wait = waitDue(now, view);
    if (wait > 0.0) {
        // The wait takes the events that have arrived first: it returns at
        // once when there are any.
        waitForEvents(wait);
        now = hostTimer();
        notePump(now);  // the wait pumped just now
    } else if (pumpDue(now)) {
        takeEvents(nullptr);
    }
    presentIfDue(now);
    countPass(displayGeneration(), now);
}

MouseReading hostReadMouse() {
    return takeMouseReading();
}
