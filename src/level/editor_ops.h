// The level editor's operations on the current level and on the level set.
#pragma once

#include <cstdint>

// Adds a point at (x, y) with the given letter; nothing when the level holds 501.
void editorAddPoint(int32_t x, int32_t y, uint8_t letter);
void editorSetAttractor(int32_t x, int32_t y);
// Removes the attractor and every point within 5 pixels of (x, y).
void editorDeleteAt(int32_t x, int32_t y);
// A new random path of n segments (1..9).
void editorNewPath(int n);
void editorPreviousLevel();
void editorNextLevel();
// Appends a level (code = its index, no points, all-zero path) and selects it.
void editorAppendLevel();
// Removes the last level (never the only one) and selects the new last level.
void editorRemoveLastLevel();
