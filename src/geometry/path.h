// A level's curve: knots and handles in 51 slots, its cubic segments, the
// attractor's pull and random path generation.
#pragma once

#include <cstdint>

#include "geometry/vector.h"

constexpr int kPathSlots = 51;
constexpr int kMaxSegments = 24;

struct Path {
    uint8_t lastSlot = 0;  // 2n + 1 for n segments; 0 for the all-zero path; 255 reads as -1 (none)
    Vector slots[kPathSlots];
};

struct Segment {
    Vector p0, p1, p2, p3;
};

// Number of slots in use, 0..51: lastSlot taken as signed 8-bit plus one.
// A damaged value (negative, or above 50) counts as an empty path, so no loop
// over slots ever leaves the 51 slots.
int usedSlots(const Path& path);
// Number of segments: k = 0, 2, ... while k <= lastSlot - 3, within the slots.
int segmentCount(const Path& path);

// Segment k (k even, k + 3 <= 50).
Segment segmentOf(const Path& path, int k);
// The point of the segment at t, pulled towards the attractor when its flag is
// not 0. At an end knot the pull vanishes and the knot is returned.
Vector pathPointAt(const Segment& seg, float t, Vector attractor);
// A new random path of n segments (n limited to 0..24).
Path generatePath(int16_t n);
