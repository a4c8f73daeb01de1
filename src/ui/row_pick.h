// Row picking on the full-screen pages (menu, help, chooser) and the two
// button latches shared with play.
#pragma once

#include <cstdint>

extern uint8_t leftLatch;   // 255 once the left button was seen down, until no button is
extern uint8_t rightLatch;  // 255 once a right press was used, until no button is

// 0..15 row under the pointer with the left button down; -1 right button;
// -2 nothing picked (draws the hover lines when no button is down); -3 right
// button held under a latch.
int8_t pickRow();
// Reads the mouse until no button is down in a good reading.
void waitForRelease();
