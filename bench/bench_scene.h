// Shared set-up of the benchmarks that draw: a fresh headless display with
// the start-up colours and the worst-case level as the only level.
#pragma once

#include <cstdint>

// Resets the display and the level set and makes level 0 the worst case
// (seeded, so every run draws the same level). Editor mode keeps the solved
// test from opening the menu.
void setUpWorstCaseScene(uint64_t seed);
