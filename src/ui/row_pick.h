// Row picking on the full-screen pages (menu, help, chooser) and the two
// button latches shared with play.
#pragma once

#include <cstdint>

// A latch is set once its button was seen down (left) or its press was used
// (right), until no button is.
constexpr uint8_t kLatchSet = 255;
constexpr uint8_t kLatchClear = 0;
extern uint8_t leftLatch;
extern uint8_t rightLatch;

// pickRow's answers besides a row 0..15 under the pointer with the left
// button down.
constexpr int8_t kPickRight = -1;         // the right button
constexpr int8_t kPickNothing = -2;       // draws the hover lines when no button is down
constexpr int8_t kPickRightLatched = -3;  // the right button held under a latch
int8_t pickRow();
// Reads the mouse until no button is down in a good reading.
void waitForRelease();
