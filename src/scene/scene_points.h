// Scene helpers shared by the scene's own source files.
#pragma once

#include "level/level_set.h"

// Points of the level that can be read: lastPoint + 1, never more than the
// level holds, 0 for a level without points.
int levelPointCount(const Level& level);
