// The flight's visit list on the worst-case level: collectVisits against the
// straightforward scan of every point at every sample.
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/flight.h"
#include "bench_scene.h"
#include "bench_summary.h"
#include "level/level_set.h"
#include "reference_hit_test.h"

namespace {

using Clock = std::chrono::steady_clock;

bool sameVisits(const std::vector<ReferenceVisit>& expected) {
    if (visitList.size() != expected.size()) return false;
    for (size_t i = 0; i < expected.size(); ++i) {
        if (visitList[i].pointIndex != expected[i].pointIndex ||
            visitList[i].position != expected[i].position) {
            return false;
        }
    }
    return true;
}

void BM_CollectVisits(benchmark::State& state) {
    setUpWorstCaseScene(20240601);
    collectVisits();
    if (!sameVisits(referenceVisits(thisLevel()))) {
        state.SkipWithError("the indexed visits differ from the straightforward ones");
        return;
    }
    double game = 0.0, reference = 0.0;
    size_t visits = 0;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        collectVisits();
        const Clock::time_point t1 = Clock::now();
        const std::vector<ReferenceVisit> expected = referenceVisits(thisLevel());
        const Clock::time_point t2 = Clock::now();
        benchmark::DoNotOptimize(expected.data());
        visits = expected.size();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        game += std::chrono::duration<double>(t1 - t0).count();
        reference += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    state.counters["visits"] = double(visits);
    state.counters["collect_us"] = game / n * 1e6;
    state.counters["straightforward_us"] = reference / n * 1e6;
    state.counters["ratio_vs_reference"] = reference / game;
    recordFigure("2. flight: collectVisits us", game / n * 1e6, "", false);
    recordFigure("2. flight: speed-up over straightforward", reference / game, "", true);
}
BENCHMARK(BM_CollectVisits)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

}  // namespace
