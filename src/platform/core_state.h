// Internal glue between the platform core's source files: the resets that
// resetDisplayState runs and the display generation counter. Not for use
// outside src/platform.
#pragma once

#include <cstdint>

// Puts the palette back to the VGA default.
void resetPalette();
// Forgets the window title.
void resetWindowTitle();
// Clears the request to end the program.
void resetProgramEnding();
// What the window shows may have changed: bump the counter and tell the host.
void markDisplayChanged();

// ---- pixel access for the drawing primitives ----
// Sets one pixel of the work page; the caller has checked the position.
void plotUnchecked(int x, int y, uint8_t colour);
// Fills x0..x1 (either order) of row y on the work page, clipped.
void fillSpan(int x0, int x1, int y, uint8_t colour);
// A primitive finished: reports a change when the work page is shown.
void drawingDone();
// colour -1 is the foreground colour.
uint8_t resolveColour(int colour);
