// Play's per-pass pointer handler: grabbing and dragging knots, handles and
// the attractor, and the right button's flight or menu.
#pragma once

#include <cstdint>

extern int16_t grabTarget;  // -1 nothing, -2 the attractor, 0..50 a path slot

void handlePointer();
