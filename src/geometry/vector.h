// The 2-D vector of every position in the game and the nearness rule.
//
// Arithmetic is single precision on purpose: every product and sum is a float,
// so curve points and hit tests come out the same on every machine.
#pragma once

#include <cstdint>

struct Vector {
    float x = 0.0f;
    float y = 0.0f;
    int8_t flag = 0;  // 0 in arithmetic results; a point's letter; -1 for a present attractor
};

Vector vecAdd(Vector a, Vector b);
Vector vecSub(Vector a, Vector b);
Vector vecScale(float s, Vector v);
// float(sqrt(dx*dx + dy*dy)) with the float differences squared and summed in double.
float vecDistance(Vector a, Vector b);
// p lies within 5 pixels of centre c on both axes, edges included.
bool isNear(Vector p, Vector c);
