// Scene helpers shared by the scene's own source files.
#pragma once

#include "geometry/path.h"
#include "level/level_set.h"

// Samples of one segment: t = 0, 0.01, ... summed in single precision.
constexpr int kSegmentSamples = 101;

// The weights of those samples, the same for every segment: worked out once,
// by the very operations of pathPointAt.
struct SampleWeights {
    PathWeights w[kSegmentSamples];
    int count = 0;
};
const SampleWeights& sampleWeights();

// True while drawFrame draws the curve: it has brought the point grid up to
// date for the frame, so drawSegment need not check it again.
extern bool pointGridCurrent;
