// Drawing a level every frame and the solved test: points, handle lines, the
// sampled curve, touched points, slot markers and the attractor's spiral;
// the same test and the flight's visits for any path, without drawing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/path.h"
#include "geometry/vector.h"
#include "level/level_set.h"

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

// The solved test without a frame: true when the path's samples, bent by the
// attractor, touch every one of the level's points, by the frame's very
// sampling and nearness rule (false for a level without points).
bool pathTouchesEveryPoint(const Level& level, const Path& path, Vector attractor);

// One point the flight passes.
struct Visit {
    uint16_t pointIndex;  // wide enough for all 501 points
    double position;      // segment number plus curve parameter
};

constexpr int kMaxVisits = 501;

// The flight's visits along the level's own path and attractor: 100 samples
// per segment, a point recorded unless it is the latest entry, at most 501.
void collectLevelVisits(const Level& level, std::vector<Visit>& visits);
// The letters of the visits before position t.
std::string visitedLetters(const Level& level, const std::vector<Visit>& visits, double t);
