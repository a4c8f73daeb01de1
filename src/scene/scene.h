// Drawing a level every frame and the solved test: points, handle lines, the
// sampled curve, touched points, slot markers and the attractor's spiral.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/path.h"
#include "geometry/vector.h"

extern std::vector<uint8_t> hitFlags;          // per point of the current level: touched this frame
constexpr float kSpinAngleStart = 6.2831855f;  // spinAngle in a fresh run
extern float spinAngle;                        // the spiral's angle in radians
extern double spinTime;                        // timer reading at the last drawing of the attractor

void drawFrame();
void drawLevelPoints();
void drawHandleLines();
void drawSegment(const Segment& seg);
void drawHits();
void drawSlotMarkers();
void drawSlotMarker(Vector v, int colour);
void drawAttractor();
void drawSpiral(int16_t x, int16_t y, float angle, int colour);
