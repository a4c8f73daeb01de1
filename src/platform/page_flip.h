// The page alternation shared by every loop that shows frames.
#pragma once

#include <cstdint>

// The page the next frame is drawn on (0 or 1); starts at 0.
extern uint8_t drawPage;

// Work page drawPage, visible page 1 - drawPage, then drawPage flips.
void flipPages();
