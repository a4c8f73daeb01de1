// The frame of the worst-case level (24 segments, 501 points, an attractor)
// and of a typical bundled level: the game's drawFrame against the
// straightforward frame of reference_frame.h, with and without its hit test,
// timed side by side in every iteration.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "bench_scene.h"
#include "bench_summary.h"
#include "reference_frame.h"
#include "scene/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsOf(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The game's frame must draw the very pixels and flags of the straightforward one.
bool sameFrames() {
    reference::frame(true);
    drawFrame();
    return reference::workPageMatches();
}

struct FrameTimes {
    double game = 0.0;       // drawFrame, us
    double reference = 0.0;  // the straightforward frame, us
    double noHits = 0.0;     // the straightforward frame without its hit test, us
    // The ratio of the two frames' medians over the iterations: on a busy
    // machine a few frames that lose the processor weigh heavily in the
    // means of frames this short, and this figure shows the ratio without them.
    double medianRatio = 0.0;
};

double medianOf(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    if (n == 0) return 0.0;
    return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

FrameTimes timeFrames(benchmark::State& state) {
    FrameTimes sum;
    std::vector<double> games, references;
    games.reserve(size_t(state.max_iterations));
    references.reserve(size_t(state.max_iterations));
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        drawFrame();
        const Clock::time_point t1 = Clock::now();
        reference::frame(true);
        const Clock::time_point t2 = Clock::now();
        reference::frame(false);
        const Clock::time_point t3 = Clock::now();
        benchmark::DoNotOptimize(reference::page);
        state.SetIterationTime(secondsOf(t1 - t0));
        sum.game += secondsOf(t1 - t0);
        sum.reference += secondsOf(t2 - t1);
        sum.noHits += secondsOf(t3 - t2);
        games.push_back(secondsOf(t1 - t0));
        references.push_back(secondsOf(t2 - t1));
    }
    const double perFrame = 1e6 / double(state.iterations());
    sum.game *= perFrame;
    sum.reference *= perFrame;
    sum.noHits *= perFrame;
    state.counters["frame_us"] = sum.game;
    state.counters["straightforward_us"] = sum.reference;
    state.counters["no_hit_test_us"] = sum.noHits;
    state.counters["ratio_vs_reference"] = sum.reference / sum.game;
    sum.medianRatio = medianOf(references) / medianOf(games);
    state.counters["median_ratio_vs_reference"] = sum.medianRatio;
    return sum;
}

void BM_WorstCaseFrame(benchmark::State& state) {
    setUpWorstCaseScene(20240601);
    if (!sameFrames()) {
        state.SkipWithError("the game's frame differs from the straightforward one");
        return;
    }
    const FrameTimes t = timeFrames(state);
    recordFigure("1. frame: speed-up over straightforward", t.reference / t.game, "at least 25",
                 true);
    recordFigure("1. frame: speed-up, medians of the frames", t.medianRatio, "", true);
    recordFigure("1. frame: time / straightforward without hit test", t.game / t.noHits,
                 "at most 2", false);
    recordFigure("1. frame: drawFrame us", t.game, "", false);
    recordFigure("1. frame: straightforward frame us", t.reference, "", false);
    recordFigure("1. frame: straightforward without hit test us", t.noHits, "", false);
}
BENCHMARK(BM_WorstCaseFrame)->UseManualTime()->Iterations(300)->Unit(benchmark::kMicrosecond);

// The last level of the second bundled puzzle: 10 points, 6 segments, no
// attractor.
void BM_TypicalLevelFrame(benchmark::State& state) {
    const std::string file = std::string(ORVET_SOURCE_DIR) + "/puzzles/02-krivine.zag";
    if (!setUpBundledLevelScene(file.c_str(), 20240601)) {
        state.SkipWithError("cannot read the bundled puzzle");
        return;
    }
    if (!sameFrames()) {
        state.SkipWithError("the game's frame differs from the straightforward one");
        return;
    }
    const FrameTimes t = timeFrames(state);
    recordFigure("6. typical level frame: drawFrame us", t.game, "", false);
    recordFigure("6. typical level frame: straightforward us", t.reference, "", false);
    recordFigure("6. typical level frame: speed-up", t.reference / t.game, "", true);
    recordFigure("6. typical level frame: speed-up, medians", t.medianRatio, "", true);
}
BENCHMARK(BM_TypicalLevelFrame)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
