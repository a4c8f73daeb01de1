// Scene helpers shared by the scene's own source files.
#pragma once

#include "level/level_set.h"

// Samples of one segment: t = 0, 0.01, ... summed in single precision.
constexpr int kSegmentSamples = 101;

// True while drawFrame draws the curve: it has brought the point grid up to
// date for the frame, so drawSegment need not check it again.
extern bool pointGridCurrent;
