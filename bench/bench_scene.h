// Shared set-up of the benchmarks that draw: a fresh headless display with
// the start-up colours and one level to draw.
#pragma once

#include <cstdint>

// Resets the display and the level set and makes level 0 the worst case
// (seeded, so every run draws the same level). Editor mode keeps the solved
// test from opening the menu.
void setUpWorstCaseScene(uint64_t seed);
// The same display with the bundled puzzle file read (its paths made with
// the seeded random service) and its last level current. False when the
// file cannot be read.
bool setUpBundledLevelScene(const char* puzzleFile, uint64_t seed);
