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
// The work page's pixels, row by row, kScreenWidth to a row; valid until the
// next setPages. The primitives write through it without telling the host
// per pixel; drawingDone() then reports the whole primitive at once.
uint8_t* workPagePixels();
// A primitive finished: reports a change when the work page is shown.
void drawingDone();
// colour -1 is the foreground colour.
uint8_t resolveColour(int colour);
