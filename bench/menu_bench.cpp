// The menu's work per pass with 65,536 open levels of 8-byte codes:
// levelChecksum over every code, then the page's list (clearPage and ten
// drawText calls), against a checksum that builds the whole input string
// anew on every pass.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "bench_summary.h"
#include "level/checksum.h"
#include "level/level_set.h"
#include "platform/headless/headless.h"
#include "platform/host.h"
#include "platform/platform.h"
#include "text/stroke_font.h"

namespace {

using Clock = std::chrono::steady_clock;

void setUpMenuLevels() {
    headlessReset();
    resetDisplayState();
    openWindow();
    resetLevelSet();
    levels.resize(kMaxLevels);
    levelList.resize(kMaxLevels);
    seedRandom(5);
    for (size_t i = 0; i < levels.size(); ++i) {
        std::string code(8, ' ');
        for (char& c : code) c = char(0xE0 + int(randomUnit() * 32));
        levels[i].code = code;
        levelList[i] = uint16_t(i);
    }
}

// The checksum as one CRC over a string built for the pass.
uint32_t checksumOfBuiltString() {
    std::string input;
    for (uint16_t entry : levelList) {
        input += ' ';
        if (entry < levels.size()) input += levels[entry].code;
    }
    return crc32Bytes(0, input.data(), input.size());
}

// The menu's list drawing for its first page.
void drawListPage() {
    clearPage();
    for (int i = 0; i < 10; ++i)
        drawText(20, int16_t(30 * i + 25), levels[levelList[size_t(i)]].code, 99);
}

void BM_MenuPass(benchmark::State& state) {
    setUpMenuLevels();
    if (levelChecksum() != checksumOfBuiltString()) {
        state.SkipWithError("levelChecksum differs from the CRC of the whole input");
        return;
    }
    double game = 0.0, built = 0.0, list = 0.0;
    for (auto _ : state) {
        const Clock::time_point t0 = Clock::now();
        benchmark::DoNotOptimize(levelChecksum());
        drawListPage();
        const Clock::time_point t1 = Clock::now();
        benchmark::DoNotOptimize(checksumOfBuiltString());
        drawListPage();
        const Clock::time_point t2 = Clock::now();
        drawListPage();
        const Clock::time_point t3 = Clock::now();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        game += std::chrono::duration<double>(t1 - t0).count();
        built += std::chrono::duration<double>(t2 - t1).count();
        list += std::chrono::duration<double>(t3 - t2).count();
    }
    const double n = double(state.iterations());
    state.counters["pass_us"] = game / n * 1e6;
    state.counters["checksum_us"] = (game - list) / n * 1e6;
    state.counters["list_drawing_us"] = list / n * 1e6;
    state.counters["built_string_pass_us"] = built / n * 1e6;
    state.counters["ratio_vs_reference"] = built / game;
    recordFigure("4. menu pass (checksum + list) us", game / n * 1e6, "", false);
    recordFigure("4. menu: levelChecksum us", (game - list) / n * 1e6, "", false);
    recordFigure("4. menu: speed-up over built string", built / game, "", true);
}
BENCHMARK(BM_MenuPass)->UseManualTime()->Iterations(200)->Unit(benchmark::kMicrosecond);

}  // namespace
