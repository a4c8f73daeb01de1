// The flight along a level's path that spells its code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Visit {
    uint16_t pointIndex;  // wide enough for all 501 points
    double position;      // segment number plus curve parameter
};

constexpr int kMaxVisits = 501;

extern std::vector<Visit> visitList;  // the points the flier passes, in order (at most 501)

void flyOver();
void collectVisits();
// Letters of the visits before position t; also written to the level's code.
std::string spellCode(double t);
