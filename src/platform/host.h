// The seam between the platform core and a host backend.
//
// The core (platform.h) calls these; exactly one backend defines them: the
// SDL window (src/platform/sdl) or the headless script runner
// (src/platform/headless). Backends feed input back through the queue
// functions declared at the bottom.
#pragma once

#include <string>

#include "platform/platform.h"

// Creates the window; false when there is no window system.
bool hostOpenWindow();
// The title changed (Windows-1251 bytes, already cut to 127).
void hostTitleChanged(const std::string& cp1251Title);
// Called before every key read, mouse reading and event pop: collect input,
// and present the visible page when it changed (rate-limited by the host).
void hostPoll();
// The current mouse reading in surface pixels (game button mask).
MouseReading hostReadMouse();
double hostTimer();
// The visible page or the palette changed and should be shown again.
void hostDisplayChanged();

// ---- fed by backends (and tests) ----
void queueKey(const std::string& keyString);
// Queues an event; the queue keeps at most 128 records, further ones are dropped.
void queueEvent(int32_t type);
// The close button: event 13 and the key string 255 "k".
void queueCloseRequest();
// True while keys or events wait in the queues, unread by the game.
bool inputQueued();
// Empties both queues (tests and start of a scripted run).
void clearInputQueues();
// Resets pages, palette, colours, last point and the ending flag (tests).
void resetDisplayState();
// Shown RGB of the visible page, row by row, 640*480*3 bytes.
void renderVisibleRgb(uint8_t* rgbOut);
// A counter bumped whenever what the window shows may have changed.
unsigned displayGeneration();
