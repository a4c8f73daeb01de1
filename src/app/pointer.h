// Play's per-pass pointer handler: grabbing and dragging knots, handles and
// the attractor, and the right button's flight or menu.
#pragma once

#include <cstdint>

// What the left button holds: a path slot 0..50, or one of these.
constexpr int16_t kGrabNothing = -1;
constexpr int16_t kGrabAttractor = -2;
extern int16_t grabTarget;

void handlePointer();
