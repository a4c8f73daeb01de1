// Text drawing: one glyph after another from the last point, with a line
// break after every full line.

#include <cstdio>

#include "platform/platform.h"
#include "text/stroke_font.h"

void drawGlyph(uint8_t character) {
    drawStrokes(glyphTable[character]);
}

void drawText(int16_t x, int16_t y, std::string_view text, uint8_t perLine) {
    // The blank absolute move "bm x,y" leaves the pen exactly at (x, y); it is
    // set directly so that negative coordinates, which the stroke syntax would
    // read as a relative move, land in the right place too.
    setLastPoint(static_cast<float>(x), static_cast<float>(y));
    // Back to the left edge and down one baseline.
    char newLine[32];
    std::snprintf(newLine, sizeof newLine, "bl%d bd25", perLine * 25);
    size_t count = 0;
    for (const char c : text) {
        drawGlyph(static_cast<uint8_t>(c));
        ++count;
        // A count of 0 characters per line means the text never wraps.
        if (perLine != 0 && count % perLine == 0) drawStrokes(newLine);
    }
}
