// Internal state shared by the headless host's source files: the pointer's
// buttons and the script player that the host's poll drives.
#pragma once

#include <cstdint>
#include <string>

// Current button mask (1 left, 2 right, 4 middle), kept while the pointer
// is outside the window.
int headlessButtons();
void headlessSetButtons(int buttons);
// Where the pointer is, for press and release, which keep it in place.
int headlessMouseX();
int headlessMouseY();
bool headlessMouseInside();

// Applies every script command due at or before nowMicros, in order.
void applyDueScriptCommands(int64_t nowMicros);
// Drops the script.
void clearScript();
