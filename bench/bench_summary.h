// The target summary that `make bench` prints after the benchmarks: each
// benchmark records the ratio it measured in every repetition, and the
// median of those is printed beside the target.
#pragma once

#include <string>

// Records one measurement of the named figure. goal is the target as text
// ("at least 12", "below 2", or "" for a figure that is only reported).
void recordFigure(const std::string& name, double value, const std::string& goal,
                  bool higherIsBetter);
// Prints the median of every recorded figure, in the order first recorded.
void printFigureSummary();
