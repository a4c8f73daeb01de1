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

// ---- what the drawing primitives read on every call ----
// Kept in step by frame_buffer.cpp, so that a primitive reads it without a
// call per item (a frame draws over a thousand primitives).
struct DrawingState {
    // The work page's pixels, row by row, kScreenWidth to a row. The
    // primitives write through it without telling the host per pixel;
    // drawingDone() then reports the whole primitive at once.
    uint8_t* workPixels = nullptr;
    bool workShown = true;  // the work page is the visible page
    uint8_t fore = 0;       // the foreground colour
    float lastX = 0.0f;     // the last point
    float lastY = 0.0f;
};
extern DrawingState drawing;

inline uint8_t* workPagePixels() {
    return drawing.workPixels;
}
// A primitive finished: reports a change when the work page is shown.
inline void drawingDone() {
    if (drawing.workShown) markDisplayChanged();
}
// colour -1 is the foreground colour.
inline uint8_t resolveColour(int colour) {
    return colour == -1 ? drawing.fore : static_cast<uint8_t>(colour);
}
