// Collecting the benchmarks' figures and printing their medians.
#include "bench_summary.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

struct Figure {
    std::string name;
    std::string goal;
    bool higherIsBetter = true;
    double target = 0.0;
    std::vector<double> values;
};

std::vector<Figure> figures;

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

}  // namespace

void recordFigure(const std::string& name, double value, const std::string& goal,
                  bool higherIsBetter) {
    for (Figure& f : figures) {
        if (f.name == name) {
            f.values.push_back(value);
            return;
        }
    }
    Figure f;
    f.name = name;
    f.goal = goal;
    f.higherIsBetter = higherIsBetter;
    f.values.push_back(value);
    figures.push_back(f);
}

void printFigureSummary() {
    if (figures.empty()) return;
    std::printf("\n%-46s %12s  %-16s %s\n", "figure (median of runs)", "value", "target", "runs");
    for (const Figure& f : figures) {
        std::printf("%-46s %12.3f  %-16s %zu\n", f.name.c_str(), median(f.values),
                    f.goal.empty() ? "-" : f.goal.c_str(), f.values.size());
    }
}
