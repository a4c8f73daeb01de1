// Run statistics of the window host, asked for with ORVET_STATS=1: passes of
// the game's drawing loops per second and the mean time of one present,
// written to stderr when the program exits; once a second, the counts so far
// (so that a tool can take the figures of any stretch of a run).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/host.h"
#include "platform/sdl/sdl_host.h"

namespace {

struct HostStats {
    bool on = false;
    double start = 0.0;
    unsigned lastGeneration = 0;
    double nextLine = 0.0;
    unsigned long passes = 0;
    unsigned long presents = 0;
    double presentSeconds = 0.0;
};

HostStats stats;

void reportStats() {
    const double seconds = hostTimer() - stats.start;
    const double perSecond = seconds > 0.0 ? stats.passes / seconds : 0.0;
    const double meanMicros =
        stats.presents > 0 ? stats.presentSeconds / stats.presents * 1e6 : 0.0;
    std::fprintf(stderr,
                 "orvet stats: %.1f s, %lu passes (%.0f per second), %lu presents "
                 "(%.1f per second), mean present %.0f us\n",
                 seconds, stats.passes, perSecond, stats.presents,
                 seconds > 0.0 ? stats.presents / seconds : 0.0, meanMicros);
}

}  // namespace

void startStats() {
    const char* asked = std::getenv("ORVET_STATS");
    if (stats.on || asked == nullptr || std::strcmp(asked, "1") != 0) return;
    stats.on = true;
    stats.start = hostTimer();
    stats.lastGeneration = displayGeneration();
    stats.nextLine = stats.start + 1.0;
    std::atexit(reportStats);
}

void countPass(unsigned generation, double now) {
    if (!stats.on) return;
    if (generation != stats.lastGeneration) {
        stats.lastGeneration = generation;
        ++stats.passes;
    }
    if (now < stats.nextLine) return;
    stats.nextLine = now + 1.0;
    std::fprintf(stderr, "orvet stats: %.2f s, %lu passes, %lu presents so far\n",
                 now - stats.start, stats.passes, stats.presents);
}

bool statsOn() {
    return stats.on;
}

void countPresent(double seconds) {
    ++stats.presents;
    stats.presentSeconds += seconds;
}
