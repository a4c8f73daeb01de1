// The keyboard character map: Latin keys typed give Serbian Cyrillic letters.
#pragma once

#include <cstdint>

extern uint8_t keyMap[256];  // typed byte -> Windows-1251 character

void buildKeyMap();
