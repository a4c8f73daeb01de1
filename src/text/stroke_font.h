// The vector stroke font: the stroke command interpreter, the 256-entry glyph
// table, text drawing and the flight's heading arrow.
#pragma once

#include <cstdint>
#include <string_view>

#include "geometry/vector.h"

// Stroke strings indexed by Windows-1251 byte.
extern const char* const glyphTable[256];
// The turn angle in whole degrees, kept between strings (TA sets it).
extern int32_t turnAngle;

// Interprets a stroke string from the last point; leaves the pen there.
void drawStrokes(std::string_view commands);
void drawGlyph(uint8_t character);
// Draws text with its first baseline at y, starting a new line after every
// perLine characters.
void drawText(int16_t x, int16_t y, std::string_view text, uint8_t perLine);
// A small arrow head at p pointing away from previous; nothing off screen.
void drawArrow(Vector p, Vector previous);
