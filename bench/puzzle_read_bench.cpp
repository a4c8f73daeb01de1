// Reading a 100 MB puzzle with readPuzzleFile, against a memchr scan for
// every comma of the same file, and the memory the read takes at its peak.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench_summary.h"
#include "level/level_set.h"
#include "level/puzzle_file.h"
#include "platform/platform.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kTargetBytes = 100u * 1000u * 1000u;
const char* const kPuzzlePath = "/tmp/orvet-bench-100mb.zag";

struct SyntheticPuzzle {
    size_t bytes = 0;
    size_t levels = 0;
};

// Levels of 501 points with 8-byte codes, paths of 1 to 9 segments in turn
// (the counts the editor gives) and attractors, in the writer's exact form,
// until the file holds 100 MB. Written a level at a time so that making it
// costs no memory worth measuring.
SyntheticPuzzle writeSyntheticPuzzle() {
    SyntheticPuzzle made;
    std::FILE* f = std::fopen(kPuzzlePath, "wb");
    if (f == nullptr) return made;
    seedRandom(7);
    std::string level;
    while (made.bytes < kTargetBytes) {
        level = "\"LVL\"\r\n";
        for (int i = 0; i < 8; ++i) level += std::to_string(-32 + int(randomUnit() * 32)) + ",";
        level += "\"code\"\r\n";
        for (int j = 0; j < kMaxPoints; ++j) {
            level += std::to_string(int(5 + randomUnit() * 630)) + ",";
            level += std::to_string(int(5 + randomUnit() * 470)) + ",";
            level += std::to_string(-32 + int(randomUnit() * 32)) + ",";
        }
        level += "\"points\"\r\n" + std::to_string(1 + made.levels % 9) + ",\"paths\"\r\n";
        level += "320,240,\"attractor\"\r\n\r\n";
        std::fwrite(level.data(), 1, level.size(), f);
        made.bytes += level.size();
        ++made.levels;
    }
    const char* tail = "0\r\n\"END\"\r\n";
    std::fwrite(tail, 1, std::strlen(tail), f);
    made.bytes += std::strlen(tail);
    std::fclose(f);
    return made;
}

const SyntheticPuzzle& syntheticPuzzle() {
    static const SyntheticPuzzle made = writeSyntheticPuzzle();
    return made;
}

// The yardstick: the file read in 1 MiB blocks and every comma found with memchr.
size_t countCommas() {
    std::FILE* f = std::fopen(kPuzzlePath, "rb");
    if (f == nullptr) return 0;
    static std::vector<char> block(1 << 20);
    size_t commas = 0;
    size_t got;
    while ((got = std::fread(block.data(), 1, block.size(), f)) > 0) {
        const char* p = block.data();
        const char* end = p + got;
        while ((p = static_cast<const char*>(std::memchr(p, ',', size_t(end - p)))) != nullptr) {
            ++commas;
            ++p;
        }
    }
    std::fclose(f);
    return commas;
}

// A field of /proc/self/status in KiB ("VmRSS:", "VmHWM:"), or -1.
long statusKiB(const char* name) {
    std::FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr) return -1;
    char line[256];
    long value = -1;
    while (std::fgets(line, sizeof line, f) != nullptr) {
        if (std::strncmp(line, name, std::strlen(name)) == 0) {
            value = std::atol(line + std::strlen(name));
            break;
        }
    }
    std::fclose(f);
    return value;
}

// How far the resident memory rises above where it stood before the read.
// Free memory is first handed back to the system and the high-water mark
// reset, so neither memory freed by earlier benchmarks nor their peaks hide
// the read's own.
double peakReadMiB() {
    resetLevelSet();
    levels.shrink_to_fit();
    malloc_trim(0);
    std::FILE* clear = std::fopen("/proc/self/clear_refs", "w");
    const bool reset = clear != nullptr && std::fputs("5", clear) >= 0;
    if (clear != nullptr) std::fclose(clear);
    const long before = statusKiB("VmRSS:");
    puzzleFileName = kPuzzlePath;
    readPuzzleFile();
    const long peak = statusKiB("VmHWM:");
    resetLevelSet();
    if (!reset || before < 0 || peak < 0) return -1.0;
    return double(peak - before) / 1024.0;
}

// What the levels themselves hold after the read: records and points.
double heldMiB() {
    double bytes = double(levels.capacity()) * sizeof(Level);
    for (const Level& l : levels) bytes += double(l.points.capacity()) * sizeof(Vector);
    return bytes / (1024.0 * 1024.0);
}

void BM_ReadPuzzle100MB(benchmark::State& state) {
    const SyntheticPuzzle& made = syntheticPuzzle();
    if (made.bytes < kTargetBytes) {
        state.SkipWithError("cannot write the synthetic puzzle in /tmp");
        return;
    }
    const double peak = peakReadMiB();
    double reading = 0.0, scanning = 0.0, held = 0.0;
    size_t levelsRead = 0;
    for (auto _ : state) {
        resetLevelSet();
        puzzleFileName = kPuzzlePath;
        const Clock::time_point t0 = Clock::now();
        readPuzzleFile();
        const Clock::time_point t1 = Clock::now();
        benchmark::DoNotOptimize(countCommas());
        const Clock::time_point t2 = Clock::now();
        levelsRead = levels.size();
        held = heldMiB();
        resetLevelSet();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
        reading += std::chrono::duration<double>(t1 - t0).count();
        scanning += std::chrono::duration<double>(t2 - t1).count();
    }
    const double n = double(state.iterations());
    const double mb = double(made.bytes) / 1e6;
    state.counters["levels"] = double(levelsRead);
    state.counters["read_MB_per_s"] = mb * n / reading;
    state.counters["memchr_MB_per_s"] = mb * n / scanning;
    state.counters["ratio_vs_memchr"] = scanning / reading;
    state.counters["peak_rss_MiB"] = peak;
    state.counters["levels_hold_MiB"] = held;
    recordFigure("3. puzzle read: MB/s", mb * n / reading, "", true);
    recordFigure("3. puzzle read: memchr comma scan MB/s", mb * n / scanning, "", true);
    recordFigure("3. puzzle read: speed / memchr speed", scanning / reading, "at least 0.2", true);
    recordFigure("3. puzzle read: peak RSS growth MiB", peak, "", false);
    recordFigure("3. puzzle read: levels hold MiB", held, "", false);
}
BENCHMARK(BM_ReadPuzzle100MB)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
