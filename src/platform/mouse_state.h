// The pointer as the game's loops last read it, shared by the main loop, the
// pointer handler, the scene, the menu and the chooser.
#pragma once

#include <cstdint>

extern int32_t mouseX;        // pointer x in pixels as of the last reading (corrected)
extern int32_t mouseY;        // pointer y in pixels as of the last reading (corrected)
extern int32_t mouseButtons;  // button mask of the last reading; -1 after a failed one
extern int32_t mouseFailed;   // 0 after a good reading, -1 after a failed one

// A loop's own last good pointer position, (0, 0) when the loop starts.
struct LastGoodPosition {
    int32_t x = 0;
    int32_t y = 0;
};

// Reads the mouse into the four globals; an x or y of -1 is replaced by the
// last good value, which is then updated. The buttons are not corrected.
void readMouseState(LastGoodPosition& lastGood);
