// The worst-case frame (24 segments, 501 points, an attractor): the game's
// drawFrame against the same frame with the straightforward hit test and
// with no hit test at all, timed side by side in every iteration.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "bench_scene.h"
#include "bench_summary.h"
#include "level/level_set.h"
#include "platform/page_flip.h"
#include "platform/platform.h"
#include "reference_hit_test.h"
#include "scene/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsOf(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The game's frame must draw the very pixels and flags of the straightforward one.
bool sameFrames() {
    std::vector<uint8_t> pixels(size_t(kScreenWidth) * kScreenHeight);
    referenceFrame(true);
    const std::vector<uint8_t> flags = hitFlags;
    std::memcpy(pixels.data(), pagePixels(workPage()), pixels.size());
    flipPages();  // the game's frame then draws on the same page
    drawFrame();
    return hitFlags == flags &&
           std::memcmp(pixels.data(), pagePixels(workPage()), pixels.size()) == 0;
}

void BM_WorstCaseFrame(benchmark::State& state) {
    setUpWorstCaseScene(20240601);
    if (!sameFrames()) {
        state.SkipWithError("the indexed frame differs from the straightforward one");
        return;
    }
    double game = 0.0, reference = 0.0, noHits = 0.0;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        drawFrame();
        const Clock::time_point t1 = Clock::now();
        referenceFrame(true);
        const Clock::time_point t2 = Clock::now();
        referenceFrame(false);
        const Clock::time_point t3 = Clock::now();
        state.SetIterationTime(secondsOf(t1 - t0));
        game += secondsOf(t1 - t0);
        reference += secondsOf(t2 - t1);
        noHits += secondsOf(t3 - t2);
    }
    const double n = double(state.iterations());
    state.counters["frame_us"] = game / n * 1e6;
    state.counters["straightforward_us"] = reference / n * 1e6;
    state.counters["no_hit_test_us"] = noHits / n * 1e6;
    state.counters["ratio_vs_reference"] = reference / game;
    state.counters["ratio_vs_no_hit_test"] = game / noHits;
    recordFigure("1. frame: speed-up over straightforward", reference / game, "at least 12", true);
    recordFigure("1. frame: time / frame without hit test", game / noHits, "at most 2", false);
    recordFigure("1. frame: drawFrame us", game / n * 1e6, "", false);
    recordFigure("1. frame: straightforward frame us", reference / n * 1e6, "", false);
    recordFigure("1. frame: frame without hit test us", noHits / n * 1e6, "", false);
}
BENCHMARK(BM_WorstCaseFrame)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

}  // namespace
