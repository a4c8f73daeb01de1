// Turns what the window system reports into the game's input: typed text and
// special keys into key strings, close requests into the close event, and
// pointer motion, buttons and the wheel into mouse readings. Knows nothing of
// SDL, so it can be exercised without a window; the SDL event loop feeds it.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

// Queues one key string per character of typed UTF-8 text, in Windows-1251.
// Characters with no Windows-1251 byte, and malformed bytes, are dropped.
void feedText(std::string_view utf8);
// Queues the key string of a key that arrives as a key press (keys.h).
void feedSpecialKey(Key key);

// Starts one batch of window-system events. All close requests within a batch
// (the close button and the quit request the system sends after it) are one
// request.
void feedBatchStart();
// Queues the close event and the close key, once per batch.
void feedCloseRequest();

// The game's bit for a window-system mouse button numbered 1 left, 2 middle,
// 3 right; 0 for any other button.
int gameButtonBit(int windowButton);

// Pointer positions are in surface pixels and may lie outside the surface
// (the bars around the scaled picture, or a drag beyond the window).
void feedPointerMoved(int x, int y);
void feedButton(int x, int y, int windowButton, bool down);
void feedPointerEntered();
void feedPointerLeft();
// Adds wheel steps (positive away from the user) to the wheel position.
void feedWheel(int steps);

// The reading the game gets now. Fails (all values -1) while the pointer is
// off the surface or the window has no pointer. Button changes on the surface
// since the previous reading come first, one reading each, in order and at
// the place they happened: a click between two readings shows as down once,
// then up, even if it was over before the first of them.
MouseReading takeMouseReading();

// True when the next reading would differ from the last one the game got:
// the pointer moved, a button or the wheel changed, or it left the window.
bool pointerUnread();

// Forgets the pointer, buttons, wheel and batch state.
void resetInputFeed();
