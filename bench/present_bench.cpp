// The cost of one present of the SDL window before the upload: the palette
// as ARGB words, the check that the picture is new, and the conversion of
// the 640x480 page into texture rows.
#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

#include "bench_scene.h"
#include "bench_summary.h"
#include "level/level_set.h"
#include "platform/platform.h"
#include "platform/window/argb_page.h"
#include "scene/scene.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_PresentConversion(benchmark::State& state) {
    setUpWorstCaseScene(20240601);
    drawFrame();
    thisLevel().attractor.x += 40.0f;  // a different picture on the other page
    drawFrame();
    std::vector<uint8_t> texture(size_t(kScreenWidth) * 4 * kScreenHeight);
    double total = 0.0;
    int page = 0;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        uint32_t argb[256];
        buildArgbPalette(argb);
        // The pages alternate, so every picture is new, as with a turning
        // attractor.
        const uint8_t* pixels = pagePixels(page);
        if (!pictureIsNew(pixels, argb)) {
            state.SkipWithError("the two pages hold the same picture");
            break;
        }
        convertPageToArgb(pixels, argb, texture.data(), kScreenWidth * 4);
        const Clock::time_point t1 = Clock::now();
        benchmark::DoNotOptimize(texture.data());
        page = 1 - page;
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        total += std::chrono::duration<double>(t1 - t0).count();
    }
    const double us = total / double(state.iterations()) * 1e6;
    state.counters["present_conversion_us"] = us;
    // At 60 presents a second, the share of one core this takes.
    state.counters["core_percent_at_60Hz"] = us * 60.0 / 1e4;
    recordFigure("5. present: palette + check + conversion us", us, "", false);
}
BENCHMARK(BM_PresentConversion)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMicrosecond);

}  // namespace
