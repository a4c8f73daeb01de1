// The headless host: no window, a virtual clock, input from a script or from
// tests, and PNG shots of the visible page.
//
// Virtual time starts at 0. At every key read, mouse reading and event pop the
// host first applies every script command due at or before the current time,
// then the read happens, then the time advances by exactly 1 ms. Reading the
// timer does not advance it.
#pragma once

#include <string>

// Puts the host back to time 0 with no script, the pointer outside the window
// and no button down.
void headlessReset();
double headlessNow();
void headlessAdvance(double seconds);
// How far each later read moves the clock, 1 ms unless set (kept within 1 us..1 s;
// headlessReset goes back to 1 ms). A coarser step plays the same script in
// fewer passes of the game's loops.
void headlessSetReadStep(double seconds);

// Direct control for tests (buttons in the game's mask: 1 left, 2 right, 4 middle).
void headlessSetMouse(int x, int y, int buttons);
void headlessLeave();

// Loads a script; on a malformed line returns false and fills error with
// "line N: ..." (the host is left without a script).
bool headlessLoadScript(const std::string& text, std::string& error);
// Virtual time at which the script's last command takes effect.
double headlessScriptEnd();
// True once every script command has been applied.
bool headlessScriptDone();

// The orvet-script driver: listener is called with each title as it is set
// (Windows-1251 bytes, nullptr for none).
void headlessOnTitle(void (*listener)(const std::string& cp1251Title));
// When on: once every script command has been applied, the close button is
// pressed at the next poll; if the game is still polling 60 virtual seconds
// later, a message goes to stderr and the process exits with status 3.
void headlessCloseWhenDone(bool on);

// Writes the visible page through the palette as a 640x480 RGB PNG.
bool writeVisiblePagePng(const std::string& fileName);
