// The flight along a level's path that spells its code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/scene.h"

extern std::vector<Visit> visitList;  // the points the flier passes, in order (at most 501)

void flyOver();
void collectVisits();
// Letters of the visits before position t; also written to the level's code.
std::string spellCode(double t);
